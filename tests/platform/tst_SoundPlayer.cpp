#include "RecordingSoundPlayer.h"
#include "TestFiles.h"
#include "WavSoundPlayer.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <pulse/simple.h>
#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

using namespace std::chrono_literals;

namespace {

constexpr int shippedRate = 22050;

QString shippedSound(const char* name)
{
    return QStringLiteral(KORVANE_DATA_DIR "/Sounds/") + QLatin1String(name);
}

// What the header of a 16-bit PCM WAV file says; a lying header says something else.
struct WavFormat
{
    quint32 riffBytes = 0; // 0: what the data chunk's length gives
    quint16 channels = 1;
    quint32 rate = shippedRate;
};

// The 44-byte header of a 16-bit WAV file whose data chunk claims dataBytes bytes.
QByteArray wavHeader(quint32 dataBytes, const WavFormat& format = {})
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << (format.riffBytes ? format.riffBytes : quint32(36 + dataBytes));
    out.writeRawData("WAVEfmt ", 8);
    const quint16 frameBytes = quint16(2 * format.channels);
    out << quint32(16) << quint16(1) << format.channels << format.rate << quint32(frameBytes * format.rate)
        << frameBytes << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    return header;
}

// A tenth of a second of a quiet tone, as 16-bit samples.
QByteArray samples(int frames = shippedRate / 10)
{
    QByteArray bytes;
    for (int i = 0; i < frames; ++i) {
        const qint16 sample = qint16((i % 50) * 40);
        bytes.append(reinterpret_cast<const char*>(&sample), sizeof sample);
    }
    return bytes;
}

// Asked of the sound server directly, so that a fault of the player cannot pass for a missing server.
bool soundServerAnswers()
{
    const pa_sample_spec sampleFormat{PA_SAMPLE_S16NE, shippedRate, 1};
    pa_simple* stream = pa_simple_new(nullptr, "tst_SoundPlayer", PA_STREAM_PLAYBACK, nullptr, "probe",
                                      &sampleFormat, nullptr, nullptr, nullptr);
    if (!stream)
        return false;
    pa_simple_free(stream);
    return true;
}

std::chrono::milliseconds durationOf(const QString& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    sf_close(file);
    return std::chrono::milliseconds(info.frames * 1000 / info.samplerate);
}

} // namespace

class tst_SoundPlayer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fallsBackOnceForWhatCannotBePlayed_data();
    void fallsBackOnceForWhatCannotBePlayed();
    void fallsBackOnceWhenNoSoundServerAnswers();
    void lyingHeadersPlayWhatIsThere_data();
    void lyingHeadersPlayWhatIsThere();
    void shippedSoundsHaveTheirFormat_data();
    void shippedSoundsHaveTheirFormat();
    void playsEachSoundToItsEndOneAfterAnother();
    void capsThePlayingTimeOfAnEnormousFile();
    void recordingPlayerKeepsTheOrderOfNestedPlays();

private:
    QTemporaryDir m_dir;
};

void tst_SoundPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile shipped(shippedSound("NewDX.wav"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QVERIFY(writeFile(m_dir.filePath("text.wav"), "Dxcc.dta is a country table, not a sound\r\n"));
    QVERIFY(writeFile(m_dir.filePath("truncated.wav"), shipped.read(30)));
    QVERIFY(writeFile(m_dir.filePath("silent.wav"), wavHeader(0)));
    QVERIFY(QDir(m_dir.path()).mkdir("folder.wav"));
    QCOMPARE(mkfifo(QFile::encodeName(m_dir.filePath("fifo.wav")).constData(), 0600), 0);
}

void tst_SoundPlayer::fallsBackOnceForWhatCannotBePlayed_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("empty path") << QString();
    QTest::newRow("missing file") << m_dir.filePath("missing.wav");
    QTest::newRow("text, not a WAV") << m_dir.filePath("text.wav");
    QTest::newRow("header cut short") << m_dir.filePath("truncated.wav");
    QTest::newRow("no samples") << m_dir.filePath("silent.wav");
    QTest::newRow("a folder") << m_dir.filePath("folder.wav");
    // Opening a FIFO waits for a writer that never comes.
    QTest::newRow("a FIFO") << m_dir.filePath("fifo.wav");
}

void tst_SoundPlayer::fallsBackOnceForWhatCannotBePlayed()
{
    QFETCH(QString, path);
    int fallbacks = 0;
    WavSoundPlayer player([&fallbacks] { ++fallbacks; });
    player.play(path);
    QCOMPARE(fallbacks, 1);
}

void tst_SoundPlayer::fallsBackOnceWhenNoSoundServerAnswers()
{
    int fallbacks = 0;
    WavSoundPlayer player([&fallbacks] { ++fallbacks; }, "unix:" + m_dir.filePath("no-server"));
    player.play(shippedSound("NewDX.wav"));
    QCOMPARE(fallbacks, 1);
}

