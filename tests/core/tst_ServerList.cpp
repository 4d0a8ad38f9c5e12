#include "ServerList.h"
#include "TestFiles.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Loads a server list file holding bytes into list; nothing when no message was given.
std::optional<QString> loadFileOf(const QByteArray& bytes, ServerList& list)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ServerListText::fileName);
    if (!writeFile(path, bytes))
        qFatal("cannot write the test server list");
    return LoadServerList(path, list);
}

} // namespace

class tst_ServerList final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createsAnEmptyFileWhenAbsent();
    void cutsThreeFieldsPerLine();
    void readsHostileFilesByTheLineRules_data();
    void readsHostileFilesByTheLineRules();
    void garbageKeepsTheEntriesBeforeIt();
    void reportsAFileThatCannotBeRead();
};

void tst_ServerList::createsAnEmptyFileWhenAbsent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ServerListText::fileName);
    ServerList list{{u"stale"_qs}, {u"stale"_qs}, {u"stale"_qs}};
    QCOMPARE(LoadServerList(path, list), std::nullopt);
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFile(path).size(), 0);
    QVERIFY(list.names.isEmpty() && list.addresses.isEmpty() && list.ports.isEmpty());
}

void tst_ServerList::cutsThreeFieldsPerLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ServerListText::fileName);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Node A,dx.example.net,7300\r\n"
               "Node B, 192.0.2.7 , telnet ,ignored\n"
               "\r\n"
               "Name and address,host.example\r\n"
               "Node A,other.example,23\x1a"
               "after the end,x,1\r\n");
    file.close();

    ServerList list;
    QCOMPARE(LoadServerList(path, list), std::nullopt);
    QCOMPARE(list.names, (QStringList{u"Node A"_qs, u"Node B"_qs, {}, u"Name and address"_qs, u"Node A"_qs}));
    QCOMPARE(
        list.addresses,
        (QStringList{u"dx.example.net"_qs, u" 192.0.2.7 "_qs, {}, u"host.example"_qs, u"other.example"_qs}));
    QCOMPARE(list.ports, (QStringList{u"7300"_qs, u" telnet "_qs, {}, u"host.example"_qs, u"23"_qs}));
}

void tst_ServerList::readsHostileFilesByTheLineRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("ports");
    QTest::newRow("mixed line ends: a lone CR only ends the text")
        << QByteArray("A,a,1\r\nB,b,2\nC,c,3\rD,lost,4\r\nE,e,5")
        << QStringList{u"A"_qs, u"B"_qs, u"C"_qs, u"E"_qs} << QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"5"_qs};
    QTest::newRow("Ctrl-Z in the middle of a line")
        << QByteArray("A,a,1\r\nB,b\x1a,2\r\nC,c,3\r\n") << QStringList{u"A"_qs, u"B"_qs}
        << QStringList{u"1"_qs, u"b"_qs};
    QTest::newRow("Windows-1252 names")
        << QByteArray("N\x9cud Fran\xe7"
                      "ais,a,1\r\n\x80 node,b,2")
        << QStringList{u"N\u0153ud Fran\u00e7ais"_qs, u"\u20ac node"_qs} << QStringList{u"1"_qs, u"2"_qs};
    QTest::newRow("UTF-8 names") << QByteArray("N\xc5\x93ud,a,1\r\n") << QStringList{u"N\u0153ud"_qs}
                                 << QStringList{u"1"_qs};
    QTest::newRow("an endless line of 16 MB")
        << QByteArray("A,a,1\r\n") + QByteArray(16 << 20, 'x')
        << QStringList{u"A"_qs, QString(16 << 20, u'x')} << QStringList{u"1"_qs, QString(16 << 20, u'x')};
}

void tst_ServerList::readsHostileFilesByTheLineRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);
    QFETCH(QStringList, ports);
    ServerList list;
    QCOMPARE(loadFileOf(file, list), std::nullopt);
    QCOMPARE(list.names, names);
    QCOMPARE(list.ports, ports);
}

// Random bytes after two entries: the entries stay and the three lists stay parallel.
void tst_ServerList::garbageKeepsTheEntriesBeforeIt()
{
    QByteArray bytes = "Node A,dx.example.net,7300\r\nNode B,192.0.2.7,23\r\n";
    QRandomGenerator random(3);
    for (int i = 0; i < 256 * 1024; ++i)
        bytes += char(random.bounded(256));
    ServerList list;
    QCOMPARE(loadFileOf(bytes, list), std::nullopt);
    QCOMPARE(list.names.mid(0, 2), (QStringList{u"Node A"_qs, u"Node B"_qs}));
    QCOMPARE(list.ports.mid(0, 2), (QStringList{u"7300"_qs, u"23"_qs}));
    QCOMPARE(list.addresses.size(), list.names.size());
    QCOMPARE(list.ports.size(), list.names.size());
}

void tst_ServerList::reportsAFileThatCannotBeRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ServerListText::fileName);
    QVERIFY(QDir(dir.path()).mkdir(ServerListText::fileName));
    ServerList list;
    QCOMPARE(LoadServerList(path, list), ServerListText::readError);
    QVERIFY(list.names.isEmpty());
}

QTEST_GUILESS_MAIN(tst_ServerList)
#include "tst_ServerList.moc"
