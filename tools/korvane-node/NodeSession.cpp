#include "NodeSession.h"
#include "LocalClusterNode.h"
#include "TrafficSynthesizer.h"

#include <QDateTime>
#include <QTcpSocket>

#include <sys/socket.h>

#include <algorithm>

namespace {

// An unpaced feed writes while the socket holds less than this, and goes on as it drains.
constexpr qint64 FeedHighWater = 64 * 1024;

QByteArray lines(const QStringList& texts)
{
    QByteArray bytes;
    for (const QString& text : texts)
        bytes += NodeText::line(text);
    return bytes;
}

} // namespace

NodeSession::NodeSession(QTcpSocket* socket, LocalClusterNode& node)
    : QObject(&node), m_socket(socket), m_node(node)
{
    m_socket->setParent(this);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1); // no Nagle: each write goes out as made
    m_feedTimer.setTimerType(Qt::PreciseTimer);
    connect(m_socket, &QTcpSocket::readyRead, this, &NodeSession::readClient);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] {
        m_feedTimer.stop();
        Q_EMIT logged(who() + u" disconnected"_qs);
        Q_EMIT finished();
    });
    connect(&m_feedTimer, &QTimer::timeout, this, &NodeSession::feedOnce);
}

void NodeSession::start()
{
    Q_EMIT logged(who() + u" connected"_qs);
    if (m_node.options().negotiate) {
        m_negotiation.emplace();
        write(TelnetNegotiation::opening());
    }
    write("login: ");
}

void NodeSession::send(const QByteArray& bytes)
{
    write(m_feed ? m_feed->takeHeldBack() + bytes : bytes);
}

void NodeSession::readClient()
{
    const ClientInput::Result input = m_input.read(m_socket->readAll());
    for (const Telnet::Command& command : input.commands)
        answerTelnet(command);
    if (m_negotiation && m_negotiation->echoes())
        send(Telnet::escaped(input.data));
    for (const QByteArray& line : input.lines) {
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            return;
        handleLine(QString::fromLatin1(line));
    }
    if (input.overflowed) {
        Q_EMIT logged(who() + u" sent more than %1 bytes without a line end: disconnected"_qs.arg(
                                  ClientInput::MaxLineBytes));
        m_socket->abort();
    }
}

void NodeSession::answerTelnet(const Telnet::Command& command)
{
    Q_EMIT logged(who() + u" telnet: "_qs + Telnet::describe(command));
    if (m_negotiation)
        write(m_negotiation->answer(command));
}

void NodeSession::handleLine(const QString& line)
{
    if (!isLoggedIn()) {
        logIn(line);
        return;
    }
    if (!line.trimmed().isEmpty()) {
        Q_EMIT logged(m_call + u": "_qs + line);
        Q_EMIT commandReceived(m_call, line);
    }
    const NodeCommands::Reply reply = m_commands->run(line);
    if (reply.endsSession)
        close();
    else
        send(reply.text + promptLine());
}

void NodeSession::logIn(const QString& line)
{
    const QString call = line.trimmed().section(u' ', 0, 0).toUpper();
    if (call.isEmpty()) {
        write("login: ");
        return;
    }
    m_call = call;
    m_node.station(m_call);
    m_commands.emplace(m_node, m_call);
    Q_EMIT logged(m_call + u" logged in"_qs);
    write(greeting() + promptLine());
    startFeed();
}

QByteArray NodeSession::greeting() const
{
    const QString& nodeCall = m_node.options().nodeCall;
    const qsizetype users = m_node.users().size();
    return lines({u"Hello %1, this is %2, a KORVANE test node on 127.0.0.1"_qs.arg(m_call, nodeCall),
                  u"running korvane-node, modelled on DXSpider V1.57"_qs, QString(),
                  u"Cluster: 1 nodes, %1 local / %1 total users  Max users %2"_qs.arg(users).arg(
                      LocalClusterNode::MaxClients),
                  QString()});
}

