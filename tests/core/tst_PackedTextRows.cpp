#include "PackedTextRows.h"
#include "SpotList.h"

#include <QTest>

class tst_PackedTextRows final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsTexts_data();
    void keepsTexts();
    void replacesAndKeepsRows();
    void findsNewestSpot();
};

void tst_PackedTextRows::keepsTexts_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("spot row") << QStringList{u"12:27Z"_qs,   u"JA1ABC"_qs, u"14025.0"_qs, u" W3LPL"_qs,
                                             u"CW 23 dB"_qs, u"Japan"_qs,  u"JA"_qs};
    QTest::newRow("empty texts") << QStringList{QString(), u"x"_qs, QString()};
    QTest::newRow("Latin-1 and beyond")
        << QStringList{u"Åland Is."_qs, u"Réunion"_qs, u"\u4E2D \U0001F4E1"_qs};
    // Lengths of 128 and more take more than one byte; 100,000 characters more than one block.
    QTest::newRow("long texts") << QStringList{QString(200, u'a'), QString(100000, u'é'), u"end"_qs};
    QTest::newRow("no texts") << QStringList();
}

void tst_PackedTextRows::keepsTexts()
{
    QFETCH(QStringList, texts);
    PackedTextRows rows;
    for (int copy = 0; copy < 3; ++copy)
        rows.append(texts);
    QCOMPARE(rows.size(), 3);
    for (qsizetype row = 0; row < rows.size(); ++row) {
        QCOMPARE(rows.texts(row), texts);
        for (qsizetype index = 0; index < texts.size(); ++index) {
            QCOMPARE(rows.text(row, index), texts.at(index));
            QVERIFY(rows.textEquals(row, index, texts.at(index).toUtf8()));
        }
        QCOMPARE(rows.text(row, texts.size()), QString());
        QCOMPARE(rows.text(row, -1), QString());
    }
}

void tst_PackedTextRows::replacesAndKeepsRows()
{
    PackedTextRows rows;
    for (int row = 0; row < 5000; ++row)
        rows.append(QStringList{QString::number(row), u"filler text of a spot row"_qs});
    rows.appendEmpty();
    QCOMPARE(rows.texts(5000), QStringList());
    rows.replace(1, QStringList{u"one"_qs});
    QCOMPARE(rows.texts(1), QStringList{u"one"_qs});
    QCOMPARE(rows.text(2, 0), u"2"_qs);
    QCOMPARE(rows.text(4999, 1), u"filler text of a spot row"_qs);

    rows.keepFirst(2);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.texts(0), (QStringList{u"0"_qs, u"filler text of a spot row"_qs}));
    QCOMPARE(rows.texts(1), QStringList{u"one"_qs});
    rows.append(QStringList{u"after"_qs});
    QCOMPARE(rows.text(2, 0), u"after"_qs);
    rows.keepFirst(0);
    QVERIFY(rows.isEmpty());
}

void tst_PackedTextRows::findsNewestSpot()
{
    const TSpotRec older{u"1227Z"_qs, u"JA1ABC"_qs, u"14025.0"_qs, u"W3LPL"_qs, u"CW"_qs,    u"JA"_qs,
                         u"Japan"_qs, u"25"_qs,     u"45"_qs,      u"AS"_qs,    u"35.68"_qs, u"139.77"_qs};
    TSpotRec newer = older;
    newer.FRQ = u"7025.0"_qs;
    TSpotRec other = older;
    other.HRE = u"1228Z"_qs;

    SpotList spots;
    QVERIFY(!spots.newest(older.HRE, older.CALL));
    for (const TSpotRec& spot : {older, newer, other})
        spots.append(spot);
    QCOMPARE(spots.size(), 3);
    QCOMPARE(spots.at(0).LNG, u"139.77"_qs);
    QCOMPARE(spots.at(2).HRE, u"1228Z"_qs);
    QCOMPARE(spots.newest(u"1227Z"_qs, u"JA1ABC"_qs)->FRQ, u"7025.0"_qs);
    QVERIFY(!spots.newest(u"1227Z"_qs, u"JA1AB"_qs));
    spots.clear();
    QVERIFY(spots.isEmpty());
}

QTEST_APPLESS_MAIN(tst_PackedTextRows)
#include "tst_PackedTextRows.moc"
