// Tests of the cty.dat -> Dxcc.dta converter (tools/korvane-cty) and of the shipped data/Dxcc.dta.

#include "CountryTable.h"
#include "TestFiles.h"
#include "CtyConverter.h"
#include "SpotParser.h"
#include "TextDecoding.h"

#include <QFile>
#include <QtTest>

using namespace korvane::cty;

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(KORVANE_FIXTURES_DIR "/cty/") + name;
}

// The country row the program finds for a callsign, by the same cut and lookup as a received spot.
TDXRecord countryOf(const CountryTable& table, const QString& call)
{
    return ParseSpot(u"DX de F4TST:     14025.0  "_qs + call.leftJustified(13), table).country;
}

CountryTable loadTable(const QString& folder)
{
    CountryTable table;
    const CountryTableLoad load = LoadCountryTable(folder, table);
    if (!load.warning.isEmpty())
        qWarning("%s", qPrintable(load.warning));
    return table;
}

// Checks the rules of a country table file and the converter's own: CR LF, eight fields, ASCII.
void checkFormat(const QByteArray& data)
{
    QVERIFY(!data.isEmpty());
    QVERIFY2(data.endsWith("\r\n"), "the last row ends with CR LF");
    QVERIFY2(!data.endsWith("\r\n\r\n"), "no empty line at the end");
    QVERIFY2(!data.contains("\r\n\r\n"), "no empty line");
    QVERIFY2(!data.startsWith("\r\n"), "no empty first line");
    for (char c : data)
        QVERIFY2((c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n', "plain printable ASCII");
    QCOMPARE(data.count("\r\n"), data.count('\n'));
    QCOMPARE(data.count("\r\n"), data.count('\r'));
    const QList<QByteArray> lines = data.left(data.size() - 1).split('\n');
    for (QByteArray line : lines) {
        QVERIFY(line.endsWith('\r'));
        line.chop(1);
        QVERIFY2(!line.isEmpty(), "no empty line");
        QVERIFY2(line.count(',') == 7, line.constData());
        QVERIFY2(!line.startsWith(','), line.constData());
    }
}

} // namespace

class TestCtyConverter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixtureMatchesExpectedFile();
    void parseHeaderAndPrefixes();
    void overridesApplied();
    void wholeCallEntriesSkipped();
    void westToEastSign();
    void duplicatePrefixKeepsFirst();
    void explicitPrefixBeatsAddedPrimary();
    void commaInName();
    void waeEntityWithoutStar();
    void missingAdifIsEmptyField();
    void emptyPrefixListKeepsPrimary();
    void crlfInput();
    void versionDate();
    void csvQuotedField();
    void csvMalformed();
    void malformed_data();
    void malformed();
    void helpers();
    void formatRules();
    void fixtureLookups();
    void shippedTable();
};

namespace {

ConvertResult convertFixture()
{
    const CtyParseResult cty = CtyConverter::parseCtyDat(decodeText(contentOf(fixture(u"cty.dat"_qs))));
    const CsvParseResult csv = CtyConverter::parseCtyCsv(decodeText(contentOf(fixture(u"cty.csv"_qs))));
    if (!cty.ok() || !csv.ok())
        return {};
    return CtyConverter::convert(cty.entities, csv.adifByPrefix);
}

const DxccRow* rowOf(const QList<DxccRow>& rows, const QString& pfx)
{
    for (const DxccRow& r : rows)
        if (r.pfx == pfx)
            return &r;
    return nullptr;
}

} // namespace

void TestCtyConverter::fixtureMatchesExpectedFile()
{
    const QByteArray expected = contentOf(fixture(u"Dxcc.dta"_qs));
    QVERIFY(!expected.isEmpty());
    const ConvertResult conv = convertFixture();
    QVERIFY(!conv.rows.isEmpty());
    const QByteArray actual = CtyConverter::formatDxcc(conv.rows);
    if (actual != expected) {
        const QList<QByteArray> a = actual.split('\n'), e = expected.split('\n');
        for (int i = 0; i < qMax(a.size(), e.size()); ++i)
            QCOMPARE(a.value(i), e.value(i));
    }
    QCOMPARE(actual, expected);
}

