#include "CountryTable.h"
#include "TestFiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class tst_CountryTable final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsByTheLineRules_data();
    void loadsByTheLineRules();
    void garbageKeepsTheRowsBeforeIt_data();
    void garbageKeepsTheRowsBeforeIt();
    void bigFilesLoadOnlyTheirRows_data();
    void bigFilesLoadOnlyTheirRows();
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
    if (!writeFile(m_dir.filePath(u"Dxcc.dta"_qs), bytes))
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
    QTest::newRow("mixed line ends: a lone CR only ends the text")
        << QByteArray("A,a\r\nB,b\nC,c\rD,lost\r\nE,e") << QStringList{u"A"_qs, u"B"_qs, u"C"_qs, u"E"_qs}
        << none;
    QTest::newRow("lone CR line ends make one row")
        << QByteArray("A,a\rB,b\rC,c\r") << QStringList{u"A"_qs} << none;
    QTest::newRow("Ctrl-Z in the middle of a line")
        << QByteArray("A,a\r\nB,b\x1a,c\r\nC,c\r\n") << QStringList{u"A"_qs, u"B"_qs} << none;
    QTest::newRow("Windows-1252 prefixes") << QByteArray("\x80\x8a,euro\r\nK\xe9,x\r\n")
                                           << QStringList{u"\u20ac\u0160"_qs, u"K\u00e9"_qs} << none;
    QTest::newRow("UTF-8 prefixes") << QByteArray("\xe2\x82\xac,euro\r\nK\xc3\xa9,x\r\n")
                                    << QStringList{u"\u20ac"_qs, u"K\u00e9"_qs} << none;
    QTest::newRow("UTF-8 beside Windows-1252: the whole file is Windows-1252")
        << QByteArray("K\xc3\xa9,x\r\nK\xe9,x\r\n") << QStringList{u"K\u00c3\u00a9"_qs, u"K\u00e9"_qs}
        << none;
}

void tst_CountryTable::garbageKeepsTheRowsBeforeIt_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 8; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

// Random bytes after two rows: the rows stay, and whatever the bytes give is cut by the line rules.
void tst_CountryTable::garbageKeepsTheRowsBeforeIt()
{
    QFETCH(quint32, seed);
    QByteArray bytes = "F,France\r\nG,England\r\n";
    QRandomGenerator random(seed);
    for (int i = 0; i < 256 * 1024; ++i)
        bytes += char(random.bounded(256));

    CountryTable table;
    const CountryTableLoad load = LoadCountryTable(writeTable(bytes), table);
    QVERIFY(table.size() >= 2);
    QCOMPARE(table.rows().at(0).PYS, u"France"_qs);
    QCOMPARE(table.rows().at(1).PYS, u"England"_qs);
    QVERIFY(load.outcome != Outcome::NotFound);
    QCOMPARE(load.warning.isEmpty(), load.outcome == Outcome::Loaded);
    for (const TDXRecord& row : table.rows()) {
        for (const char16_t stop : {u'\r', u'\n', u'\x1a', u','})
            QVERIFY(!row.PFX.contains(stop));
    }
}

void tst_CountryTable::bigFilesLoadOnlyTheirRows_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("filler"); // repeated after the head up to the size
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("warning");

    const QByteArray table = contentOf(QStringLiteral(KORVANE_DATA_DIR "/Dxcc.dta"));
    QVERIFY(!table.isEmpty());
    const int tableRows = int(table.count('\n'));
    constexpr qint64 hundredMegabytes = 100LL << 20;
    QTest::newRow("100 MB of rows after an empty line")
        << table + "\r\n"
        << QByteArray("K,United States,5,8,37.53,-91.67,NA,291\r\n") << hundredMegabytes << tableRows
        << CountryTableText::emptyLine;
    QTest::newRow("100 MB of empty lines")
        << table << QByteArray("\r\n") << hundredMegabytes << tableRows << CountryTableText::emptyLine;
    QTest::newRow("100 MB after a Ctrl-Z")
        << table + "\x1a" << QByteArray("\x01\xff garbage,\n") << hundredMegabytes << tableRows << QString();
    QTest::newRow("8 MB of rows with LF line ends")
        << QByteArray() << QByteArray("K,United,5,8,37.53,-91.67,NA,29\n") << (8LL << 20) << (8 << 20) / 32
        << QString();
    QTest::newRow("an endless line of 32 MB")
        << QByteArray() << QByteArray("x") << (32LL << 20) << 1 << QString();
}

// The file is written at test time, in pieces.
void tst_CountryTable::bigFilesLoadOnlyTheirRows()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, filler);
    QFETCH(qint64, size);
    QFETCH(int, rows);
    QFETCH(QString, warning);

    QTemporaryDir dir;
    QFile file(dir.filePath(CountryTableText::fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(head) == head.size());
    const QByteArray piece = filler.repeated((1 << 20) / filler.size());
    while (file.size() < size)
        QVERIFY(file.write(piece) == piece.size());
    file.close();

    CountryTable table;
    const CountryTableLoad load = LoadCountryTable(dir.path(), table);
    QCOMPARE(table.size(), rows);
    QCOMPARE(load.warning, warning);
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
