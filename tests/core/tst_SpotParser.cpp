#include "CountryTable.h"
#include "SpotParser.h"

#include <QTest>

class tst_SpotParser final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cutsASpotLine();
    void cutsByColumns_data();
    void cutsByColumns();
    void looksUpTheCountry_data();
    void looksUpTheCountry();
    void keepsCountryTextsAsStoredInTheRow();

private:
    CountryTable m_countries;
};

namespace {

// A spot line from its columns: 1 to 26, the callsign at 27, the comment at 40, the time at 70.
QString spotLine(const QString& head, const QString& call, const QString& comment, const QString& time)
{
    return head.leftJustified(26) + call.leftJustified(13) + comment.leftJustified(30) + time;
}

} // namespace

void tst_SpotParser::initTestCase()
{
    for (const TDXRecord& row : std::initializer_list<TDXRecord>{
             {u"JA"_qs, u" Japan "_qs, u"25"_qs, u"45"_qs, u" 36.40"_qs, u"138.38 "_qs, u"AS"_qs, u"339"_qs},
             {u"DL"_qs, u"Germany"_qs, u"14"_qs, u"28"_qs, u"51.00"_qs, u"10.00"_qs, u"EU"_qs, u"230"_qs},
             {u"EA8"_qs, u"Canary Islands"_qs, u"33"_qs, u"36"_qs, u"28.32"_qs, u"-15.85"_qs, u"AF"_qs,
              u"29"_qs},
             {u"EA"_qs, u"Spain"_qs, u"14"_qs, u"37"_qs, u"40.32"_qs, u"-3.43"_qs, u"EU"_qs, u"281"_qs},
             {u"K"_qs, u"United States"_qs, u"5"_qs, u"8"_qs, u"37.53"_qs, u"-91.67"_qs, u"NA"_qs, u"291"_qs},
             {u"KH6"_qs, u"Hawaii"_qs, u"31"_qs, u"61"_qs, u"21.12"_qs, u"-157.48"_qs, u"OC"_qs, u"110"_qs},
             {u"K"_qs, u"Second K"_qs, {}, {}, {}, {}, {}, {}},
             {u"f"_qs, u"lower-case France"_qs, {}, {}, {}, {}, {}, {}},
         })
        m_countries.append(row);
}

void tst_SpotParser::cutsASpotLine()
{
    const ParsedSpot spot =
        ParseSpot(spotLine(u"DX de F4TST:     14025.0"_qs, u"JA1ABC"_qs, u"test spot"_qs, u"1227Z JN05"_qs),
                  m_countries);
    const TSpotRec& r = spot.record;
    QCOMPARE(r.HRE, u"12:27Z"_qs);
    QCOMPARE(r.CALL, u"JA1ABC"_qs);
    QCOMPARE(r.FRQ, u"14025.0"_qs);
    QCOMPARE(r.DXDE, u"F4TST"_qs);
    QCOMPARE(r.NFO, u"test spot"_qs);
    QCOMPARE(r.PFX, u"JA"_qs);
    QCOMPARE(r.PYS, u"Japan"_qs);
    QCOMPARE(r.CQ, u"25"_qs);
    QCOMPARE(r.ITU, u"45"_qs);
    QCOMPARE(r.WAC, u"AS"_qs);
    QCOMPARE(r.LAT, u"36.40"_qs);
    QCOMPARE(r.LNG, u"138.38"_qs);
    QCOMPARE(spot.spotterAsCut, u" F4TST"_qs);
    QCOMPARE(spot.timeAsBuilt, u"12:27Z"_qs);
    QCOMPARE(spot.band.number, 20);
    QCOMPARE(spot.band.color, 0x0079C0FFu);
    QCOMPARE(spot.row(), (QStringList{u"12:27Z"_qs, u"JA1ABC"_qs, u"14025.0"_qs, u" F4TST"_qs,
                                      u"test spot"_qs, u" Japan "_qs, u"JA"_qs}));
}

