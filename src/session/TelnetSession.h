#pragma once

#include <QByteArray>
#include <QObject>
#include <QTcpSocket>

#include <memory>

class QHostAddress;
class TelnetProtocol;

// The TCP connection to one node at a time: the non-blocking attempt and its outcome, reads of at
// most 2048 bytes passed through the telnet protocol, and the close, each reported once. Codes
// are Winsock's, as the program has always shown them (0 is success).
class TelnetSession final : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        Closed,
        Connecting,
        Connected
    };

    static constexpr quint16 NotConnected = 10057;

    explicit TelnetSession(QObject* parent = nullptr);
    ~TelnetSession() override;
    Q_DISABLE_COPY_MOVE(TelnetSession)

    State state() const { return m_state; }
    bool isOpen() const { return m_state != State::Closed; }
    // Changes with every attempt, so that a caller can tell whether a handler replaced the session.
    quint64 attempt() const { return m_attempt; }

    // Starts a non-blocking attempt; the session must be closed.
    void open(const QHostAddress& address, quint16 port, const QByteArray& location);
    // Queues data for the node; the session must be connected.
    void send(QByteArrayView data);
    // Delivers the data already received, then closes and reports closed(code); nothing when closed.
    void close(quint16 code);
    // The user's close: what was queued is handed to the system and the sending side shut down first.
    void shutdown();

Q_SIGNALS:
    // The attempt has completed: error 0 when connected, else its code and reason. On failure the
    // session closes afterwards (unless a handler already closed or reopened it).
    void attemptFinished(quint16 error, const QString& reason);
    void dataReceived(const QByteArray& block);
    void closed(quint16 code);

private:
    void connected();
    void failed(QAbstractSocket::SocketError error);
    void deliverPending();

    QTcpSocket m_socket;
    std::unique_ptr<TelnetProtocol> m_protocol;
    State m_state = State::Closed;
    quint64 m_attempt = 0;
};
