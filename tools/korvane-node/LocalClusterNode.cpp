#include "LocalClusterNode.h"
#include "NodeSession.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <utility>

LocalClusterNode::LocalClusterNode(NodeOptions options, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &LocalClusterNode::acceptClients);
}

bool LocalClusterNode::listen(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

quint16 LocalClusterNode::port() const
{
    return m_server->serverPort();
}

QString LocalClusterNode::errorString() const
{
    return m_server->errorString();
}

void LocalClusterNode::sendSpot(const NodeSpot& spot)
{
    recordSpot(spot);
    broadcast(NodeText::broadcastLine(NodeText::spotLine(spot)));
}

void LocalClusterNode::sendAnnouncement(const QString& from, const QString& text)
{
    broadcast(NodeText::broadcastLine(u"To ALL de "_qs + from + u": "_qs + text));
}

void LocalClusterNode::recordSpot(const NodeSpot& spot)
{
    if (m_spots.size() == SpotLogSize)
        m_spots.removeFirst();
    m_spots.append(spot);
}

QList<NodeSpot> LocalClusterNode::latestSpots(qsizetype count) const
{
    QList<NodeSpot> latest;
    for (auto spot = m_spots.crbegin(); spot != m_spots.crend() && latest.size() < count; ++spot)
        latest.append(*spot);
    return latest;
}

QStringList LocalClusterNode::users() const
{
    QStringList calls;
    for (const NodeSession* session : m_sessions) {
        if (session->isLoggedIn())
            calls.append(session->call());
    }
    return calls;
}

StationInfo& LocalClusterNode::station(const QString& call)
{
    return m_stations[call];
}

const StationInfo* LocalClusterNode::findStation(const QString& call) const
{
    const auto found = m_stations.constFind(call);
    return found == m_stations.cend() ? nullptr : &*found;
}

void LocalClusterNode::acceptClients()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (m_sessions.size() >= MaxClients) {
            Q_EMIT logged(u"refused a client: %1 are connected"_qs.arg(MaxClients));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* session = new NodeSession(socket, *this);
        m_sessions.append(session);
        connect(session, &NodeSession::logged, this, &LocalClusterNode::logged);
        connect(session, &NodeSession::commandReceived, this, &LocalClusterNode::commandReceived);
        connect(session, &NodeSession::finished, this, [this, session] {
            m_sessions.removeOne(session);
            session->deleteLater();
        });
        session->start();
    }
}

void LocalClusterNode::broadcast(const QByteArray& bytes)
{
    // A copy: a failed write ends its session, which leaves m_sessions at once.
    const QList<NodeSession*> sessions = m_sessions;
    for (NodeSession* session : sessions) {
        if (session->isLoggedIn())
            session->send(bytes);
    }
}
