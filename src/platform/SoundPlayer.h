#pragma once

#include <QString>

// Plays one sound file to its end before returning. When the file cannot be found or played, the
// platform's default sound plays instead; nothing is reported. Each call plays, however soon it
// follows the one before: nothing is queued or skipped.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& wavPath) = 0;
};
