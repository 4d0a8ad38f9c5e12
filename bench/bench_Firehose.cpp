// The firehose: korvane-node, in a process of its own, streams spots as fast as loopback allows into
// the window, offscreen. Prints one line of figures: spots per second from the login until the last
// spot is in the list of all spots, the window's CPU seconds, its peak resident memory, resident
// bytes per held spot, and the worst lateness of a 10 ms timer meanwhile (the longest stall of the
// event loop). Fails unless every spot is shown, once and in order.
// Usage: bench_Firehose SPOTS [LINES_PER_WRITE]

#include "BenchWindow.h"
#include "StringGrid.h"
#include "TrafficSynthesizer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

namespace {

constexpr quint32 NodeSeed = 1;
constexpr qint64 TimerPeriodNs = 10'000'000;
constexpr qint64 SilenceLimitNs = 20'000'000'000; // no new spot for this long: the run has failed

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Starts the node on a free port and returns that port, or 0.
quint16 startNode(QProcess& node, int spots, int linesPerWrite)
{
    node.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    node.start(QStringLiteral(KORVANE_NODE),
               {u"--port"_qs, u"0"_qs, u"--count"_qs, QString::number(spots), u"--spots-only"_qs,
                u"--burst"_qs, QString::number(linesPerWrite), u"--seed"_qs, QString::number(NodeSeed)});
    if (!node.waitForStarted() || !node.waitForReadyRead(10000))
        return 0;
    const auto match = QRegularExpression(u"listening on 127\\.0\\.0\\.1:(\\d+)"_qs)
                           .match(QString::fromUtf8(node.readLine()));
    return match.hasMatch() ? quint16(match.captured(1).toUInt()) : 0;
}

// Whether the list shows the node's spots in the order sent: the node makes them up from its seed.
bool showsEverySpotInOrder(const StringGrid& all, int spots)
{
    TrafficSynthesizer synthesizer(NodeSeed);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int row = 1; row <= spots; ++row) {
        TrafficSynthesizer::Line line = synthesizer.next(now);
        while (!line.spot)
            line = synthesizer.next(now);
        if (row >= all.rowCount() || all.cell(1, row) != line.spot->call)
            return false;
    }
    return all.rowCount() == spots + 1;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int spots = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    const int linesPerWrite = argc > 2 ? QByteArray(argv[2]).toInt() : 200;

    QProcess node;
    const quint16 port = startNode(node, spots, linesPerWrite);
    if (port == 0) {
        std::fprintf(stderr, "korvane-node did not start\n");
        return 1;
    }

    BenchWindow bench;
    TTelForm& window = bench.window;
    const auto* all = window.findChild<StringGrid*>(QStringLiteral("GridAll"));
    auto* login = window.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    QCoreApplication::processEvents();
    const long residentBefore = residentKilobytes();
    window.findChild<QLineEdit*>(QStringLiteral("URLEdit"))->setText(QStringLiteral("127.0.0.1"));
    window.findChild<QLineEdit*>(QStringLiteral("PORTEdit"))->setText(QString::number(port));
    window.findChild<QLineEdit*>(QStringLiteral("INDEdit"))->setText(QStringLiteral("F4TST"));
    window.ConnectBtnClick();

    // Every 10 ms: log in once the node has prompted, watch the list grow, and note how late the
    // timer comes. The clock runs from the login to the last spot.
    QElapsedTimer clock;
    double cpuAtLogin = 0;
    qint64 lastTick = 0;
    qint64 lastGrowth = 0;
    qint64 worstLateness = 0;
    int shown = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!clock.isValid()) {
            if (login->isEnabled()) {
                login->click();
                clock.start();
                cpuAtLogin = cpuSeconds();
            }
            return;
        }
        const qint64 now = clock.nsecsElapsed();
        worstLateness = std::max(worstLateness, now - lastTick - TimerPeriodNs);
        lastTick = now;
        const int rows = all->rowCount() - 1; // below the header row
        if (rows > shown) {
            shown = rows;
            lastGrowth = now;
        }
        if (shown >= spots || now - lastGrowth > SilenceLimitNs)
            QCoreApplication::exit(0); // ends the loop without closing the window and its questions
    });
    tick.start(10);
    app.exec();

    const double seconds = lastGrowth / 1e9;
    const double cpu = cpuSeconds() - cpuAtLogin;
    const long resident = residentKilobytes();
    std::printf("%d spots, %d lines a write: %d shown in %.2f s, %.0f spots/s, %.2f CPU s, peak resident "
                "%ld kB, %.0f bytes per held spot, worst 10 ms timer lateness %.1f ms\n",
                spots, linesPerWrite, shown, seconds, shown / seconds, cpu, peakResidentKilobytes(),
                (resident - residentBefore) * 1024.0 / std::max(shown, 1), worstLateness / 1e6);
    node.kill();
    node.waitForFinished();
    if (!showsEverySpotInOrder(*all, spots)) {
        std::fprintf(stderr, "the list of all spots is not the node's spots in order\n");
        return 1;
    }
    return 0;
}
