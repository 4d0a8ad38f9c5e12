#include "BandPlan.h"

#include <QTest>

class tst_BandPlan final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sortsFrequencies_data();
    void sortsFrequencies();
    void everyBandHasItsColour();
    void countsPerBand();
};

void tst_BandPlan::sortsFrequencies_data()
{
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<int>("band");
    QTest::addColumn<uint>("color");
    const uint white = 0x00FFFFFF;
    auto row = [](const char* name, const char16_t* f, int band, uint color) {
        QTest::newRow(name) << QString::fromUtf16(f) << band << color;
    };
    row("30m", u"10105.0", 30, 0x0081FFF9);
    row("3cm", u"10368100.0", 888, 0x00B0BADF);
    row("10 other point", u"1010.0", 888, white);
    row("23cm", u"1296200.0", 888, 0x0078FFFF);
    row("12 whatever", u"12", 888, 0x0078FFFF);
    row("20m", u"14025.0", 20, 0x0079C0FF);
    row("2m", u"144300.0", 2, 0x00BAFFB8);
    row("14 four digits", u"1430.0", 888, white);
    row("14 without point", u"14025", 888, white);
    row("14 decimal comma", u"14025,0", 888, white);
    row("160m by 18", u"1830.0", 160, 0x00C19AFF);
    row("17m", u"18100.0", 17, 0x0092A4FF);
    row("18 other", u"181000.0", 888, white);
    row("160m by 19", u"1999.9", 160, 0x00C19AFF);
    row("19 any length", u"19999.0", 160, 0x00C19AFF);
    row("1 something else", u"1.8", 888, white);
    row("15m", u"21025.0", 15, 0x00FF90C6);
    row("21 any point", u"210", 15, 0x00FF90C6);
    row("13cm", u"2320.0", 888, 0x00A9C080);
    row("12m", u"24890.0", 12, 0x00FF9599);
    row("24 GHz-ish eight", u"2404800.0", 888, 0x00A9C080);
    row("24 nine", u"24048000.0", 888, 0x0076C4B3);
    row("24 other", u"2489.0", 888, white);
    row("10m by 28", u"28025.0", 10, 0x00FFCC84);
    row("10m by 29", u"29600", 10, 0x00FFCC84);
    row("2 other", u"2500.0", 888, white);
    row("80m", u"3525.0", 80, 0x00E5FF87);
    row("9cm", u"3400100.0", 888, 0x00C09D9D);
    row("3 other", u"35250.0", 888, white);
    row("70cm", u"432100.0", 70, 0x00C3FF5C);
    row("70cm short", u"430.0", 70, 0x00C3FF5C);
    row("44", u"44", 70, 0x00C3FF5C);
    row("450", u"450.0", 888, white);
    row("6m", u"50150.0", 6, 0x0006C200);
    row("5 five digits in all", u"5357.0", 888, white);
    row("6cm", u"5760100.0", 888, 0x0076B6C4);
    row("5 nine", u"57601000.0", 888, 0x006C84C4);
    row("40m", u"7025.0", 40, 0x00B2FF8B);
    row("4m starts with 7 too", u"70150.0", 40, 0x00B2FF8B);
    row("7 alone", u"7", 40, 0x00B2FF8B);
    row("empty", u"", 888, white);
    row("letters", u"DX de", 888, white);
    row("6 unclassified", u"6000.0", 888, white);
}

void tst_BandPlan::sortsFrequencies()
{
    QFETCH(QString, frequency);
    QFETCH(int, band);
    QFETCH(uint, color);
    const BandClass found = BandNumber(frequency);
    QCOMPARE(found.number, band);
    QCOMPARE(found.color, color);
}

void tst_BandPlan::everyBandHasItsColour()
{
    // The colour a spot row gets is its band's bar colour, except in "Others".
    for (const char16_t* f : {u"1830.0", u"3525.0", u"7025.0", u"10105.0", u"14025.0", u"18100.0", u"21025.0",
                              u"24890.0", u"28025.0", u"50150.0", u"144300.0", u"432100.0"}) {
        const BandClass found = BandNumber(QString::fromUtf16(f));
        QCOMPARE(found.color, Bands[bandIndex(found.number)].color);
    }
}

void tst_BandPlan::countsPerBand()
{
    BandCounts counts;
    counts.add(20);
    counts.add(20);
    counts.add(888);
    QCOMPARE(counts.count(20), 2);
    QCOMPARE(counts.count(888), 1);
    QCOMPARE(counts.count(160), 0);
    counts.reset();
    QCOMPARE(counts.count(20), 0);
}

QTEST_GUILESS_MAIN(tst_BandPlan)
#include "tst_BandPlan.moc"