QByteArray NodeSession::promptLine() const
{
    return NodeText::line(
        NodeText::prompt(m_call, m_node.options().nodeCall, QDateTime::currentDateTimeUtc()));
}

void NodeSession::startFeed()
{
    const NodeOptions& options = m_node.options();
    // The cuts draw from a seed of their own, so that splitting leaves the made-up lines alone.
    m_feed.emplace(feedSource(), feedLineCount(), options.burst, options.split, ~options.seed);
    if (m_feed->finished()) {
        endFeed();
    } else if (options.rate > 0) {
        m_feedTimer.start(std::max(1, qRound(1000.0 * options.burst / options.rate)));
    } else {
        // Queued: flush() reports bytesWritten while pumpFeed() is still writing.
        connect(m_socket, &QTcpSocket::bytesWritten, this, &NodeSession::pumpFeed, Qt::QueuedConnection);
        pumpFeed();
    }
}

// The recorded session line by line, its bytes as they are; else made-up traffic, whose spots
// SHOW/DX lists afterwards.
LineFeed::Source NodeSession::feedSource()
{
    const QByteArray& session = m_node.options().session;
    if (!session.isEmpty()) {
        return [session, from = qsizetype(0)]() mutable {
            const qsizetype end = session.indexOf('\n', from);
            const qsizetype next = end < 0 ? session.size() : end + 1;
            const QByteArray line = session.mid(from, next - from);
            from = next;
            return line;
        };
    }
    return [this, synthesizer = TrafficSynthesizer(m_node.options().seed)]() mutable {
        TrafficSynthesizer::Line line = synthesizer.next(QDateTime::currentDateTimeUtc());
        while (m_node.options().spotsOnly && !line.spot)
            line = synthesizer.next(QDateTime::currentDateTimeUtc());
        if (line.spot)
            m_node.recordSpot(*line.spot);
        return line.bytes;
    };
}

int NodeSession::feedLineCount() const
{
    const NodeOptions& options = m_node.options();
    const QByteArray& session = options.session;
    const int available = session.isEmpty() ? options.synthesisedLines
                                            : int(session.count('\n') + (session.endsWith('\n') ? 0 : 1));
    return options.dropAfter > 0 ? std::min(available, options.dropAfter) : available;
}

void NodeSession::pumpFeed()
{
    while (m_socket->state() == QAbstractSocket::ConnectedState && !m_feed->finished() &&
           m_socket->bytesToWrite() < FeedHighWater)
        feedOnce();
}

void NodeSession::feedOnce()
{
    write(m_feed->nextWrite());
    if (m_feed->finished())
        endFeed();
}

void NodeSession::endFeed()
{
    m_feedTimer.stop();
    const NodeOptions& options = m_node.options();
    Q_EMIT logged(u"%1 fed %2 lines"_qs.arg(m_call).arg(m_feed->linesTaken()));
    if ((options.dropAfter > 0 && m_feed->linesTaken() == options.dropAfter) || options.reset)
        drop();
}

// BYE: the rest of a split feed line, then a quiet close.
void NodeSession::close()
{
    m_feedTimer.stop();
    write(m_feed->takeHeldBack());
    m_socket->disconnectFromHost();
}

void NodeSession::drop()
{
    const bool reset = m_node.options().reset;
    Q_EMIT logged(who() + (reset ? u" dropped with RST"_qs : u" dropped"_qs));
    if (!reset) {
        m_socket->disconnectFromHost();
        return;
    }
    const linger abortive{1, 0}; // closing with a zero linger time sends RST
    ::setsockopt(int(m_socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    m_socket->abort();
}

void NodeSession::write(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    m_socket->write(bytes);
    m_socket->flush(); // each write its own send, so that bursts and splits reach the client as made
}

QString NodeSession::who() const
{
    return m_call.isEmpty() ? u"%1:%2"_qs.arg(m_socket->peerAddress().toString()).arg(m_socket->peerPort())
                            : m_call;
}
