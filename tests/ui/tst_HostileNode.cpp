#include "LineAssembler.h"
#include "MessageBox.h"
#include "NodeText.h"
#include "StringGrid.h"
#include "TelnetTerminal.h"
#include "VtScreen.h"
#include "WindowTestKit.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <sys/socket.h>

#include <memory>

// The window against a node that sends what no sane node sends: floods, single bytes, endless
// lines and subnegotiations, binary noise, option storms, resets. Nothing may crash or hang, every
// complete spot line is listed once and in order, and nothing grows past the line rules.
class tst_HostileNode final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void everyCompleteSpotIsListedOnce_data();
    void everyCompleteSpotIsListedOnce();
    void aNodeClosingRightAfterConnectLeavesTheWindowUsable();

private:
    template<typename T = QWidget> T* child(const char* name) const { return ::child<T>(m_form.get(), name); }
    QStringList listedCalls() const;
    QString paneText() const;
    void send(QTcpSocket* node, const QByteArrayList& writes);

    WindowTestKit m_kit;
    std::unique_ptr<TTelForm> m_form;
    std::unique_ptr<QTcpServer> m_server;
};

namespace {

constexpr int CallColumn = 1;
constexpr int WaitMs = 120'000; // generous: a slow machine must not fail, a hang still ends

constexpr char IAC = char(255), SB = char(250), SE = char(240), WILL = char(251), WONT = char(252),
               DO = char(253), DONT = char(254), NOP = char(241), GA = char(249);
constexpr char Echo = 1, SuppressGoAhead = 3, TerminalType = 24, EndOfRecord = 25, Unknown = 99;

QByteArray bytes(std::initializer_list<char> list)
{
    return QByteArray(list.begin(), qsizetype(list.size()));
}

QByteArray spotBytes(const QString& call)
{
    const NodeSpot spot{
        14025.0, call, u"hostile"_qs, u"W3LPL"_qs, QDateTime(QDate(2026, 12, 11), QTime(12, 34), Qt::UTC),
        {}};
    return NodeText::broadcastLine(NodeText::spotLine(spot));
}

QStringList numberedCalls(const QString& prefix, int count)
{
    QStringList calls;
    for (int i = 0; i < count; ++i)
        calls.append(prefix + QString::number(i));
    return calls;
}

QByteArray spotsBytes(const QStringList& calls)
{
    QByteArray bytes;
    for (const QString& call : calls)
        bytes += spotBytes(call);
    return bytes;
}

QByteArrayList singleBytes(const QByteArray& bytes)
{
    QByteArrayList writes;
    for (const char byte : bytes)
        writes.append(QByteArray(1, byte));
    return writes;
}

// Lines of random bytes (no IAC, which would start telnet commands) between spot lines.
QByteArray noiseBetween(const QStringList& calls)
{
    QRandomGenerator random(7);
    QByteArray bytes;
    for (const QString& call : calls) {
        const int length = random.bounded(300);
        for (int i = 0; i < length; ++i)
            bytes += char(random.bounded(255));
        bytes += "\r\n" + spotBytes(call);
    }
    return bytes;
}

// Telnet sequences, each put inside a callsign and split at every position within it.
struct SplitSequences
{
    QByteArrayList writes;
    QStringList calls;
};

SplitSequences splitSequences()
{
    const QByteArrayList sequences = {
        bytes({IAC, NOP}),
        bytes({IAC, GA}),
        bytes({IAC, WILL, Echo}),
        bytes({IAC, DO, TerminalType}),
        bytes({IAC, DONT, Unknown}),
        bytes({IAC, SB, TerminalType, 1, IAC, SE}),
        bytes({IAC, SB, Unknown, 'a', IAC, IAC, 'b', IAC, SE}),
    };
    SplitSequences result;
    for (qsizetype n = 0; n < sequences.size(); ++n) {
        const QByteArray& sequence = sequences[n];
        for (qsizetype split = 1; split < sequence.size(); ++split) {
            const QString call = u"JA%1S%2"_qs.arg(n).arg(split);
            QByteArray line = spotBytes(call);
            const qsizetype inCall = line.indexOf(call.toLatin1()) + 2;
            line.insert(inCall, sequence);
            result.writes += {line.left(inCall + split), line.mid(inCall + split)};
            result.calls.append(call);
        }
    }
    return result;
}

// Every option asked for and refused, offered and withdrawn, round after round.
QByteArray optionStorm(int rounds)
{
    QByteArray round;
    for (const char option : {Echo, SuppressGoAhead, TerminalType, EndOfRecord, Unknown}) {
        for (const char verb : {DO, DONT, WILL, WONT})
            round += bytes({IAC, verb, option});
    }
    return round.repeated(rounds);
}

const QString hiddenCall = u"SB0HIDE"_qs;

// A subnegotiation of megabytes whose bytes read like spot lines.
QByteArray hugeSubnegotiation()
{
    return bytes({IAC, SB, TerminalType}) + spotBytes(hiddenCall).repeated(50'000);
}

void resetConnection(QTcpSocket* node)
{
    const linger abortive{1, 0}; // closing with a zero linger time sends RST
    ::setsockopt(int(node->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    node->abort();
}

} // namespace

void tst_HostileNode::initTestCase()
{
    QVERIFY(m_kit.makeProgramFolder());
    setMessageResponder([](const MessageRequest&) { return QMessageBox::Ok; });
}

void tst_HostileNode::init()
{
    m_kit.freshSettings();
    m_kit.internet.setOnline(true);
    m_form = m_kit.startWindow();
    m_form->CheckInternet();
    m_form->show();
    m_server = std::make_unique<QTcpServer>();
    QVERIFY(m_server->listen(QHostAddress::LocalHost));
}

void tst_HostileNode::cleanup()
{
    m_form.reset();
    m_server.reset();
}

QStringList tst_HostileNode::listedCalls() const
{
    const auto* all = child<StringGrid>("GridAll");
    QStringList calls;
    for (int row = 1; row < all->rowCount(); ++row)
        calls.append(all->cell(CallColumn, row));
    return calls;
}

QString tst_HostileNode::paneText() const
{
    const VtScreen& screen = child<TelnetTerminal>("Terminal")->screen();
    QStringList lines;
    for (int row = -screen.scrollbackCount(); row < screen.rows(); ++row)
        lines.append(screen.lineText(row));
    return lines.join(u'\n');
}

// Each write leaves on its own and the window gets to read it before the next one.
void tst_HostileNode::send(QTcpSocket* node, const QByteArrayList& writes)
{
    for (const QByteArray& bytes : writes) {
        node->write(bytes);
        node->flush();
        QVERIFY(QTest::qWaitFor([node] { return node->bytesToWrite() == 0; }, WaitMs));
        QCoreApplication::processEvents();
    }
}

void tst_HostileNode::everyCompleteSpotIsListedOnce_data()
{
    QTest::addColumn<QByteArrayList>("writes");
    QTest::addColumn<QStringList>("listed"); // the complete spot lines, before the node ends
    QTest::addColumn<bool>("reset");         // the node ends with RST instead of an orderly close
    QTest::addColumn<QStringList>("atEnd");  // what the end adds: the unterminated last line

    const QStringList none;
    const QStringList flood = numberedCalls(u"K"_qs, 10'000);
    QTest::newRow("10,000 spot lines in one write")
        << QByteArrayList{spotsBytes(flood)} << flood << false << none;

    const QStringList few = numberedCalls(u"DL"_qs, 12);
    QTest::newRow("one byte per write") << singleBytes(spotsBytes(few)) << few << false << none;

    const QByteArray longLine =
        NodeText::spotLine({14025.0, u"JA1LONG"_qs, u"x"_qs, u"W3LPL"_qs, {}, {}}).toLatin1();
    QTest::newRow("a line of 1 MB without a line end")
        << QByteArrayList{longLine + QByteArray(1'000'000, 'x') + "\r\n" + spotBytes(u"JA1NEXT"_qs)}
        << QStringList{u"JA1LONG"_qs, u"JA1NEXT"_qs} << false << none;

    const QStringList noisy = numberedCalls(u"G"_qs, 300);
    QTest::newRow("random bytes between spot lines")
        << QByteArrayList{noiseBetween(noisy)} << noisy << false << none;

    const SplitSequences split = splitSequences();
    QTest::newRow("telnet sequences split at every position") << split.writes << split.calls << false << none;

    QTest::newRow("an endless subnegotiation, then text")
        << QByteArrayList{spotBytes(u"F1FIRST"_qs) + hugeSubnegotiation(), spotBytes(hiddenCall)}
        << QStringList{u"F1FIRST"_qs} << false << none;
    QTest::newRow("a subnegotiation of megabytes that ends")
        << QByteArrayList{hugeSubnegotiation() + bytes({IAC, SE}) + spotBytes(u"F1AFTER"_qs)}
        << QStringList{u"F1AFTER"_qs} << false << none;

    QTest::newRow("option storms") << QByteArrayList{spotBytes(u"OH1A"_qs) + optionStorm(3000) +
                                                         spotBytes(u"OH1B"_qs),
                                                     optionStorm(3000), spotBytes(u"OH1C"_qs)}
                                   << QStringList{u"OH1A"_qs, u"OH1B"_qs, u"OH1C"_qs} << false << none;

    QTest::newRow("a reset in the middle of a line")
        << QByteArrayList{spotBytes(u"VK2WHOLE"_qs) + spotBytes(u"VK2CUT"_qs).left(50)}
        << QStringList{u"VK2WHOLE"_qs} << true << QStringList{u"VK2CUT"_qs};
}

void tst_HostileNode::everyCompleteSpotIsListedOnce()
{
    QFETCH(QByteArrayList, writes);
    QFETCH(QStringList, listed);
    QFETCH(bool, reset);
    QFETCH(QStringList, atEnd);

    QTcpSocket* node = connectWindowToServer(m_form.get(), *m_server);
    QVERIFY(node);
    node->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    send(node, writes);
    QTRY_COMPARE_WITH_TIMEOUT(listedCalls(), listed, WaitMs);

    QSignalSpy closed(child<TelnetTerminal>("Terminal"), &TelnetTerminal::sessionClosed);
    if (reset)
        resetConnection(node);
    else
        node->disconnectFromHost();
    QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, WaitMs);
    QCOMPARE(listedCalls(), listed + atEnd);
    QVERIFY(child("ConnectBtn")->isEnabled());

    // Nothing longer than a line may hold, and nothing of a subnegotiation is shown anywhere.
    const auto* all = child<StringGrid>("GridAll");
    for (int row = 0; row < all->rowCount(); ++row) {
        for (int column = 0; column < all->model()->columnCount(); ++column)
            QVERIFY(all->cell(column, row).size() <= LineAssembler::MaxLineBytes);
    }
    QVERIFY(!paneText().contains(hiddenCall));
}

void tst_HostileNode::aNodeClosingRightAfterConnectLeavesTheWindowUsable()
{
    connect(m_server.get(), &QTcpServer::newConnection, this,
            [this] { m_server->nextPendingConnection()->disconnectFromHost(); });
    QSignalSpy closed(child<TelnetTerminal>("Terminal"), &TelnetTerminal::sessionClosed);
    connectWindowTo(m_form.get(), m_server->serverPort());
    QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, WaitMs);
    QVERIFY(child("ConnectBtn")->isEnabled());
    QVERIFY(!child("DisconnectBtn")->isEnabled());
    QCOMPARE(listedCalls(), QStringList());

    // The next session works as ever.
    m_server->disconnect(this);
    QTcpSocket* node = connectWindowToServer(m_form.get(), *m_server);
    QVERIFY(node);
    send(node, {spotBytes(u"JA1OK"_qs)});
    QTRY_COMPARE_WITH_TIMEOUT(listedCalls(), QStringList{u"JA1OK"_qs}, WaitMs);
}

QTEST_MAIN(tst_HostileNode)
#include "tst_HostileNode.moc"