void TestCtyConverter::parseHeaderAndPrefixes()
{
    const CtyParseResult r = CtyConverter::parseCtyDat(decodeText(contentOf(fixture(u"cty.dat"_qs))));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.entities.size(), 11);
    const CtyEntity& us = r.entities.at(3);
    QCOMPARE(us.name, u"United States"_qs);
    QCOMPARE(us.cqZone, u"05"_qs);
    QCOMPARE(us.ituZone, u"08"_qs);
    QCOMPARE(us.continent, u"NA"_qs);
    QCOMPARE(us.latitude, u"37.60"_qs);
    QCOMPARE(us.longitude, u"91.87"_qs);
    QCOMPARE(us.primaryPrefix, u"K"_qs);
    QCOMPARE(us.line, 7);
    QCOMPARE(us.prefixes.size(), 9);
    QCOMPARE(us.prefixes.at(4).prefix, u"N2NL/MM"_qs);
    QVERIFY(us.prefixes.at(4).wholeCall);
    QCOMPARE(us.prefixes.at(4).cqZone, u"7"_qs);
    QCOMPARE(us.prefixes.at(6).prefix, u"AA0"_qs);
    QCOMPARE(us.prefixes.at(6).line, 9);
    QCOMPARE(us.prefixes.at(8).line, 10);
    QCOMPARE(r.entities.at(6).primaryPrefix, u"*4U1V"_qs);
}

void TestCtyConverter::overridesApplied()
{
    const ConvertResult conv = convertFixture();
    const DxccRow* kh6 = rowOf(conv.rows, u"KH6"_qs);
    QVERIFY(kh6);
    // (31) [61] <21.12/157.48> {OC} ~10.0~ : zones, position and continent overridden, offset unused.
    QCOMPARE(*kh6, (DxccRow{u"KH6"_qs, u"United States"_qs, u"31"_qs, u"61"_qs, u"21.12"_qs, u"-157.48"_qs,
                            u"OC"_qs, u"291"_qs}));
    const DxccRow* aa0 = rowOf(conv.rows, u"AA0"_qs);
    QVERIFY(aa0);
    QCOMPARE(aa0->cqz, u"4"_qs);
    QCOMPARE(aa0->ituz, u"7"_qs);
    QCOMPARE(aa0->latz, u"37.60"_qs); // no position override: the entity's
    QCOMPARE(aa0->longz, u"-91.87"_qs);
    QCOMPARE(aa0->wacz, u"NA"_qs);
    const DxccRow* k = rowOf(conv.rows, u"K"_qs);
    QVERIFY(k);
    QCOMPARE(k->cqz, u"5"_qs); // "05" written without the leading zero
    QCOMPARE(k->ituz, u"8"_qs);
}

void TestCtyConverter::wholeCallEntriesSkipped()
{
    const ConvertResult conv = convertFixture();
    for (const DxccRow& r : conv.rows) {
        QVERIFY(!r.pfx.startsWith(u'='));
        QVERIFY(r.pfx != u"N2NL/MM" && r.pfx != u"W1AW" && r.pfx != u"9M4SDX" && r.pfx != u"G3ABC");
        QVERIFY(!r.pfx.startsWith(u"VER"));
    }
    // Conway Reef has only whole calls: its row is its primary prefix.
    const DxccRow* cr = rowOf(conv.rows, u"3D2/c"_qs);
    QVERIFY(cr);
    QCOMPARE(cr->pys, u"Conway Reef"_qs);
    // W1AW(4)[7] must not change the W row.
    QCOMPARE(rowOf(conv.rows, u"W"_qs)->cqz, u"5"_qs);
}

void TestCtyConverter::westToEastSign()
{
    const ConvertResult conv = convertFixture();
    QCOMPARE(rowOf(conv.rows, u"1A"_qs)->longz, u"12.43"_qs);   // cty.dat -12.43 (east)
    QCOMPARE(rowOf(conv.rows, u"9M0"_qs)->longz, u"114.23"_qs); // cty.dat -114.23
    QCOMPARE(rowOf(conv.rows, u"G"_qs)->longz, u"-1.47"_qs);    // cty.dat 1.47 (west)
    QCOMPARE(rowOf(conv.rows, u"3D2/c"_qs)->longz, u"175.00"_qs);
    QCOMPARE(rowOf(conv.rows, u"AY1Z"_qs)->longz, u"0.00"_qs);   // never "-0.00"
    QCOMPARE(rowOf(conv.rows, u"AY1Z"_qs)->latz, u"-90.00"_qs);  // latitude keeps its sign
    QCOMPARE(rowOf(conv.rows, u"KL7"_qs)->longz, u"-148.87"_qs); // override negated too
}

