#include "CountryTable.h"

#include <QTemporaryDir>
#include <QTest>

class tst_CountryTable final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsByTheLineRules_data();
    void loadsByTheLineRules();
    void aMissingFileCannotWork();
    void aFileThatCannotBeReadStopsLoading();
    void findsTheFirstRowOfAPrefix();
    void keepsFieldsAsWritten();

private:
    QString writeTable(const QByteArray& bytes);
    QTemporaryDir m_dir;
};

QString tst_CountryTable::writeTable(const QByteArray& bytes)
{
    QFile file(m_dir.filePath(u"Dxcc.dta"_qs));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test table");
    return m_dir.path();
}

using Outcome = CountryTableLoad::Outcome;

void tst_CountryTable::loadsByTheLineRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("prefixes");
    QTest::addColumn<QString>("warning");
    const QString none;
    QTest::newRow("CR LF lines") << QByteArray("F,France\r\nG,England\r\n") << QStringList{u"F"_qs, u"G"_qs}
                                 << none;
    QTest::newRow("lone LF lines, no final break")
        << QByteArray("F,France\nG,England") << QStringList{u"F"_qs, u"G"_qs} << none;
    QTest::newRow("the text of a line stops at a CR")
        << QByteArray("F,France\rjunk\nG,England") << QStringList{u"F"_qs, u"G"_qs} << none;
    QTest::newRow("Ctrl-Z ends the file")
        << QByteArray("F,France\r\n\x1aG,England\r\n\r\n") << QStringList{u"F"_qs} << none;
    QTest::newRow("empty file") << QByteArray() << QStringList{} << none;
    QTest::newRow("empty line at the end, after all rows")
        << QByteArray("F,France\r\nG,England\r\n\r\n") << QStringList{u"F"_qs, u"G"_qs}
        << CountryTableText::emptyLine;
    QTest::newRow("empty line in the middle stops there")
        << QByteArray("F,France\r\n\r\nG,England\r\n") << QStringList{u"F"_qs} << CountryTableText::emptyLine;
    QTest::newRow("a line of spaces is a row") << QByteArray("   \r\n") << QStringList{u"   "_qs} << none;
}

void tst_CountryTable::loadsByTheLineRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, prefixes);
    QFETCH(QString, warning);

    CountryTable table;
    TDXRecord old;
    old.PFX = u"OLD"_qs;
    table.append(old);
    const CountryTableLoad load = LoadCountryTable(writeTable(file), table);

    QStringList loaded;
    for (const TDXRecord& row : table.rows())
        loaded.append(row.PFX);
    QCOMPARE(loaded, prefixes);
    QCOMPARE(load.warning, warning);
    QCOMPARE(load.outcome, warning.isEmpty() ? Outcome::Loaded : Outcome::Stopped);
    QVERIFY(!table.FindCountry(u"OLD"_qs));
}

void tst_CountryTable::aMissingFileCannotWork()
{
    QTemporaryDir empty;
    CountryTable table;
    const CountryTableLoad load = LoadCountryTable(empty.path(), table);
    QCOMPARE(load.outcome, Outcome::NotFound);
    QCOMPARE(load.warning, CountryTableText::notFound);
    QCOMPARE(table.size(), 0);
}

void tst_CountryTable::aFileThatCannotBeReadStopsLoading()
{
    // A folder named like the table opens but cannot be read.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(CountryTableText::fileName));
    CountryTable table;
    const CountryTableLoad load = LoadCountryTable(dir.path(), table);
    if (load.outcome == Outcome::NotFound)
        QSKIP("this platform refuses to open a folder as a file");
    QCOMPARE(load.outcome, Outcome::Stopped);
    QCOMPARE(load.warning, CountryTableText::readError);
}

void tst_CountryTable::findsTheFirstRowOfAPrefix()
{
    CountryTable table;
    LoadCountryTable(writeTable("EA,Spain\r\nEA8,Canary Is.\r\nEA,Second Spain\r\nea,lower\r\n"), table);
    QCOMPARE(table.FindCountry(u"EA"_qs)->PYS, u"Spain"_qs);
    QCOMPARE(table.FindCountry(u"EA8"_qs)->PYS, u"Canary Is."_qs);
    QCOMPARE(table.FindCountry(u"ea"_qs)->PYS, u"lower"_qs);
    QVERIFY(!table.FindCountry(u"Ea"_qs));
    QVERIFY(!table.FindCountry(u"EA "_qs));
    QVERIFY(!table.FindCountry(u"E"_qs));
}

void tst_CountryTable::keepsFieldsAsWritten()
{
    CountryTable table;
    LoadCountryTable(writeTable("JA, Japan , 25,45, 36.40 ,138.38,AS,339,extra\r\n"
                                "K\xe9,Caf\xe9\r\n"),
                     table);
    QCOMPARE(table.size(), 2);
    const TDXRecord& ja = table.rows().at(0);
    QCOMPARE(ja.PYS, u" Japan "_qs);
    QCOMPARE(ja.CQZ, u" 25"_qs);
    QCOMPARE(ja.LATZ, u" 36.40 "_qs);
    QCOMPARE(ja.LONGZ, u"138.38"_qs);
    QCOMPARE(ja.WACZ, u"AS"_qs);
    QCOMPARE(ja.ADIF, u"339"_qs);
    QCOMPARE(table.rows().at(1).PYS, u"Caf\u00e9"_qs); // not UTF-8, so Windows-1252
}

QTEST_GUILESS_MAIN(tst_CountryTable)
#include "tst_CountryTable.moc"
