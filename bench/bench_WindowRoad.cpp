// Spots per second through the whole window road, offscreen: intake, cuts, both grids, counters,
// chart and details panel, with an event-loop pass after every socket-sized block as in a session.
// Prints the rate and the resident memory after each step. Usage: bench_WindowRoad [SPOTS...]

#include "BenchWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

const char* const frequencies[] = {"1830.0",  "3525.0",  "7025.0",  "10105.0", "14025.0",  "18100.0",
                                   "21025.0", "24890.0", "28025.0", "50150.0", "144300.0", "432100.0"};
const char* const calls[] = {"JA1ABC", "DL1XYZ", "K1ABC", "VK2ABC", "EA8AB", "3B8XX", "F5XYZ", "G3ABC"};

QByteArray spotLines(int first, int count)
{
    QByteArray out;
    for (int i = first; i < first + count; ++i) {
        const QByteArray frequency = frequencies[i % std::size(frequencies)];
        QByteArray head = "DX de W3LPL:";
        head = head.leftJustified(24 - frequency.size()) + frequency;
        out += head.leftJustified(26) + QByteArray(calls[i % std::size(calls)]).leftJustified(13) +
               ("spot " + QByteArray::number(i)).leftJustified(30) + "1227Z\x07\x07\r\n";
    }
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each step's figures as soon as they are known
    QApplication app(argc, argv);
    QList<int> steps{100000, 1000000};
    if (argc > 1) {
        steps.clear();
        for (int i = 1; i < argc; ++i)
            steps.append(QByteArray(argv[i]).toInt());
    }

    BenchWindow bench;
    TTelForm& window = bench.window;
    const long baseline = residentKilobytes();
    std::printf("resident memory with no spot: %ld kB\n", baseline);

    constexpr int blockLines = 25; // about one 2048-byte socket read
    int fed = 0;
    for (const int target : steps) {
        QElapsedTimer clock;
        clock.start();
        const int from = fed;
        while (fed < target) {
            const int count = std::min(blockLines, target - fed);
            window.DataAvailable(spotLines(fed, count));
            fed += count;
            QCoreApplication::processEvents();
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        const long resident = residentKilobytes();
        std::printf("%d spots: %.0f spots/s over the last %d; resident %ld kB, %.0f bytes per spot\n", fed,
                    (fed - from) / seconds, fed - from, resident, (resident - baseline) * 1024.0 / fed);
    }
    return 0;
}