void TestCtyConverter::duplicatePrefixKeepsFirst()
{
    const ConvertResult conv = convertFixture();
    int kh6 = 0;
    for (const DxccRow& r : conv.rows)
        kh6 += r.pfx == u"KH6";
    QCOMPARE(kh6, 1);
    QCOMPARE(rowOf(conv.rows, u"KH6"_qs)->pys, u"United States"_qs); // the first in file order
    QCOMPARE(rowOf(conv.rows, u"AH6"_qs)->pys, u"Hawaii"_qs);
    bool warned = false;
    for (const QString& w : conv.warnings)
        warned |= w.contains(u"KH6") && w.contains(u"Hawaii");
    QVERIFY(warned);

    QSet<QString> seen;
    for (const DxccRow& r : conv.rows) {
        QVERIFY2(!seen.contains(r.pfx), qPrintable(r.pfx));
        seen.insert(r.pfx);
    }
}

void TestCtyConverter::explicitPrefixBeatsAddedPrimary()
{
    // Antarctica's primary prefix CE9 is not in its own list, but South Shetland lists CE9:
    // the listed prefix wins even though Antarctica comes first, as cty.dat means it.
    const ConvertResult conv = convertFixture();
    QCOMPARE(rowOf(conv.rows, u"CE9"_qs)->pys, u"South Shetland Islands"_qs);
    QVERIFY(rowOf(conv.rows, u"AY1Z"_qs)); // Antarctica still has rows
    // Added primaries come first among their entity's rows.
    QCOMPARE(conv.rows.at(1).pfx, u"1S"_qs);
    QCOMPARE(conv.rows.at(2).pfx, u"9M0"_qs);
    QCOMPARE(rowOf(conv.rows, u"VP8/h"_qs)->pys, u"South Shetland Islands"_qs);
}

void TestCtyConverter::commaInName()
{
    const ConvertResult conv = convertFixture();
    QCOMPARE(rowOf(conv.rows, u"FT0E"_qs)->pys, u"Juan de Nova Europa"_qs);
    for (const DxccRow& r : conv.rows)
        for (const QString& f : {r.pfx, r.pys, r.cqz, r.ituz, r.latz, r.longz, r.wacz, r.adif})
            QVERIFY(!f.contains(u','));
    // Even a row built by hand cannot put a comma into the file.
    const QByteArray out = CtyConverter::formatDxcc(
        {DxccRow{u"X1"_qs, u"A, B"_qs, u"1"_qs, u"2"_qs, u"3.00"_qs, u"4.00"_qs, u"EU"_qs, u"5"_qs}});
    QCOMPARE(out, QByteArray("X1,A B,1,2,3.00,4.00,EU,5\r\n"));
}

void TestCtyConverter::waeEntityWithoutStar()
{
    const ConvertResult conv = convertFixture();
    const DxccRow* v = rowOf(conv.rows, u"4U1V"_qs);
    QVERIFY(v);
    QCOMPARE(v->adif, u"206"_qs); // cty.csv keys it as "*4U1V"
    QCOMPARE(v->pys, u"Vienna Intl Ctr"_qs);
    for (const DxccRow& r : conv.rows)
        QVERIFY(!r.pfx.contains(u'*'));
}

void TestCtyConverter::missingAdifIsEmptyField()
{
    const ConvertResult conv = convertFixture();
    QCOMPARE(rowOf(conv.rows, u"VE"_qs)->adif, QString());
    bool warned = false;
    for (const QString& w : conv.warnings)
        warned |= w.contains(u"ADIF") && w.contains(u"Canada");
    QVERIFY(warned);
}

void TestCtyConverter::emptyPrefixListKeepsPrimary()
{
    const CtyParseResult r =
        CtyConverter::parseCtyDat(u"Nowhere:  1:  2:  EU:  10.00:  -20.00:  0.0:  X9:\n    ;\n"_qs);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.entities.size(), 1);
    const ConvertResult conv = CtyConverter::convert(r.entities, {{u"X9"_qs, u"7"_qs}});
    QCOMPARE(conv.rows.size(), 1);
    QCOMPARE(conv.rows.first(), (DxccRow{u"X9"_qs, u"Nowhere"_qs, u"1"_qs, u"2"_qs, u"10.00"_qs, u"20.00"_qs,
                                         u"EU"_qs, u"7"_qs}));
}

void TestCtyConverter::crlfInput()
{
    QString text = QString::fromLatin1(contentOf(fixture(u"cty.dat"_qs)));
    text.replace(u"\n"_qs, u"\r\n"_qs);
    const CtyParseResult r = CtyConverter::parseCtyDat(text + QChar(0x1A) + u"garbage after Ctrl-Z"_qs);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.entities.size(), 11);
    const CsvParseResult csv = CtyConverter::parseCtyCsv(decodeText(contentOf(fixture(u"cty.csv"_qs))));
    QCOMPARE(CtyConverter::formatDxcc(CtyConverter::convert(r.entities, csv.adifByPrefix).rows),
             contentOf(fixture(u"Dxcc.dta"_qs)));
}

