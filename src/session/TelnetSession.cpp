#include "TelnetSession.h"

#include "TelnetProtocol.h"

#include <QHostAddress>

#include <sys/socket.h>

namespace {

constexpr qint64 ReadSize = 2048;
// What the socket holds unread while a handler lets events run; past it the node waits (TCP).
constexpr qint64 ReadBufferSize = 32 * ReadSize;

quint16 winsockCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::SocketTimeoutError:
        return 10060;
    case QAbstractSocket::NetworkError:
        return 10051;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::RemoteHostClosedError:
        return 10054;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045;
    default:
        return 10022; // WSAEINVAL, for what Winsock has no closer code
    }
}

} // namespace

TelnetSession::TelnetSession(QObject* parent) : QObject(parent)
{
    m_socket.setReadBufferSize(ReadBufferSize);
    connect(&m_socket, &QTcpSocket::connected, this, &TelnetSession::connected);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TelnetSession::failed);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TelnetSession::deliverPending);
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] { close(0); });
}

TelnetSession::~TelnetSession()
{
    // The socket closes after us and must not report into a half-destroyed session.
    m_socket.disconnect(this);
}

void TelnetSession::open(const QHostAddress& address, quint16 port, const QByteArray& location)
{
    Q_ASSERT(m_state == State::Closed);
    ++m_attempt;
    m_protocol = std::make_unique<TelnetProtocol>(
        location, [this](QByteArrayView wire) { m_socket.write(wire.data(), wire.size()); });
    m_state = State::Connecting;
    m_socket.connectToHost(address, port);
}

void TelnetSession::send(QByteArrayView data)
{
    Q_ASSERT(m_state == State::Connected);
    m_protocol->send(data);
}

void TelnetSession::connected()
{
    m_state = State::Connected;
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1); // typed keys leave at once
    Q_EMIT attemptFinished(0, QString());
}

void TelnetSession::failed(QAbstractSocket::SocketError error)
{
    if (m_state == State::Connected) {
        // The node's close, orderly or not, is the normal end of a session.
        close(error == QAbstractSocket::RemoteHostClosedError ? 0 : winsockCode(error));
        return;
    }
    if (m_state != State::Connecting)
        return;
    const quint16 code = winsockCode(error);
    const quint64 attempt = m_attempt;
    Q_EMIT attemptFinished(code, QStringLiteral("%1 (#%2)").arg(m_socket.errorString()).arg(code));
    if (m_attempt == attempt)
        close(code);
}

// Reads until the socket's buffer is empty or a handler has closed or replaced the session.
void TelnetSession::deliverPending()
{
    const quint64 attempt = m_attempt;
    while (m_attempt == attempt && m_state == State::Connected && m_socket.bytesAvailable() > 0) {
        const QByteArray block = m_protocol->receive(m_socket.read(ReadSize));
        if (!block.isEmpty())
            Q_EMIT dataReceived(block);
    }
}

void TelnetSession::close(quint16 code)
{
    const quint64 attempt = m_attempt;
    deliverPending();
    if (m_attempt != attempt || m_state == State::Closed)
        return;
    m_state = State::Closed;
    m_socket.abort();
    Q_EMIT closed(code);
}

void TelnetSession::shutdown()
{
    if (m_state == State::Connected) {
        m_socket.flush();
        ::shutdown(int(m_socket.socketDescriptor()), SHUT_WR);
    }
    close(0);
}