void tst_SoundPlayer::lyingHeadersPlayWhatIsThere_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("playable"); // else it falls back even with a sound server
    const QByteArray sound = samples();
    const auto size = quint32(sound.size());
    QTest::newRow("data longer than the file") << wavHeader(1'000'000'000) + sound << true;
    QTest::newRow("data of 4 GiB") << wavHeader(0xFFFFFFFF) + sound << true;
    QTest::newRow("data shorter than the file") << wavHeader(100) + sound << true;
    QTest::newRow("RIFF of 4 GiB") << wavHeader(size, {0xFFFFFFFF}) + sound << true;
    QTest::newRow("RIFF shorter than its header") << wavHeader(size, {8}) + sound << true;
    QTest::newRow("samples cut in a frame") << wavHeader(size) + sound.left(3) << true;
    QTest::newRow("65535 channels") << wavHeader(size, {0, 65535}) + sound << false;
    QTest::newRow("no channels") << wavHeader(size, {0, 0}) + sound << false;
    QTest::newRow("a rate of 4 GHz") << wavHeader(size, {0, 1, 0xFFFFFFFF}) + sound << false;
    QTest::newRow("a rate of zero") << wavHeader(size, {0, 1, 0}) + sound << false;
}

// Never a crash or a hang; what the file holds plays, or the fallback does, once.
void tst_SoundPlayer::lyingHeadersPlayWhatIsThere()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, playable);
    const QString path = m_dir.filePath(QStringLiteral("lying.wav"));
    QVERIFY(writeFile(path, content));
    int fallbacks = 0;
    WavSoundPlayer player([&fallbacks] { ++fallbacks; }, {}, 2s);
    player.play(path);
    QCOMPARE(fallbacks, playable && soundServerAnswers() ? 0 : 1);
}

void tst_SoundPlayer::shippedSoundsHaveTheirFormat_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<double>("seconds");
    QTest::newRow("new spot") << shippedSound("NewDX.wav") << 0.3;
    QTest::newRow("session connected") << shippedSound("success.wav") << 0.6;
    QTest::newRow("session closed") << shippedSound("failure.wav") << 0.6;
}

void tst_SoundPlayer::shippedSoundsHaveTheirFormat()
{
    QFETCH(QString, path);
    QFETCH(double, seconds);
    QVERIFY(QFile(path).size() < 40'000);

    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    QVERIFY2(file, sf_strerror(nullptr));
    QVector<short> samples(info.frames);
    const sf_count_t read = sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);

    QCOMPARE(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    QCOMPARE(info.channels, 1);
    QCOMPARE(info.samplerate, shippedRate);
    QCOMPARE(read, info.frames);
    QCOMPARE(info.frames, sf_count_t(seconds * shippedRate));

    // Smooth envelopes: silence at both ends; loud enough to hear and never clipped in between.
    QVERIFY(std::abs(samples.first()) < 100 && std::abs(samples.last()) < 100);
    const auto [low, high] = std::minmax_element(samples.cbegin(), samples.cend());
    const int peak = std::max(-*low, int(*high));
    QVERIFY2(peak > 8000 && peak < 32000, qPrintable(QString::number(peak)));
}

void tst_SoundPlayer::playsEachSoundToItsEndOneAfterAnother()
{
    if (!soundServerAnswers())
        QSKIP("no sound server answers");
    const QString path = shippedSound("NewDX.wav");
    const std::chrono::milliseconds duration = durationOf(path);
    QVERIFY(duration > 0ms);

    int fallbacks = 0;
    WavSoundPlayer player([&fallbacks] { ++fallbacks; });
    QElapsedTimer elapsed;
    elapsed.start();
    player.play(path);
    // A lower bound only: play returns after the sound, so two sounds take at least twice as long.
    QVERIFY(elapsed.elapsed() >= duration.count());
    player.play(path);
    QVERIFY(elapsed.elapsed() >= 2 * duration.count());
    QCOMPARE(fallbacks, 0);
}

void tst_SoundPlayer::capsThePlayingTimeOfAnEnormousFile()
{
    if (!soundServerAnswers())
        QSKIP("no sound server answers");
    // About six hours of sound, most of it a hole in a sparse file.
    constexpr quint32 dataBytes = 1'000'000'000;
    const QString path = m_dir.filePath("enormous.wav");
    QVERIFY(writeFile(path, wavHeader(dataBytes)));
    QVERIFY(QFile::resize(path, 44 + dataBytes));

    int fallbacks = 0;
    WavSoundPlayer player([&fallbacks] { ++fallbacks; }, {}, 200ms);
    player.play(path);
    QCOMPARE(fallbacks, 0);
}

void tst_SoundPlayer::recordingPlayerKeepsTheOrderOfNestedPlays()
{
    RecordingSoundPlayer player;
    player.setDuringPlay([&player](const QString& path) {
        if (path == "outer")
            player.play("inner");
        else
            player.setDuringPlay({});
    });
    player.play("outer");
    player.play("after");
    QCOMPARE(player.playedPaths(), (QStringList{"outer", "inner", "after"}));
}

QTEST_GUILESS_MAIN(tst_SoundPlayer)
#include "tst_SoundPlayer.moc"