void TestCtyConverter::versionDate()
{
    const CtyParseResult r = CtyConverter::parseCtyDat(decodeText(contentOf(fixture(u"cty.dat"_qs))));
    QCOMPARE(CtyConverter::versionDate(r.entities), u"20230502"_qs);
    const CtyParseResult none =
        CtyConverter::parseCtyDat(u"A:  1:  2:  EU:  1.00:  2.00:  0.0:  X1:\n    X1,=VERSION;\n"_qs);
    QVERIFY(none.ok());
    QCOMPARE(CtyConverter::versionDate(none.entities), QString());
}

void TestCtyConverter::csvQuotedField()
{
    const CsvParseResult r = CtyConverter::parseCtyCsv(
        u"FT/j,\"Juan de Nova, Europa\",124,AF\r\n*4U1V,Vienna Intl Ctr,206,EU\r\n\r\n"_qs);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.adifByPrefix.value(u"FT/j"_qs), u"124"_qs);
    QCOMPARE(r.adifByPrefix.value(u"*4U1V"_qs), u"206"_qs);
}

void TestCtyConverter::csvMalformed()
{
    const CsvParseResult r = CtyConverter::parseCtyCsv(u"1A,Malta,246,EU\n3A,Monaco\n"_qs);
    QVERIFY(!r.ok());
    QCOMPARE(r.errorLine, 2);
    const CsvParseResult bad = CtyConverter::parseCtyCsv(u"1A,Malta,abc,EU\n"_qs);
    QVERIFY(!bad.ok());
    QCOMPARE(bad.errorLine, 1);
    QVERIFY(!CtyConverter::parseCtyCsv(QString()).ok());
}

void TestCtyConverter::malformed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("words"); // a piece of the message

    const QString good = u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A;\n"_qs;
    QTest::newRow("header with seven fields")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  3A:\n    3A;\n"_qs << 1 << u"eight fields"_qs;
    QTest::newRow("header without a trailing colon")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A\n    3A;\n"_qs << 1 << u"eight fields"_qs;
    QTest::newRow("bad CQ zone") << good + u"Monaco:  x4:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A;\n"_qs
                                 << 3 << u"CQ zone"_qs;
    QTest::newRow("bad continent") << u"Monaco:  14:  27:  XX:  43.73:  -7.40:  -1.0:  3A:\n    3A;\n"_qs << 1
                                   << u"continent"_qs;
    QTest::newRow("bad latitude") << u"Monaco:  14:  27:  EU:  north:  -7.40:  -1.0:  3A:\n    3A;\n"_qs << 1
                                  << u"latitude"_qs;
    QTest::newRow("no ';' before the next entity")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A,\n"_qs + good << 3 << u"';'"_qs;
    QTest::newRow("no ';' at the end of the file")
        << good + u"\nMonaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A,\n    3B\n"_qs << 4
        << u"end of the file"_qs;
    QTest::newRow("unclosed override")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A,\n    3B(14,3C;\n"_qs << 3
        << u"without"_qs;
    QTest::newRow("bad zone override")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A[x];\n"_qs << 2 << u"ITU zone"_qs;
    QTest::newRow("bad position override")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A<43.7>;\n"_qs << 2 << u"position"_qs;
    QTest::newRow("bad continent override")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A{ZZ};\n"_qs << 2 << u"continent"_qs;
    QTest::newRow("unknown character")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A#;\n"_qs << 2 << u"unexpected"_qs;
    QTest::newRow("two commas in a row")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A,,3B;\n"_qs << 2 << u"empty entry"_qs;
    QTest::newRow("comma before ';'")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A,;\n"_qs << 2 << u"empty entry"_qs;
    QTest::newRow("entry cut by a line break")
        << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A,3\n    B;\n"_qs << 2
        << u"line break"_qs;
    QTest::newRow("text after ';'") << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A; 3B\n"_qs
                                    << 2 << u"after the ';'"_qs;
    QTest::newRow("bare '='") << u"Monaco:  14:  27:  EU:  43.73:  -7.40:  -1.0:  3A:\n    3A,=;\n"_qs << 2
                              << u"no prefix"_qs;
    QTest::newRow("empty file") << QString() << 0 << u"no entity"_qs;
    QTest::newRow("blank lines only") << u"\n  \n\n"_qs << 0 << u"no entity"_qs;
}

