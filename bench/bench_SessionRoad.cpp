// Spots per second from a cluster node over loopback into the window: socket, telnet decoding, the
// session pane, the line intake and the whole window road. The node runs in this process and
// makes up its traffic (mostly spots) as fast as the window reads it, 200 lines per write.
// Usage: bench_SessionRoad [LINES]

#include "BenchWindow.h"
#include "LocalClusterNode.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;

    NodeOptions options;
    options.synthesisedLines = lines;
    options.burst = 200;
    options.seed = 1;
    LocalClusterNode node(options);
    if (!node.listen()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }

    BenchWindow bench;
    TTelForm& window = bench.window;
    window.findChild<QLineEdit*>(QStringLiteral("URLEdit"))->setText(QStringLiteral("127.0.0.1"));
    window.findChild<QLineEdit*>(QStringLiteral("PORTEdit"))->setText(QString::number(node.port()));
    window.findChild<QLineEdit*>(QStringLiteral("INDEdit"))->setText(QStringLiteral("F4TST"));
    window.ConnectBtnClick();

    // Log in once the node has prompted, then time from the first spot to the last.
    QElapsedTimer clock;
    qsizetype lastCount = 0;
    qint64 lastGrowth = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* login = window.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        if (login->isEnabled())
            login->click();
        const qsizetype count = window.spotList().size();
        if (count > lastCount) {
            if (lastCount == 0)
                clock.start();
            lastCount = count;
            lastGrowth = clock.nsecsElapsed();
        } else if (lastCount > 0 && clock.nsecsElapsed() - lastGrowth > 1'000'000'000) {
            QCoreApplication::exit(0); // ends the loop without closing the window and its questions
        }
    });
    poll.start(10);
    app.exec();
    std::printf("%lld spots of %d lines in %.2f s: %.0f spots/s through the socket and the window\n",
                static_cast<long long>(lastCount), lines, lastGrowth / 1e9, lastCount / (lastGrowth / 1e9));
    return 0;
}
