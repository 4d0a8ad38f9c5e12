// korvane-parse [--dxcc FILE] [--block N]
// Reads what a cluster node sends (telnet commands already removed) from standard input, in blocks
// of N bytes or as the reads come, runs it through the program's intake and line cuts, and prints
// one JSON object per line that reached the program.

#include "ClusterIntake.h"
#include "ClusterLine.h"
#include "CountryTable.h"
#include "JsonLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr qsizetype defaultReadSize = 64 * 1024;

// Reads up to size bytes; with exact, keeps reading until size bytes or the end of the input.
qsizetype readBlock(char* buffer, qsizetype size, bool exact)
{
    qsizetype got = 0;
    while (got < size) {
        const ssize_t n = ::read(STDIN_FILENO, buffer + got, size_t(size - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
        if (!exact)
            break;
    }
    return got;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(u"Prints what each line a cluster node sends becomes in KORVANE."_qs);
    options.addHelpOption();
    options.addOption({u"dxcc"_qs, u"The country table to look callsigns up in."_qs, u"FILE"_qs});
    options.addOption({u"block"_qs, u"Feed the input in blocks of N bytes."_qs, u"N"_qs});
    options.process(app);

    CountryTable countries;
    if (options.isSet(u"dxcc"_qs)) {
        const CountryTableLoad load = loadCountryTableFile(options.value(u"dxcc"_qs), countries);
        if (!load.warning.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(load.warning));
        if (load.outcome == CountryTableLoad::Outcome::NotFound)
            return 2;
    }

    bool blockOk = true;
    const qsizetype block = options.isSet(u"block"_qs) ? options.value(u"block"_qs).toLongLong(&blockOk) : 0;
    if (!blockOk || block < 0) {
        std::fprintf(stderr, "korvane-parse: --block needs a number of bytes\n");
        return 2;
    }

    ClusterIntake intake([&](const QString& line) {
        const QByteArray json = toJsonLine(parseClusterLine(line, countries));
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        std::fputc('\n', stdout);
    });
    QByteArray buffer(block > 0 ? block : defaultReadSize, Qt::Uninitialized);
    while (const qsizetype got = readBlock(buffer.data(), buffer.size(), block > 0))
        intake.receive(QByteArrayView(buffer).first(got));
    intake.finish();
    return 0;
}