void tst_SpotParser::cutsByColumns_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("spotter");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("time");
    QTest::newRow("spotter with SSID")
        << spotLine(u"DX de IK4XYZ-#:   7025.0"_qs, u"DL1ABC"_qs, u"CQ CQ"_qs, u"0001Z"_qs) << u" IK4XYZ-#"_qs
        << u"7025.0"_qs << u"DL1ABC"_qs << u"CQ CQ"_qs << u"00:01Z"_qs;
    QTest::newRow("no colon: the spotter ends at its first blank")
        << spotLine(u"DX de EI55WAW     7046.5"_qs, u"EI55WAW"_qs, u"CQ CQ"_qs, u"1227Z"_qs) << u" EI55WAW"_qs
        << u"7046.5"_qs << u"EI55WAW"_qs << u"CQ CQ"_qs << u"12:27Z"_qs;
    QTest::newRow("no spotter colon, a colon in the comment")
        << spotLine(u"DX de EI55WAW     7046.5"_qs, u"EI55WAW"_qs, u"QSL via: EI5X"_qs, u"1227Z"_qs)
        << u" EI55WAW"_qs << u"7046.5"_qs << u"EI55WAW"_qs << u"QSL via: EI5X"_qs << u"12:27Z"_qs;
    QTest::newRow("a colon at column 25 leaves no frequency")
        << spotLine(u"DX de F4TST             :"_qs, u"JA1ABC"_qs, u"x"_qs, u"1227Z"_qs)
        << u" F4TST             "_qs << QString() << u"JA1ABC"_qs << u"x"_qs << u"12:27Z"_qs;
    QTest::newRow("a time that builds with a trailing blank")
        << spotLine(u"DX de F4TST:     14025.0"_qs, u"JA1ABC"_qs, u"x"_qs, u"1234 Z"_qs) << u" F4TST"_qs
        << u"14025.0"_qs << u"JA1ABC"_qs << u"x"_qs << u"12:34 "_qs;
    QTest::newRow("shorter than 70 columns: no time")
        << u"DX de F4TST:     14025.0  JA1ABC       test"_qs << u" F4TST"_qs << u"14025.0"_qs << u"JA1ABC"_qs
        << u"test"_qs << u":"_qs;
    QTest::newRow("after a prompt: columns count from the marker")
        << u"F4TST de GB7TST 11-Dec-2026 1227Z dxspider >"_qs +
               spotLine(u"DX de F4TST:     14025.0"_qs, u"JA1ABC"_qs, u"test spot"_qs, u"1227Z"_qs)
        << u" F4TST"_qs << u"14025.0"_qs << u"JA1ABC"_qs << u"test spot"_qs << u"12:27Z"_qs;
    QTest::newRow("lower-case marker")
        << spotLine(u"dx de f4tst:     14025.0"_qs, u"ja1abc"_qs, u"lower"_qs, u"1227z"_qs) << u" f4tst"_qs
        << u"14025.0"_qs << u"ja1abc"_qs << u"lower"_qs << u"12:27z"_qs;
    QTest::newRow("past column 76 is ignored")
        << spotLine(u"DX de F4TST:     14025.0"_qs, u"JA1ABC"_qs, u"test spot"_qs,
                    u"1227Z JN05 extra: more"_qs)
        << u" F4TST"_qs << u"14025.0"_qs << u"JA1ABC"_qs << u"test spot"_qs << u"12:27Z"_qs;
    QTest::newRow("marker only") << u"DX de"_qs << u" "_qs << QString() << QString() << QString() << u":"_qs;
}

void tst_SpotParser::cutsByColumns()
{
    QFETCH(QString, line);
    const ParsedSpot spot = ParseSpot(line, m_countries);
    QTEST(spot.spotterAsCut, "spotter");
    QTEST(spot.record.FRQ, "frequency");
    QTEST(spot.record.CALL, "call");
    QTEST(spot.record.NFO, "comment");
    QTEST(spot.timeAsBuilt, "time");
}

void tst_SpotParser::looksUpTheCountry_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("country");
    QTest::newRow("two characters") << u"JA1ABC"_qs << u"JA"_qs << u"Japan"_qs;
    QTest::newRow("three characters before two") << u"EA8AB"_qs << u"EA8"_qs << u"Canary Islands"_qs;
    QTest::newRow("one character") << u"W1AW"_qs << u"W"_qs << QString();
    QTest::newRow("earlier row wins") << u"K1ABC"_qs << u"K"_qs << u"United States"_qs;
    QTest::newRow("three-character call") << u"KH6"_qs << u"KH6"_qs << u"Hawaii"_qs;
    QTest::newRow("not found: the first character") << u"ZZ9ZZ"_qs << u"Z"_qs << QString();
    QTest::newRow("case-sensitive") << u"F5XYZ"_qs << u"F"_qs << QString();
    QTest::newRow("prefix before a slash") << u"EA8/DL1ABC"_qs << u"EA8"_qs << u"Canary Islands"_qs;
    QTest::newRow("suffix after a slash") << u"DL1ABC/P"_qs << u"DL"_qs << u"Germany"_qs;
}

void tst_SpotParser::looksUpTheCountry()
{
    QFETCH(QString, call);
    const QString line = u"DX de F4TST:     14025.0  "_qs + call.leftJustified(13) + u"x"_qs;
    const ParsedSpot spot = ParseSpot(line, m_countries);
    QCOMPARE(spot.record.CALL, call);
    QTEST(spot.record.PFX, "prefix");
    QTEST(spot.record.PYS, "country");
    if (spot.record.PYS.isEmpty())
        QVERIFY(spot.record.CQ.isEmpty() && spot.record.LAT.isEmpty() && spot.country.PFX.isEmpty());
}

void tst_SpotParser::keepsCountryTextsAsStoredInTheRow()
{
    const ParsedSpot spot = ParseSpot(u"DX de F4TST:     14025.0  JA1ABC       x"_qs, m_countries);
    QCOMPARE(spot.country.PYS, u" Japan "_qs);
    QCOMPARE(spot.country.LATZ, u" 36.40"_qs);
    QCOMPARE(spot.record.LAT, u"36.40"_qs);
    QCOMPARE(spot.row().at(5), u" Japan "_qs);

    const ParsedSpot empty = ParseSpot(u"DX de F4TST:     14025.0  "_qs, m_countries);
    QCOMPARE(empty.record.CALL, QString());
    QCOMPARE(empty.record.PFX, QString());
    QCOMPARE(empty.record.PYS, QString());
}

QTEST_GUILESS_MAIN(tst_SpotParser)
#include "tst_SpotParser.moc"
