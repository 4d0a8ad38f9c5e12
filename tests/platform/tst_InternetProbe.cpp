#include "FixedInternetProbe.h"
#include "InterfaceInternetProbe.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTest>

namespace {

// The rule written out by address ranges, to check the probe against: IPv4 outside 0/8, 127/8,
// 169.254/16 and 224/3; IPv6 in the global unicast block 2000::/3.
bool reachesBeyondItsLink(const QHostAddress& address)
{
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        const quint32 ip = address.toIPv4Address();
        const quint32 first = ip >> 24;
        return first != 0 && first != 127 && first < 224 && (ip >> 16) != 0xA9FE;
    }
    if (address.protocol() == QAbstractSocket::IPv6Protocol)
        return (address.toIPv6Address()[0] & 0xE0) == 0x20;
    return false;
}

} // namespace

class tst_InternetProbe final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixedProbeAnswersAsSetOrFails();
    void routableAddresses_data();
    void routableAddresses();
    void interfaceProbeAgreesWithTheInterfaces();
};

void tst_InternetProbe::fixedProbeAnswersAsSetOrFails()
{
    FixedInternetProbe probe;
    QVERIFY(probe.isOnline());
    probe.setOnline(false);
    QVERIFY(!probe.isOnline());
    probe.setFailing(true);
    QVERIFY_THROWS_EXCEPTION(InternetProbeError, probe.isOnline());
    probe.setFailing(false);
    probe.setOnline(true);
    QVERIFY(probe.isOnline());
    QCOMPARE(probe.askedCount(), 4);
}

void tst_InternetProbe::routableAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("routable");
    QTest::newRow("public IPv4") << "193.0.14.129" << true;
    QTest::newRow("home network 192.168/16") << "192.168.1.20" << true;
    QTest::newRow("private 10/8") << "10.12.0.3" << true;
    QTest::newRow("carrier NAT 100.64/10") << "100.72.1.1" << true;
    QTest::newRow("loopback 127.0.0.1") << "127.0.0.1" << false;
    QTest::newRow("loopback 127.8.9.10") << "127.8.9.10" << false;
    QTest::newRow("link-local 169.254/16") << "169.254.7.1" << false;
    QTest::newRow("unspecified IPv4") << "0.0.0.0" << false;
    QTest::newRow("broadcast") << "255.255.255.255" << false;
    QTest::newRow("IPv4 multicast") << "224.0.0.251" << false;
    QTest::newRow("global IPv6") << "2a01:4f8:1:2::3" << true;
    QTest::newRow("IPv6 loopback") << "::1" << false;
    QTest::newRow("IPv6 link-local") << "fe80::1c2:3ff:fe44:5566" << false;
    QTest::newRow("unique local fd00::/8") << "fd12:3456:789a::1" << false;
    QTest::newRow("unique local fc00::/8") << "fc00::7" << false;
    QTest::newRow("IPv6 multicast") << "ff02::1" << false;
    QTest::newRow("unspecified IPv6") << "::" << false;
    QTest::newRow("no address") << "" << false;
}

void tst_InternetProbe::routableAddresses()
{
    QFETCH(QString, address);
    QFETCH(bool, routable);
    QCOMPARE(InterfaceInternetProbe::isRoutable(QHostAddress(address)), routable);
}

void tst_InternetProbe::interfaceProbeAgreesWithTheInterfaces()
{
    bool expected = false;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries())
            expected = expected || reachesBeyondItsLink(entry.ip());
    }
    InterfaceInternetProbe probe;
    QCOMPARE(probe.isOnline(), expected);
}

QTEST_GUILESS_MAIN(tst_InternetProbe)
#include "tst_InternetProbe.moc"
