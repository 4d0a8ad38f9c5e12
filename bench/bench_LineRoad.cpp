// The road of a received line through the core: intake, recognition, spot cut, country lookup
// and band, on a realistic mix of cluster output, with the shipped country table.

#include "ClusterIntake.h"
#include "ClusterLine.h"
#include "CountryTable.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>

namespace {

const CountryTable& shippedTable()
{
    static const CountryTable table = [] {
        CountryTable t;
        LoadCountryTable(QStringLiteral(KORVANE_DATA_DIR), t);
        return t;
    }();
    return table;
}

const char* const frequencies[] = {"1830.0",   "3525.0",   "7025.0",  "10105.0", "14025.0",
                                   "18100.0",  "21025.0",  "24890.0", "28025.0", "50150.0",
                                   "144300.0", "432100.0", "5357.0",  "14074.0", "10368100.0"};

// Callsigns built on the table's own prefixes, so lookups hit at every length.
QByteArray callsign(QRandomGenerator& random)
{
    const auto& rows = shippedTable().rows();
    QByteArray call = rows.at(random.bounded(int(rows.size()))).PFX.toLatin1().left(3);
    call += QByteArray::number(random.bounded(10)) + char('A' + random.bounded(26)) +
            char('A' + random.bounded(26));
    return call;
}

QByteArray spotLine(QRandomGenerator& random)
{
    const QByteArray frequency = frequencies[random.bounded(int(std::size(frequencies)))];
    QByteArray head = "DX de " + callsign(random) + ":";
    head = head.leftJustified(24 - frequency.size()) + frequency;
    return head.leftJustified(26) + callsign(random).leftJustified(13) +
           QByteArray("CW 599 tnx").leftJustified(30) + "1227Z JN05\x07\x07\r\n";
}

// Mostly spots, some announcements, WCY reports and other lines, as a busy node sends them.
QByteArray clusterOutput(int lines)
{
    QRandomGenerator random(42);
    QByteArray out;
    for (int i = 0; i < lines; ++i) {
        switch (i % 20) {
        case 0:
            out += "To ALL de F4TST: contest starts at 12:00z, good luck all\x07\x07\r\n";
            break;
        case 1:
            out += "WCY de DK0WCY-1 <12> : K=3 expK=2 A=12 R=110 SFI=150 SA=qui GMF=qui Au=no\x07\x07\r\n";
            break;
        case 2:
        case 3:
            out += "F4TST de GB7TST 11-Dec-2026 1227Z dxspider >\r\n";
            break;
        default:
            out += spotLine(random);
        }
    }
    return out;
}

void lineRoad(benchmark::State& state)
{
    const CountryTable& table = shippedTable();
    const QByteArray stream = clusterOutput(int(state.range(0)));
    constexpr qsizetype readSize = 2048; // what one socket read delivers
    qint64 spots = 0;
    for (auto _ : state) {
        ClusterIntake intake([&](const QString& line) {
            const ClusterLine parsed = parseClusterLine(line, table);
            spots += parsed.kind == ClusterLine::Kind::Spot;
            benchmark::DoNotOptimize(parsed.spot.band);
        });
        for (qsizetype at = 0; at < stream.size(); at += readSize)
            intake.receive(QByteArrayView(stream).sliced(at, qMin(readSize, stream.size() - at)));
        intake.finish();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.counters["spots"] = benchmark::Counter(double(spots), benchmark::Counter::kIsRate);
}
// Lines per second must not depend on how many lines came before.
BENCHMARK(lineRoad)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void countryLookup(benchmark::State& state)
{
    const CountryTable& table = shippedTable();
    QRandomGenerator random(7);
    QStringList calls;
    for (int i = 0; i < 4096; ++i)
        calls.append(QString::fromLatin1(callsign(random)));
    qsizetype i = 0;
    for (auto _ : state) {
        const QString& call = calls.at(i++ & 4095);
        for (qsizetype n = 4; n >= 1; --n) {
            if (const TDXRecord* row = table.FindCountry(call.left(n))) {
                benchmark::DoNotOptimize(row);
                break;
            }
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(countryLookup);

} // namespace

BENCHMARK_MAIN();
