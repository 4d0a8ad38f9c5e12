#pragma once

#include "SoundPlayer.h"

#include <QByteArray>

#include <chrono>
#include <functional>

// Plays sound files through the sound server: libsndfile decodes the file in chunks, PulseAudio's
// simple API plays them and waits for the end. The fallback (the platform's default sound) plays
// whenever nothing of the file could be played: no such file, not a sound file, no sound server.
class WavSoundPlayer final : public SoundPlayer
{
public:
    static constexpr std::chrono::milliseconds defaultMaxPlayingTime{30'000};

    // An empty server means the user's default sound server.
    explicit WavSoundPlayer(std::function<void()> fallback, const QString& server = {},
                            std::chrono::milliseconds maxPlayingTime = defaultMaxPlayingTime);

    void play(const QString& wavPath) override;

private:
    bool playFile(const QString& wavPath) const;

    std::function<void()> m_fallback;
    QByteArray m_server;
    std::chrono::milliseconds m_maxPlayingTime;
};
