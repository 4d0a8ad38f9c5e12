#pragma once

#include "NodeOptions.h"
#include "NodeText.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

class NodeSession;
class QTcpServer;

// What a user told the node about his station.
struct StationInfo
{
    QString name;
    QString qth;
    QString location;
};

// A small DX cluster node on 127.0.0.1 for tests, benchmarks and the offline demo. It logs users in
// and answers them as DXSpider does, shares their spots and announcements, and feeds each client
// a recorded session or made-up traffic as its options say.
class LocalClusterNode final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LocalClusterNode)

public:
    static constexpr int MaxClients = 64;
    static constexpr qsizetype SpotLogSize = 1000; // spots kept for SHOW/DX

    explicit LocalClusterNode(NodeOptions options = {}, QObject* parent = nullptr);

    // Listens on 127.0.0.1 only; port 0 takes a free port. False, with errorString(), on failure.
    bool listen(quint16 port = 0);
    quint16 port() const;
    QString errorString() const;
    const NodeOptions& options() const { return m_options; }

    // Keeps the spot for SHOW/DX and sends it to every logged-in user.
    void sendSpot(const NodeSpot& spot);
    // Sends "To ALL de <from>: <text>" to every logged-in user.
    void sendAnnouncement(const QString& from, const QString& text);

    // Kept for SHOW/DX without being sent (the sessions' made-up spots).
    void recordSpot(const NodeSpot& spot);
    QList<NodeSpot> latestSpots(qsizetype count) const; // newest first
    QStringList users() const;                          // logged-in callsigns, in order of login
    StationInfo& station(const QString& call);
    const StationInfo* findStation(const QString& call) const;

Q_SIGNALS:
    void logged(const QString& message); // connections, logins, commands, telnet answers, drops
    void commandReceived(const QString& call, const QString& line);

private:
    void acceptClients();
    void broadcast(const QByteArray& bytes);

    NodeOptions m_options;
    QTcpServer* m_server;
    QList<NodeSession*> m_sessions;
    QList<NodeSpot> m_spots; // oldest first
    QHash<QString, StationInfo> m_stations;
};
