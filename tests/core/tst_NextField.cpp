#include "NextField.h"

#include <QTest>

class tst_NextField final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cutsEightFields_data();
    void cutsEightFields();
};

void tst_NextField::cutsEightFields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("eight fields") << u"1A,Malta,15,28,41.90,12.43,EU,246"_qs
                                  << QStringList{u"1A"_qs,    u"Malta"_qs, u"15"_qs, u"28"_qs,
                                                 u"41.90"_qs, u"12.43"_qs, u"EU"_qs, u"246"_qs};
    QTest::newRow("fewer fields repeat the last")
        << u"F,France,14"_qs
        << QStringList{u"F"_qs, u"France"_qs, u"14"_qs, u"14"_qs, u"14"_qs, u"14"_qs, u"14"_qs, u"14"_qs};
    QTest::newRow("prefix and name only")
        << u"G,England"_qs << QStringList{u"G"_qs,       u"England"_qs, u"England"_qs, u"England"_qs,
                                          u"England"_qs, u"England"_qs, u"England"_qs, u"England"_qs};
    QTest::newRow("trailing comma empties the rest")
        << u"F,France,"_qs << QStringList{u"F"_qs, u"France"_qs, {}, {}, {}, {}, {}, {}};
    QTest::newRow("more fields are ignored")
        << u"1,2,3,4,5,6,7,8,9,10"_qs
        << QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs, u"6"_qs, u"7"_qs, u"8"_qs};
    QTest::newRow("two commas give an empty field")
        << u"a,,b"_qs << QStringList{u"a"_qs, {}, u"b"_qs, u"b"_qs, u"b"_qs, u"b"_qs, u"b"_qs, u"b"_qs};
    QTest::newRow("spaces are part of fields")
        << u" a , b"_qs
        << QStringList{u" a "_qs, u" b"_qs, u" b"_qs, u" b"_qs, u" b"_qs, u" b"_qs, u" b"_qs, u" b"_qs};
    QTest::newRow("empty line") << QString() << QStringList(8, QString());
}

void tst_NextField::cutsEightFields()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QStringList cut;
    for (int i = 0; i < 8; ++i)
        cut.append(NextField(line, u','));
    QCOMPARE(cut, fields);
}

QTEST_GUILESS_MAIN(tst_NextField)
#include "tst_NextField.moc"
