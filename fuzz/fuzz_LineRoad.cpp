// The road of received bytes: the intake cuts lines from blocks of random sizes, and every line is
// recognised and cut. The lines, and so what they become, must not depend on the cut into blocks,
// nor on a handler that lets the next block in while it handles a line (the new-spot sound does).

#include "FuzzKit.h"

#include "ClusterIntake.h"
#include "ClusterLine.h"
#include "CountryTable.h"

#include <QStringList>

namespace {

const CountryTable& smallCountryTable()
{
    static const CountryTable table = [] {
        CountryTable countries;
        for (const TDXRecord& row : {
                 TDXRecord{u"DL"_qs, u"Germany"_qs, u"14"_qs, u"28"_qs, u"51.00"_qs, u"10.00"_qs, u"EU"_qs,
                           u"230"_qs},
                 TDXRecord{u"F"_qs, u"France"_qs, u"14"_qs, u"27"_qs, u"46.00"_qs, u"2.00"_qs, u"EU"_qs,
                           u"227"_qs},
                 TDXRecord{u"K"_qs, u"United States"_qs, u"5"_qs, u"8"_qs, u"37.53"_qs, u"-91.67"_qs,
                           u"NA"_qs, u"291"_qs},
                 TDXRecord{u"JA"_qs, u"Japan"_qs, u"25"_qs, u"45"_qs, u"36.40"_qs, u"138.38"_qs, u"AS"_qs,
                           u"339"_qs},
                 TDXRecord{u"VK9X"_qs, u"Christmas Island"_qs, u"29"_qs, u"54"_qs, u"-10.48"_qs, u"105.63"_qs,
                           u"OC"_qs, u"35"_qs},
                 TDXRecord{u"DL"_qs, u"Second Germany"_qs, {}, {}, {}, {}, {}, {}},
             })
            countries.append(row);
        return countries;
    }();
    return table;
}

// The lines the intake hands on for the stream fed in blocks; while handling a line, the handler
// takes in the next block now and then, as pending events may.
QStringList receivedLines(const QList<QByteArrayView>& blocks, std::uint32_t seed)
{
    std::minstd_rand random(seed);
    QStringList lines;
    qsizetype next = 0;
    ClusterIntake* intake = nullptr;
    ClusterIntake road([&](const QString& line) {
        lines.append(line);
        if (next < blocks.size() && random() % 4 == 0)
            intake->receive(blocks.at(next++));
    });
    intake = &road;
    while (next < blocks.size())
        road.receive(blocks.at(next++));
    road.finish();
    return lines;
}

// Every line recognised and cut, as the window does with it.
void parseEveryLine(const QStringList& lines)
{
    for (const QString& line : lines) {
        require(!line.isEmpty() && !line.contains(u'\r') && !line.contains(u'\n') && !line.contains(u'\0'),
                "a line holds text and no line end or NUL");
        const ClusterLine cut = parseClusterLine(line, smallCountryTable());
        if (cut.kind != ClusterLine::Kind::Spot)
            continue;
        require(cut.spot.row().size() == 7, "a spot row has seven cells");
        require(cut.spot.country.PYS != u"Second Germany", "the first row of a prefix wins");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SeededInput input = seededInput(data, size);
    const QStringList whole = receivedLines({input.bytes}, input.seed);
    const QStringList cut = receivedLines(cutIntoBlocks(input.bytes, input.seed), input.seed);
    require(cut == whole, "the lines do not depend on the cut into blocks");
    parseEveryLine(whole);
    return 0;
}
