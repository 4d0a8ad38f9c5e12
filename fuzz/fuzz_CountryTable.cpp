// The country table file: NextField on each of its lines, the loader on the whole text, then lookups
// of callsigns taken from the text, each of which must give the first row of its prefix.

#include "FuzzKit.h"

#include "CountryTable.h"
#include "NextField.h"
#include "TextDecoding.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace {

// Cuts a few fields off the line: each is the text before a separator, or the whole rest.
void cutFields(QString line)
{
    for (int field = 0; field < 10; ++field) {
        const QString before = line;
        const QString cut = NextField(line, u',');
        if (before.contains(u','))
            require(before == cut + u',' + line, "a field and the rest make up the line");
        else
            require(cut == before && line == before, "a line without separator is its own field");
    }
}

// A walk from the first row: what the index must give.
const TDXRecord* firstRowOf(const CountryTable& table, const QString& prefix)
{
    for (const TDXRecord& row : table.rows()) {
        if (row.PFX == prefix)
            return &row;
    }
    return nullptr;
}

// The callsigns of the text: its words, looked up under their first four, three, two and one characters.
void lookUpWordsOf(const QString& text, const CountryTable& table)
{
    const QStringList words = text.split(QRegularExpression(u"[\\s,]+"_qs), Qt::SkipEmptyParts);
    for (const QString& word : words.first(std::min<qsizetype>(words.size(), 20))) {
        for (qsizetype n = 4; n >= 1; --n) {
            const QString prefix = word.left(n);
            require(table.FindCountry(prefix) == firstRowOf(table, prefix), "a lookup gives the first row");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const QString text = decodeText(bytes);
    for (const QString& line : text.split(u'\n'))
        cutFields(line);

    CountryTable table;
    const QString path = inputFile(CountryTableText::fileName, bytes);
    const CountryTableLoad load = LoadCountryTable(QFileInfo(path).absolutePath(), table);
    require(load.outcome != CountryTableLoad::Outcome::NotFound, "a file that is there is found");
    require((load.outcome == CountryTableLoad::Outcome::Loaded) == load.warning.isEmpty(),
            "a stopped load says why");
    lookUpWordsOf(text, table);
    return 0;
}
