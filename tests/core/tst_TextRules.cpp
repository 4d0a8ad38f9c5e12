#include "TextDecoding.h"
#include "TextRules.h"

#include <QTest>

class tst_TextRules final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trimsEveryControlCharacter_data();
    void trimsEveryControlCharacter();
    void cutsByStartAndCount_data();
    void cutsByStartAndCount();
    void containsIgnoresCase_data();
    void containsIgnoresCase();
    void decodesUtf8OrWindows1252_data();
    void decodesUtf8OrWindows1252();
};

void tst_TextRules::trimsEveryControlCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks") << u"  DL1ABC  "_qs << u"DL1ABC"_qs;
    QTest::newRow("bell cr lf tab") << u"\a\r\n\tDX de\a\a\r\n"_qs << u"DX de"_qs;
    QTest::newRow("nul and unit separator") << QString(u"\x00\x1fx"_qs) << u"x"_qs;
    QTest::newRow("inner breaks stay") << u" a\r\nb "_qs << u"a\r\nb"_qs;
    QTest::newRow("only controls") << u"\x07 \x01"_qs << QString();
    QTest::newRow("code 33 stays") << u"!x!"_qs << u"!x!"_qs;
    QTest::newRow("no-break space stays") << u"\u00a0x"_qs << u"\u00a0x"_qs;
}

void tst_TextRules::trimsEveryControlCharacter()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(trimControls(text), trimmed);
}

void tst_TextRules::cutsByStartAndCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("cut");
    QTest::newRow("middle") << u"abcdef"_qs << 2 << 3 << u"bcd"_qs;
    QTest::newRow("start before 1 counts as 1") << u"abcdef"_qs << -4 << 2 << u"ab"_qs;
    QTest::newRow("start 0") << u"abcdef"_qs << 0 << 3 << u"abc"_qs;
    QTest::newRow("count zero") << u"abcdef"_qs << 2 << 0 << QString();
    QTest::newRow("negative count") << u"abcdef"_qs << 2 << -3 << QString();
    QTest::newRow("runs past the end") << u"abcdef"_qs << 5 << 10 << u"ef"_qs;
    QTest::newRow("starts past the end") << u"abcdef"_qs << 9 << 2 << QString();
}

void tst_TextRules::cutsByStartAndCount()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, cut);
    QCOMPARE(cutText(text, start, count), cut);
}

void tst_TextRules::containsIgnoresCase_data()
{
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("contains");
    QTest::newRow("same case") << u"DX de"_qs << u"DX de F4TST:"_qs << true;
    QTest::newRow("other case") << u"DX de"_qs << u"dx DE f4tst:"_qs << true;
    QTest::newRow("anywhere") << u"WCY"_qs << u"prompt >wcy de"_qs << true;
    QTest::newRow("absent") << u"ALL de"_qs << u"To LOCAL de F4TST"_qs << false;
}

void tst_TextRules::containsIgnoresCase()
{
    QFETCH(QString, piece);
    QFETCH(QString, text);
    QFETCH(bool, contains);
    QCOMPARE(ContainsText(piece, text), contains);
}

void tst_TextRules::decodesUtf8OrWindows1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("DX de F4TST") << u"DX de F4TST"_qs;
    QTest::newRow("utf-8") << QByteArray("Cura\xc3\xa7"
                                         "ao")
                           << u"Cura\u00e7ao"_qs;
    QTest::newRow("utf-8 byte-order mark skipped") << QByteArray("\xef\xbb\xbfOK") << u"OK"_qs;
    QTest::newRow("latin letters of 1252") << QByteArray("Cura\xe7"
                                                         "ao")
                                           << u"Cura\u00e7ao"_qs;
    QTest::newRow("1252 high range") << QByteArray("\x80\x8a\x9f") << u"\u20ac\u0160\u0178"_qs;
    QTest::newRow("1252 undefined bytes")
        << QByteArray("\x81\x8d\x8f\x90\x9d") << u"\u0081\u008d\u008f\u0090\u009d"_qs;
    QTest::newRow("utf-8 cut short falls back") << QByteArray("a\xc3") << u"a\u00c3"_qs;
}

void tst_TextRules::decodesUtf8OrWindows1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeText(bytes), text);
}

QTEST_GUILESS_MAIN(tst_TextRules)
#include "tst_TextRules.moc"
