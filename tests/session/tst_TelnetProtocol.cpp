#include "TelnetProtocol.h"

#include <QRandomGenerator>
#include <QTest>

#include <initializer_list>

namespace {

constexpr char IAC = char(255), DONT = char(254), DO = char(253), WONT = char(252), WILL = char(251),
               SB = char(250), GA = char(249), NOP = char(241), SE = char(240);
constexpr char Binary = 0, Echo = 1, SuppressGoAhead = 3, SendLocation = 23, TerminalType = 24,
               EndOfRecord = 25, WindowSize = 31, Compress2 = 86;

QByteArray bytes(std::initializer_list<char> list)
{
    return QByteArray(list.begin(), qsizetype(list.size()));
}

// A protocol whose answers are collected instead of written to a socket.
struct Peer
{
    QByteArray answers;
    QByteArray data;
    TelnetProtocol protocol{"TNCNX", [this](QByteArrayView wire) {
                                answers += wire;
                            }};

    void feed(QByteArrayView wire) { data += protocol.receive(wire); }
};

} // namespace

class TestTelnetProtocol final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersAndData_data();
    void answersAndData();
    void refusalsAreNeverAnswered();
    void flappingAnswersOncePerChange();
    void hugeSubnegotiationIsDropped_data();
    void hugeSubnegotiationIsDropped();
    void randomBytesLeaveTheStreamUsable();
    void sendDoublesIac();
    void wireBytes_data();
    void wireBytes();
};

void TestTelnetProtocol::answersAndData_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QByteArray>("answers");
    QTest::addColumn<QByteArray>("data");

    const QByteArray none;
    QTest::newRow("WILL BINARY") << bytes({IAC, WILL, Binary}) << bytes({IAC, DO, Binary}) << none;
    QTest::newRow("WILL ECHO") << bytes({IAC, WILL, Echo}) << bytes({IAC, DO, Echo}) << none;
    QTest::newRow("WILL SGA") << bytes({IAC, WILL, SuppressGoAhead}) << bytes({IAC, DO, SuppressGoAhead})
                              << none;
    QTest::newRow("DO TTYPE") << bytes({IAC, DO, TerminalType}) << bytes({IAC, WILL, TerminalType}) << none;
    QTest::newRow("DO EOR") << bytes({IAC, DO, EndOfRecord}) << bytes({IAC, WILL, EndOfRecord}) << none;
    QTest::newRow("DO SEND-LOCATION")
        << bytes({IAC, DO, SendLocation})
        << bytes({IAC, WILL, SendLocation, IAC, SB, SendLocation}) + "TNCNX" + bytes({IAC, SE}) << none;
    QTest::newRow("TTYPE SEND") << bytes({IAC, SB, TerminalType, 1, IAC, SE})
                                << bytes({IAC, SB, TerminalType, 0}) + "VT100" + bytes({IAC, SE}) << none;

    QTest::newRow("WILL other") << bytes({IAC, WILL, WindowSize}) << bytes({IAC, DONT, WindowSize}) << none;
    QTest::newRow("DO other") << bytes({IAC, DO, WindowSize}) << bytes({IAC, WONT, WindowSize}) << none;
    QTest::newRow("WONT other") << bytes({IAC, WONT, WindowSize}) << none << none;
    QTest::newRow("DONT other") << bytes({IAC, DONT, WindowSize}) << none << none;

    QTest::newRow("DO BINARY") << bytes({IAC, DO, Binary}) << none << none;
    QTest::newRow("DO ECHO") << bytes({IAC, DO, Echo}) << none << none;
    QTest::newRow("WILL TTYPE") << bytes({IAC, WILL, TerminalType}) << none << none;
    QTest::newRow("WILL SEND-LOCATION") << bytes({IAC, WILL, SendLocation}) << none << none;
    QTest::newRow("WONT ECHO never on") << bytes({IAC, WONT, Echo}) << none << none;
    QTest::newRow("DONT TTYPE never on") << bytes({IAC, DONT, TerminalType}) << none << none;

    QTest::newRow("repeated WILL ECHO")
        << bytes({IAC, WILL, Echo, IAC, WILL, Echo, IAC, WILL, Echo}) << bytes({IAC, DO, Echo}) << none;
    QTest::newRow("repeated DO TTYPE")
        << bytes({IAC, DO, TerminalType, IAC, DO, TerminalType}) << bytes({IAC, WILL, TerminalType}) << none;
    QTest::newRow("ECHO withdrawn and offered again")
        << bytes({IAC, WILL, Echo, IAC, WONT, Echo, IAC, WILL, Echo}) << bytes({IAC, DO, Echo, IAC, DO, Echo})
        << none;

    QTest::newRow("data around a negotiation") << QByteArray("login: ") + bytes({IAC, WILL, Echo}) + "pw"
                                               << bytes({IAC, DO, Echo}) << QByteArray("login: pw");
    QTest::newRow("doubled IAC") << QByteArray("a") + bytes({IAC, IAC}) + "b" << none
                                 << QByteArray("a\xff"
                                               "b");
    QTest::newRow("commands dropped")
        << QByteArray("a") + bytes({IAC, GA}) + "b" + bytes({IAC, NOP}) + "c" << none << QByteArray("abc");
    QTest::newRow("other subnegotiation dropped")
        << QByteArray("x") + bytes({IAC, SB, WindowSize, 0, 80, char(0xFF), char(0xFF), 0, 24, IAC, SE}) + "y"
        << none << QByteArray("xy");
    // A node may start compressing even unasked; each stream ends where it ends, not where a read ends.
    const QByteArray compressing = bytes({IAC, SB, Compress2, IAC, SE});
    const QByteArray hello = QByteArray::fromHex("789ccb48cdc9c90700062c0215"); // zlib's "hello"
    QTest::newRow("compressed stream, then plain data")
        << compressing + hello + "tail" << none << QByteArray("hellotail");
    // libtelnet takes the first inflated byte for the command that follows an IAC inside SB.
    QTest::newRow("compressed stream after a subnegotiation cut short")
        << bytes({IAC, SB, Compress2, IAC, NOP}) + hello + "tail" << none << QByteArray("ellotail");
    QTest::newRow("broken compressed stream, then plain data")
        << compressing + QByteArray::fromHex("789c07") + "after" << none << QByteArray("after");
    QTest::newRow("spot line with bells") << QByteArray("DX de W3LPL:  14025.0  JA1ABC  \a\a\r\n") << none
                                          << QByteArray("DX de W3LPL:  14025.0  JA1ABC  \a\a\r\n");
}