void TestCtyConverter::malformed()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, words);
    const CtyParseResult r = CtyConverter::parseCtyDat(text);
    QVERIFY(!r.ok());
    QVERIFY(r.entities.isEmpty());
    QCOMPARE(r.errorLine, line);
    QVERIFY2(r.error.contains(words), qPrintable(r.error));
}

void TestCtyConverter::helpers()
{
    QCOMPARE(CtyConverter::coordinate(u"-114.23"_qs, true), u"114.23"_qs);
    QCOMPARE(CtyConverter::coordinate(u"12.43"_qs, true), u"-12.43"_qs);
    QCOMPARE(CtyConverter::coordinate(u"-0.00"_qs, false), u"0.00"_qs);
    QCOMPARE(CtyConverter::coordinate(u"0.0"_qs, true), u"0.00"_qs);
    QCOMPARE(CtyConverter::coordinate(u"5"_qs, false), u"5.00"_qs);
    QCOMPARE(CtyConverter::coordinate(u" 41.9 "_qs, false), u"41.90"_qs);
    QCOMPARE(CtyConverter::zone(u"05"_qs), u"5"_qs);
    QCOMPARE(CtyConverter::zone(u"40"_qs), u"40"_qs);
    QCOMPARE(CtyConverter::cleanField(u"C\u00f4te d'Ivoire"_qs), u"Cote d'Ivoire"_qs);
    QCOMPARE(CtyConverter::cleanField(u" A,  B\tC "_qs), u"A B C"_qs);
}

void TestCtyConverter::formatRules()
{
    const QByteArray data = CtyConverter::formatDxcc(convertFixture().rows);
    checkFormat(data);
    QCOMPARE(CtyConverter::formatDxcc({}), QByteArray());
}

void TestCtyConverter::fixtureLookups()
{
    const CountryTable table = loadTable(fixture(QString()));
    QCOMPARE(table.size(), 27);
    auto country = [&table](const QString& call) {
        return countryOf(table, call).PYS;
    };
    QCOMPARE(country(u"W1AW"_qs), u"United States"_qs);
    QCOMPARE(country(u"KH6XX"_qs), u"United States"_qs); // first KH6 row wins
    QCOMPARE(country(u"AH6XX"_qs), u"Hawaii"_qs);
    QCOMPARE(country(u"G3ABC"_qs), u"England"_qs);
    QCOMPARE(country(u"CE9AA"_qs), u"South Shetland Islands"_qs);
    QCOMPARE(country(u"4U1VIC"_qs), u"Vienna Intl Ctr"_qs);
    QCOMPARE(country(u"ZZ1ZZ"_qs), QString());
}

void TestCtyConverter::shippedTable()
{
    const QByteArray data = contentOf(QStringLiteral(KORVANE_DATA_DIR "/Dxcc.dta"));
    QVERIFY2(!data.isEmpty(), "data/Dxcc.dta is missing or empty (regenerate it with korvane-cty)");
    checkFormat(data);
    const CountryTable table = loadTable(QStringLiteral(KORVANE_DATA_DIR));
    QVERIFY(table.size() > 1000);
    struct Case
    {
        const char* call;
        const char* country;
        const char* wac;
    };
    const Case cases[] = {
        {"DL1ABC", "Fed. Rep. of Germany", "EU"},
        {"JA1XYZ", "Japan", "AS"},
        {"K1ABC", "United States of America", "NA"},
        {"W1AW", "United States of America", "NA"},
        {"VK2ABC", "Australia", "OC"},
        {"F5XYZ", "France", "EU"},
        {"G3ABC", "England", "EU"},
        {"EA8AB", "Canary Islands", "AF"},
        {"EA4AB", "Spain", "EU"},
        {"KH6XX", "Hawaii", "OC"},
        {"3B8XX", "Mauritius", "AF"},
    };
    for (const Case& c : cases) {
        const TDXRecord r = countryOf(table, QString::fromLatin1(c.call));
        QVERIFY2(r.PYS == QLatin1String(c.country),
                 qPrintable(QString::fromLatin1(c.call) + u" -> "_qs + r.PYS));
        QCOMPARE(r.WACZ, QString::fromLatin1(c.wac));
        QVERIFY(!r.ADIF.isEmpty());
    }
    // East-positive longitudes: Germany east of Greenwich, the United States west of it.
    QVERIFY(countryOf(table, u"DL1ABC"_qs).LONGZ.toDouble() > 0);
    QVERIFY(countryOf(table, u"K1ABC"_qs).LONGZ.toDouble() < 0);
}

QTEST_GUILESS_MAIN(TestCtyConverter)
#include "tst_CtyConverter.moc"
