#include "RecordingSoundPlayer.h"

void RecordingSoundPlayer::play(const QString& wavPath)
{
    m_playedPaths.append(wavPath);
    // A copy: the callback may replace itself, and the running one must outlive that.
    const auto duringPlay = m_duringPlay;
    if (duringPlay)
        duringPlay(wavPath);
}

void RecordingSoundPlayer::setDuringPlay(std::function<void(const QString& wavPath)> duringPlay)
{
    m_duringPlay = std::move(duringPlay);
}
