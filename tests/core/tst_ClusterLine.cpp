#include "ClusterLine.h"
#include "CountryTable.h"

#include <QTest>

Q_DECLARE_METATYPE(ClusterLine::Kind)

class tst_ClusterLine final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recognisesTheKind_data();
    void recognisesTheKind();
    void cutsWhatItRecognises();
};

void tst_ClusterLine::recognisesTheKind_data()
{
    using Kind = ClusterLine::Kind;
    QTest::addColumn<QString>("line");
    QTest::addColumn<Kind>("kind");
    QTest::newRow("spot") << u"DX de F4TST:     14025.0  JA1ABC       test"_qs << Kind::Spot;
    QTest::newRow("lower-case spot") << u"dx de f4tst:     14025.0  ja1abc"_qs << Kind::Spot;
    QTest::newRow("spot thanking all de someone")
        << u"DX de F4TST:     14025.0  JA1ABC       tnx all de F4TST"_qs << Kind::Spot;
    QTest::newRow("spot mentioning wcy") << u"DX de F4TST:     14025.0  JA1ABC       wcy"_qs << Kind::Spot;
    QTest::newRow("announcement") << u"To ALL de F4TST: hello"_qs << Kind::Announcement;
    QTest::newRow("announcement before WCY") << u"To ALL de F4TST: WCY is up"_qs << Kind::Announcement;
    QTest::newRow("wcy") << u"WCY de DK0WCY-1 <12> : K=3"_qs << Kind::Wcy;
    QTest::newRow("spot after a prompt") << u"F4TST de GB7TST 1227Z >DX de F4TST: 14025.0"_qs << Kind::Spot;
    QTest::newRow("prompt mentioning all de first") << u"x all de y DX de F4TST:"_qs << Kind::Announcement;
    QTest::newRow("local announcement") << u"To LOCAL de F4TST: note"_qs << Kind::Other;
    QTest::newRow("wwv") << u"WWV de F4TST <12>:   SFI=150, A=12, K=3"_qs << Kind::Other;
    QTest::newRow("prompt") << u"F4TST de GB7TST 11-Dec-2026 1227Z dxspider >"_qs << Kind::Other;
    QTest::newRow("empty") << QString() << Kind::Other;
}

void tst_ClusterLine::recognisesTheKind()
{
    QFETCH(QString, line);
    const ClusterLine parsed = parseClusterLine(line, CountryTable());
    QTEST(parsed.kind, "kind");
    QCOMPARE(parsed.text, line);
}

void tst_ClusterLine::cutsWhatItRecognises()
{
    const CountryTable none;
    QCOMPARE(parseClusterLine(u"To ALL de F4TST: hello"_qs, none).message.sender, u"F4TST"_qs);
    QCOMPARE(parseClusterLine(u"WCY de DK0WCY <12> : K=3"_qs, none).message.text, u"K=3"_qs);
    QCOMPARE(parseClusterLine(u"DX de F4TST:     14025.0  JA1ABC"_qs, none).spot.record.CALL, u"JA1ABC"_qs);
}

QTEST_GUILESS_MAIN(tst_ClusterLine)
#include "tst_ClusterLine.moc"
