#include "ServerList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_ServerList final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createsAnEmptyFileWhenAbsent();
    void cutsThreeFieldsPerLine();
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