// The same answers and data whole, split in two at every position, and byte by byte.
void TestTelnetProtocol::answersAndData()
{
    QFETCH(QByteArray, wire);
    QFETCH(QByteArray, answers);
    QFETCH(QByteArray, data);

    for (qsizetype split = 0; split <= wire.size(); ++split) {
        Peer peer;
        peer.feed(wire.first(split));
        peer.feed(wire.sliced(split));
        QCOMPARE(peer.answers, answers);
        QCOMPARE(peer.data, data);
    }
    Peer peer;
    for (const char byte : wire)
        peer.feed(QByteArrayView(&byte, 1));
    QCOMPARE(peer.answers, answers);
    QCOMPARE(peer.data, data);
}

void TestTelnetProtocol::refusalsAreNeverAnswered()
{
    Peer peer;
    QByteArray wire;
    for (int option = 0; option < 256; ++option)
        wire += bytes({IAC, WONT, char(option), IAC, DONT, char(option)});
    peer.feed(wire);
    QVERIFY(peer.answers.isEmpty());
}

// A node switching an option on and off gets one answer per switch on, never a loop.
void TestTelnetProtocol::flappingAnswersOncePerChange()
{
    constexpr int Flaps = 1000;
    Peer peer;
    for (int i = 0; i < Flaps; ++i)
        peer.feed(bytes({IAC, DO, TerminalType, IAC, DO, TerminalType, IAC, DONT, TerminalType}));
    QCOMPARE(peer.answers, bytes({IAC, WILL, TerminalType}).repeated(Flaps));
}

void TestTelnetProtocol::hugeSubnegotiationIsDropped_data()
{
    QTest::addColumn<QByteArray>("tail");
    QTest::newRow("plain") << QByteArray(1000, 'y');
    QTest::newRow("doubled IAC") << QByteArray(1000, 'y') + bytes({IAC, IAC}) + "y";
    QTest::newRow("IAC SB inside") << bytes({IAC, SB, WindowSize}) + "yy";
}

// libtelnet keeps 16 KiB of a subnegotiation and would hand the rest to us as data.
void TestTelnetProtocol::hugeSubnegotiationIsDropped()
{
    QFETCH(QByteArray, tail);
    const QByteArray wire = QByteArray("before") + bytes({IAC, SB, TerminalType}) + QByteArray(1 << 20, 'x') +
                            tail + bytes({IAC, SE}) + "after" + bytes({IAC, DO, TerminalType});
    Peer peer;
    for (qsizetype at = 0; at < wire.size(); at += 2048)
        peer.feed(wire.sliced(at, std::min<qsizetype>(2048, wire.size() - at)));
    QCOMPARE(peer.data, QByteArray("beforeafter"));
    QCOMPARE(peer.answers, bytes({IAC, WILL, TerminalType}));
}

// After any byte salad (long subnegotiations included), the end of a subnegotiation brings the
// stream back to data.
void TestTelnetProtocol::randomBytesLeaveTheStreamUsable()
{
    QRandomGenerator random(20261211);
    Peer peer;
    qsizetype fed = 0;
    for (int chunk = 0; chunk < 2000; ++chunk) {
        QByteArray wire(random.bounded(1, 4096), Qt::Uninitialized);
        for (char& byte : wire)
            byte = random.bounded(8) == 0 ? IAC : char(random.bounded(256));
        peer.feed(wire);
        fed += wire.size();
    }
    QVERIFY(peer.data.size() <= fed);
    peer.data.clear();
    peer.feed(bytes({IAC, SE, IAC, SE}) + "tail");
    QVERIFY2(peer.data.endsWith("tail"), peer.data.toHex().constData());
}

void TestTelnetProtocol::sendDoublesIac()
{
    Peer peer;
    peer.protocol.send("a\xff"
                       "b");
    QCOMPARE(peer.answers, QByteArray("a\xff\xff"
                                      "b"));
}

void TestTelnetProtocol::wireBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("ascii with line end") << QStringLiteral("SH/DX\r\n") << QByteArray("SH/DX\r\n");
    QTest::newRow("latin-1") << QStringLiteral(u"K\u00f6ln \u00ff") << QByteArray("K\xf6ln \xff");
    QTest::newRow("NUL") << QString(QChar(0)) << QByteArray(1, '\0');
    QTest::newRow("above U+00FF") << QStringLiteral(u"\u20ac5 \u0152") << QByteArray("?5 ?");
    QTest::newRow("outside the BMP is one character") << QStringLiteral(u"a\U0001F600b") << QByteArray("a?b");
}

void TestTelnetProtocol::wireBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, wire);
    QCOMPARE(::wireBytes(text), wire);
}

QTEST_GUILESS_MAIN(TestTelnetProtocol)
#include "tst_TelnetProtocol.moc"
