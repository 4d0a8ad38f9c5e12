// korvane-node: a small DX cluster node on 127.0.0.1 for trying KORVANE offline, for tests and for
// benchmarks. It answers like DXSpider and, as asked, plays a recorded session or makes up traffic.

#include "LocalClusterNode.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTime>

#include <cstdio>
#include <optional>

namespace {

constexpr qint64 MaxSessionBytes = 16 * 1024 * 1024;
constexpr int DefaultSynthesisedLines = 1000;

void printError(const QString& message)
{
    std::fputs(qPrintable(u"korvane-node: "_qs + message + u'\n'), stderr);
}

// The value of a numeric option if it lies in [lowest, highest]; nothing, after saying why, if not.
std::optional<double> numberOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                                   double lowest, double highest)
{
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (ok && value >= lowest && value <= highest)
        return value;
    printError(
        u"--%1 takes a number from %2 to %3"_qs.arg(option.names().constFirst()).arg(lowest).arg(highest));
    return std::nullopt;
}

std::optional<QByteArray> readSession(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(u"cannot read %1: %2"_qs.arg(path, file.errorString()));
        return std::nullopt;
    }
    if (file.size() > MaxSessionBytes) {
        printError(u"%1 is larger than %2 bytes"_qs.arg(path).arg(MaxSessionBytes));
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"korvane-node"_qs);
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"A local DX cluster node on 127.0.0.1 that answers like DXSpider. After login each client gets "
        u"the --session file, or with --rate or --count made-up spots, announcements and WCY reports; "
        u"without --rate the lines go out as fast as the client takes them."_qs);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        u"port"_qs, u"The port on 127.0.0.1 (default 7300, 0: any free port)."_qs, u"N"_qs, u"7300"_qs);
    const QCommandLineOption nodeCallOption(u"node-call"_qs, u"The node's callsign (default GB7TST)."_qs,
                                            u"CALL"_qs, u"GB7TST"_qs);
    const QCommandLineOption negotiateOption(
        u"negotiate"_qs,
        u"Negotiate telnet options: DO TERMINAL-TYPE, WILL ECHO, WILL SUPPRESS-GO-AHEAD."_qs);
    const QCommandLineOption verboseOption(
        u"verbose"_qs, u"Log connections, logins, commands and the client's telnet answers."_qs);
    const QCommandLineOption sessionOption(u"session"_qs,
                                           u"Send this file's bytes as they are after login."_qs, u"FILE"_qs);
    const QCommandLineOption rateOption(u"rate"_qs, u"Feed lines per second (0.1 to 1000)."_qs,
                                        u"LINES_PER_SECOND"_qs);
    const QCommandLineOption countOption(
        u"count"_qs, u"Made-up lines per client, then silence (default %1)."_qs.arg(DefaultSynthesisedLines),
        u"N"_qs);
    const QCommandLineOption spotsOnlyOption(u"spots-only"_qs,
                                             u"Make up spots only: no announcements or reports."_qs);
    const QCommandLineOption burstOption(u"burst"_qs, u"Feed lines per write (default 1)."_qs, u"K"_qs,
                                         u"1"_qs);
    const QCommandLineOption splitOption(u"split"_qs,
                                         u"Cut each write at a random point inside its last line."_qs);
    const QCommandLineOption dropAfterOption(u"drop-after"_qs, u"Close the connection after N feed lines."_qs,
                                             u"N"_qs);
    const QCommandLineOption resetOption(
        u"reset"_qs, u"Drop with RST: after --drop-after lines, or else at the end of the feed."_qs);
    const QCommandLineOption seedOption(u"seed"_qs, u"Seed of the made-up traffic, for repeatable runs."_qs,
                                        u"N"_qs);
    parser.addOptions({portOption, nodeCallOption, negotiateOption, verboseOption, sessionOption, rateOption,
                       countOption, spotsOnlyOption, burstOption, splitOption, dropAfterOption, resetOption,
                       seedOption});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        printError(u"unexpected argument %1 (see --help)"_qs.arg(parser.positionalArguments().constFirst()));
        return 2;
    }

    NodeOptions options;
    options.nodeCall = parser.value(nodeCallOption).trimmed().toUpper();
    if (options.nodeCall.isEmpty() || options.nodeCall.contains(u' ')) {
        printError(u"--node-call takes one callsign"_qs);
        return 2;
    }
    options.negotiate = parser.isSet(negotiateOption);
    options.split = parser.isSet(splitOption);
    options.reset = parser.isSet(resetOption);
    options.spotsOnly = parser.isSet(spotsOnlyOption);
    if (parser.isSet(sessionOption) && parser.isSet(countOption)) {
        printError(u"--count makes up lines and --session plays a file: give one of them"_qs);
        return 2;
    }

    const auto port = numberOption(parser, portOption, 0, 65535);
    const auto burst = numberOption(parser, burstOption, 1, 10000);
    const auto rate = parser.isSet(rateOption) ? numberOption(parser, rateOption, 0.1, 1000) : 0.0;
    const auto count = parser.isSet(countOption) ? numberOption(parser, countOption, 1, 10000000)
                                                 : double(DefaultSynthesisedLines);
    const auto dropAfter =
        parser.isSet(dropAfterOption) ? numberOption(parser, dropAfterOption, 1, 1e6) : 0.0;
    const auto seed = parser.isSet(seedOption) ? numberOption(parser, seedOption, 0, 4294967295.0)
                                               : double(QRandomGenerator::global()->generate());
    if (!port || !burst || !rate || !count || !dropAfter || !seed)
        return 2;
    options.burst = int(*burst);
    options.rate = *rate;
    options.dropAfter = int(*dropAfter);
    options.seed = quint32(*seed);

    if (parser.isSet(sessionOption)) {
        const auto session = readSession(parser.value(sessionOption));
        if (!session)
            return 1;
        options.session = *session;
    } else if (parser.isSet(rateOption) || parser.isSet(countOption)) {
        options.synthesisedLines = int(*count);
    }

    LocalClusterNode node(options);
    if (parser.isSet(verboseOption)) {
        QObject::connect(&node, &LocalClusterNode::logged, [](const QString& message) {
            std::fprintf(stderr, "%s %s\n", qPrintable(QTime::currentTime().toString(u"hh:mm:ss.zzz"_qs)),
                         qPrintable(message));
        });
        if (options.synthesisedLines > 0)
            printError(u"seed %1"_qs.arg(options.seed));
    }
    if (!node.listen(quint16(*port))) {
        printError(u"cannot listen on 127.0.0.1:%1: %2"_qs.arg(quint16(*port)).arg(node.errorString()));
        return 1;
    }
    std::printf("korvane-node: %s listening on 127.0.0.1:%u\n", qPrintable(options.nodeCall), node.port());
    std::fflush(stdout);
    return app.exec();
}
