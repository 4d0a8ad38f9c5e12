#include "WavSoundPlayer.h"

#include <QFile>
#include <QFileInfo>

#include <pulse/simple.h>
#include <sndfile.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr sf_count_t chunkFrames = 4096;

struct SoundFileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

struct StreamCloser
{
    void operator()(pa_simple* stream) const { pa_simple_free(stream); }
};
using PlaybackStream = std::unique_ptr<pa_simple, StreamCloser>;

SoundFile openSoundFile(const QString& path, SF_INFO& info)
{
    // Regular files only: opening a FIFO or a device could block or never end.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return nullptr;
    return SoundFile(sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
}

// The file's samples as the server's native 16-bit samples; nothing when the server cannot take them.
std::optional<pa_sample_spec> sampleSpecOf(const SF_INFO& info)
{
    if (info.channels < 1 || info.channels > int(PA_CHANNELS_MAX) || info.samplerate < 1)
        return std::nullopt;
    const pa_sample_spec sampleFormat{PA_SAMPLE_S16NE, static_cast<uint32_t>(info.samplerate),
                              static_cast<uint8_t>(info.channels)};
    if (pa_sample_spec_valid(&sampleFormat) == 0)
        return std::nullopt;
    return sampleFormat;
}

PlaybackStream openPlaybackStream(const QByteArray& server, const pa_sample_spec& sampleFormat)
{
    // A short buffer: the server's default of two seconds would hold the drain, and so the caller,
    // up to two seconds past the end of the sound.
    constexpr pa_usec_t bufferTime = 100'000;
    constexpr uint32_t serverDefault = static_cast<uint32_t>(-1);
    const pa_buffer_attr buffer{serverDefault, static_cast<uint32_t>(pa_usec_to_bytes(bufferTime, &sampleFormat)),
                                serverDefault, serverDefault, serverDefault};
    return PlaybackStream(pa_simple_new(server.isEmpty() ? nullptr : server.constData(), "KORVANE",
                                        PA_STREAM_PLAYBACK, nullptr, "sound", &sampleFormat, nullptr, &buffer,
                                        nullptr));
}

// Writes at most maxFrames frames of the file to the stream, a chunk at a time; returns how many.
sf_count_t writeFrames(SNDFILE* file, pa_simple* stream, int channels, sf_count_t maxFrames)
{
    std::vector<short> chunk(static_cast<size_t>(chunkFrames * channels));
    sf_count_t written = 0;
    while (written < maxFrames) {
        const sf_count_t read =
            sf_readf_short(file, chunk.data(), std::min(chunkFrames, maxFrames - written));
        if (read <= 0 || pa_simple_write(stream, chunk.data(),
                                         static_cast<size_t>(read * channels) * sizeof(short), nullptr) < 0)
            break;
        written += read;
    }
    return written;
}

} // namespace

WavSoundPlayer::WavSoundPlayer(std::function<void()> fallback, const QString& server,
                               std::chrono::milliseconds maxPlayingTime)
    : m_fallback(std::move(fallback)), m_server(server.toLocal8Bit()), m_maxPlayingTime(maxPlayingTime)
{
}

void WavSoundPlayer::play(const QString& wavPath)
{
    if (!playFile(wavPath) && m_fallback)
        m_fallback();
}

// True when at least one frame of the file reached the server; then it has played to its end, or
// to the cap on the playing time.
bool WavSoundPlayer::playFile(const QString& wavPath) const
{
    SF_INFO info{};
    const SoundFile file = openSoundFile(wavPath, info);
    if (!file)
        return false;
    const std::optional<pa_sample_spec> sampleFormat = sampleSpecOf(info);
    if (!sampleFormat)
        return false;
    const PlaybackStream stream = openPlaybackStream(m_server, *sampleFormat);
    if (!stream)
        return false;
    const sf_count_t maxFrames = sf_count_t(info.samplerate) * m_maxPlayingTime.count() / 1000;
    const sf_count_t written = writeFrames(file.get(), stream.get(), info.channels, maxFrames);
    pa_simple_drain(stream.get(), nullptr);
    return written > 0;
}
