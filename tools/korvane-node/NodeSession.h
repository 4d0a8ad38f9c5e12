#pragma once

#include "ClientInput.h"
#include "LineFeed.h"
#include "NodeCommands.h"
#include "TelnetNegotiation.h"

#include <QObject>
#include <QTimer>

#include <optional>

class LocalClusterNode;
class QTcpSocket;

// One client of the node: the login, the commands and their answers with the prompt after each,
// the feed of session bytes or made-up traffic after login, and the end of the connection when
// the client says BYE, sends an endless line, or the options ask for a drop.
class NodeSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NodeSession)

public:
    // Takes the socket over; start() sends the first bytes.
    NodeSession(QTcpSocket* socket, LocalClusterNode& node);

    void start();

    bool isLoggedIn() const { return m_commands.has_value(); }
    const QString& call() const { return m_call; }

    // Sends a reply or a broadcast, after the rest of a feed line cut by a split.
    void send(const QByteArray& bytes);

Q_SIGNALS:
    void logged(const QString& message);
    void commandReceived(const QString& call, const QString& line);
    void finished();

private:
    void readClient();
    void answerTelnet(const Telnet::Command& command);
    void handleLine(const QString& line);
    void logIn(const QString& line);
    QByteArray greeting() const;
    QByteArray promptLine() const;
    void startFeed();
    LineFeed::Source feedSource();
    int feedLineCount() const;
    void pumpFeed();
    void feedOnce();
    void endFeed();
    void close();
    void drop();
    void write(const QByteArray& bytes);
    QString who() const;

    QTcpSocket* m_socket;
    LocalClusterNode& m_node;
    ClientInput m_input;
    std::optional<TelnetNegotiation> m_negotiation;
    QString m_call;
    std::optional<NodeCommands> m_commands; // set at login
    std::optional<LineFeed> m_feed;         // set at login
    QTimer m_feedTimer;
};
