#include "VtScreen.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int Rows = 25;
constexpr int Columns = 80;
constexpr int Scrollback = 15;

} // namespace

class TestVtScreen final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineEnds_data();
    void lineEnds();
    void characters_data();
    void characters();
    void colours();
    void scrollbackIsBounded();
    void clearEmptiesEverything();
    void randomBytesAreHarmless();
};

void TestVtScreen::lineEnds_data()
{
    QTest::addColumn<bool>("autoCarriageReturn");
    QTest::addColumn<bool>("autoLineFeed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << false << false << QByteArray("Hello\r\nWorld") << QStringList{"Hello", "World"};
    QTest::newRow("LF alone keeps the column")
        << false << false << QByteArray("ab\ncd") << QStringList{"ab", "  cd"};
    QTest::newRow("CR alone overwrites") << false << false << QByteArray("abc\rX") << QStringList{"Xbc", ""};
    QTest::newRow("automatic CR after LF")
        << true << false << QByteArray("ab\ncd") << QStringList{"ab", "cd"};
    QTest::newRow("automatic LF after CR")
        << false << true << QByteArray("ab\rcd") << QStringList{"ab", "cd"};
}

void TestVtScreen::lineEnds()
{
    QFETCH(bool, autoCarriageReturn);
    QFETCH(bool, autoLineFeed);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    VtScreen screen(Rows, Columns, Scrollback);
    screen.setAutoCarriageReturn(autoCarriageReturn);
    screen.setAutoLineFeed(autoLineFeed);
    screen.write(bytes);
    for (int row = 0; row < lines.size(); ++row)
        QCOMPARE(screen.lineText(row), lines.at(row));
}

void TestVtScreen::characters_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Latin-1 as the sample node sends it")
        << QByteArray("Gr\xfc\xdf"
                      "e aus K\xf6ln")
        << QStringList{QStringLiteral(u"Gr\u00fc\u00dfe aus K\u00f6ln")};
    QTest::newRow("UTF-8") << QByteArray("K\xc3\xb6ln") << QStringList{QStringLiteral(u"K\u00f6ln")};
    QTest::newRow("UTF-8 and Latin-1 lines in one block")
        << QByteArray("Zdrav\xc3\xadm\r\nK\xf6ln")
        << QStringList{QStringLiteral(u"Zdrav\u00edm"), QStringLiteral(u"K\u00f6ln")};
    QTest::newRow("Windows-1252 euro") << QByteArray("5 \x80") << QStringList{QStringLiteral(u"5 \u20ac")};
    QTest::newRow("C1 controls do not swallow neighbours") << QByteArray("n\x81|\x9d"
                                                                         "x")
                                                           << QStringList{"n|x"};
    QTest::newRow("double-width character")
        << QByteArray("\xe6\xbc\xa2x") << QStringList{QStringLiteral(u"\u6f22 x")};
    QTest::newRow("bells are not drawn") << QByteArray("DX\a\a") << QStringList{"DX"};
}

void TestVtScreen::characters()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    VtScreen screen(Rows, Columns, Scrollback);
    screen.write(bytes);
    for (int row = 0; row < lines.size(); ++row)
        QCOMPARE(screen.lineText(row), lines.at(row));
}

void TestVtScreen::colours()
{
    VtScreen screen(Rows, Columns, Scrollback);
    screen.write("\x1b[31mR\x1b[42mG\x1b[0mN\x1b[1;4;7mB");
    screen.writeText(u"\r\nlocal");

    const VtCell red = screen.cell(0, 0);
    QCOMPARE(red.text, QStringLiteral("R"));
    QVERIFY(red.foreground.has_value());
    QVERIFY(red.foreground->red() > 0 && red.foreground->green() == 0 && red.foreground->blue() == 0);
    QVERIFY(!red.background.has_value());

    const VtCell green = screen.cell(0, 1);
    QVERIFY(green.background.has_value());
    QVERIFY(green.background->green() > 0 && green.background->red() == 0);
    QCOMPARE(green.foreground, red.foreground);

    const VtCell plain = screen.cell(0, 2);
    QVERIFY(!plain.foreground && !plain.background);
    QVERIFY(!plain.bold && !plain.underline && !plain.reverse);

    const VtCell styled = screen.cell(0, 3);
    QVERIFY(styled.bold && styled.underline && styled.reverse);

    QCOMPARE(screen.lineText(1), QStringLiteral("local"));
    QCOMPARE(screen.cursor(), QPoint(5, 1));
}

void TestVtScreen::scrollbackIsBounded()
{
    VtScreen screen(Rows, Columns, Scrollback);
    for (int line = 0; line < 100; ++line)
        screen.write(QByteArray::number(line) + "\r\n");
    // Lines 0 to 75 have scrolled off; the screen shows 76 to 99 above the cursor's empty row.
    QCOMPARE(screen.scrollbackCount(), Scrollback);
    QCOMPARE(screen.lineText(-1), QStringLiteral("75"));
    QCOMPARE(screen.lineText(-Scrollback), QStringLiteral("61"));
    QCOMPARE(screen.lineText(0), QStringLiteral("76"));
    QCOMPARE(screen.lineText(Rows - 1), QString());
}

void TestVtScreen::clearEmptiesEverything()
{
    VtScreen screen(Rows, Columns, Scrollback);
    for (int line = 0; line < 30; ++line)
        screen.write("\x1b[44mline\r\n");
    screen.clear();
    QCOMPARE(screen.scrollbackCount(), 0);
    QCOMPARE(screen.text(), (QString(Columns, u' ') + u'\n').repeated(Rows));
    QCOMPARE(screen.cursor(), QPoint(0, 0));
    screen.write("x");
    QVERIFY(!screen.cell(0, 0).background);
}

void TestVtScreen::randomBytesAreHarmless()
{
    QRandomGenerator random(7);
    VtScreen screen(Rows, Columns, Scrollback);
    for (int chunk = 0; chunk < 500; ++chunk) {
        QByteArray bytes(random.bounded(1, 2048), Qt::Uninitialized);
        for (char& byte : bytes)
            byte = random.bounded(6) == 0 ? '\x1b' : char(random.bounded(256));
        screen.write(bytes);
    }
    QVERIFY(screen.scrollbackCount() <= Scrollback);
    screen.write("\x1b"
                 "c\x1b[0mok");
    QVERIFY(screen.text().contains(QStringLiteral("ok")));
}

QTEST_GUILESS_MAIN(TestVtScreen)
#include "tst_VtScreen.moc"
