#pragma once

#include "SoundPlayer.h"

#include <QStringList>

#include <functional>

// A sound player for tests: plays nothing, records the paths it was asked to play in the order of
// the calls, and can run a callback inside each play to stand for what happens while a sound plays.
class RecordingSoundPlayer final : public SoundPlayer
{
public:
    // Records the path, then runs the callback, so a play from inside the callback is recorded after it.
    void play(const QString& wavPath) override;

    const QStringList& playedPaths() const { return m_playedPaths; }
    void setDuringPlay(std::function<void(const QString& wavPath)> duringPlay);

private:
    QStringList m_playedPaths;
    std::function<void(const QString&)> m_duringPlay;
};
