#include "MessageParser.h"

#include <QTest>

class tst_MessageParser final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cutsAnnouncements_data();
    void cutsAnnouncements();
    void cutsWcyReports_data();
    void cutsWcyReports();
};

void tst_MessageParser::cutsAnnouncements_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("text");
    QTest::newRow("announcement") << u"To ALL de F4TST: hello everyone "_qs << u"F4TST"_qs
                                  << u"hello everyone"_qs;
    QTest::newRow("no colon: all text")
        << u"To ALL de F4TST hello"_qs << QString() << u"To ALL de F4TST hello"_qs;
    QTest::newRow("colon at column 10 or before") << u"To ALL:de F4TST x"_qs << QString() << u"de F4TST x"_qs;
    QTest::newRow("more colons stay in the text")
        << u"To ALL de F4TST: QRV at 12:00Z"_qs << u"F4TST"_qs << u"QRV at 12:00Z"_qs;
}

void tst_MessageParser::cutsAnnouncements()
{
    QFETCH(QString, line);
    const MessageRow row = ParseAnnouncement(line);
    QTEST(row.sender, "sender");
    QTEST(row.text, "text");
}

void tst_MessageParser::cutsWcyReports_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("text");
    QTest::newRow("report") << u"WCY de DK0WCY-1 <12> : K=3 expK=2 A=12 R=110 SFI=150 SA=qui GMF=qui Au=no"_qs
                            << u"DK0WCY-1 <12>"_qs
                            << u"K=3 expK=2 A=12 R=110 SFI=150 SA=qui GMF=qui Au=no"_qs;
    QTest::newRow("colon at column 7 or before") << u"WCY d: x"_qs << QString() << u"x"_qs;
    QTest::newRow("a spot mentioning wcy, cut as a report")
        << u"xx de F4TST:     14025.0  JA1ABC       wcy"_qs << u"F4TST"_qs << u"14025.0  JA1ABC       wcy"_qs;
}

void tst_MessageParser::cutsWcyReports()
{
    QFETCH(QString, line);
    const MessageRow row = ParseWcy(line);
    QTEST(row.sender, "sender");
    QTEST(row.text, "text");
}

QTEST_GUILESS_MAIN(tst_MessageParser)
#include "tst_MessageParser.moc"
