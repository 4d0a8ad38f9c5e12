#include "TelnetProtocol.h"

#include <QList>

#include <cstddef> // libtelnet.h uses size_t without including it
#include <libtelnet.h>

#include <utility>

namespace {

constexpr unsigned char Binary = TELNET_TELOPT_BINARY;
constexpr unsigned char Echo = TELNET_TELOPT_ECHO;
constexpr unsigned char SuppressGoAhead = TELNET_TELOPT_SGA;
constexpr unsigned char SendLocation = TELNET_TELOPT_SNDLOC;
constexpr unsigned char TerminalType = TELNET_TELOPT_TTYPE;
constexpr unsigned char EndOfRecord = TELNET_TELOPT_EOR;

constexpr const char* TerminalTypeName = "VT100";

constexpr char Iac = char(TELNET_IAC);

// libtelnet keeps at most 16 KiB of a subnegotiation; past that it warns with this text and
// goes on reading the rest of the subnegotiation as data, which we drop up to its IAC SE.
constexpr QByteArrayView SubnegotiationOverflow = "subnegotiation buffer size limit";

// Options the node may switch on at its side, and options we switch on at ours when asked.
bool acceptsRemote(unsigned char option)
{
    return option == Binary || option == Echo || option == SuppressGoAhead;
}

bool acceptsLocal(unsigned char option)
{
    return option == SendLocation || option == TerminalType || option == EndOfRecord;
}

// An offer of a named option that only we switch on, or a request for one that only the node
// switches on, goes unanswered; any other option is refused.
bool isNamed(unsigned char option)
{
    return acceptsRemote(option) || acceptsLocal(option);
}

} // namespace

// libtelnet's event callback, with access to the protocol's state.
struct TelnetEvents
{
    static void handle(telnet_t*, telnet_event_t* event, void* user)
    {
        auto& protocol = *static_cast<TelnetProtocol*>(user);
        switch (event->type) {
        case TELNET_EV_DATA:
            if (!protocol.m_discardingSubnegotiation)
                protocol.m_received.append(event->data.buffer, qsizetype(event->data.size));
            break;
        case TELNET_EV_SEND:
            protocol.m_writer(QByteArrayView(event->data.buffer, qsizetype(event->data.size)));
            break;
        case TELNET_EV_WILL:
            protocol.offered(event->neg.telopt);
            break;
        case TELNET_EV_WONT:
            protocol.m_remoteEnabled.reset(event->neg.telopt);
            break;
        case TELNET_EV_DO:
            protocol.requested(event->neg.telopt);
            break;
        case TELNET_EV_DONT:
            protocol.m_localEnabled.reset(event->neg.telopt);
            break;
        case TELNET_EV_TTYPE:
            if (event->ttype.cmd == TELNET_TTYPE_SEND)
                telnet_ttype_is(protocol.m_telnet, TerminalTypeName);
            break;
        case TELNET_EV_IAC:
            if (event->iac.cmd == TELNET_SE)
                protocol.m_discardingSubnegotiation = false;
            break;
        case TELNET_EV_SUBNEGOTIATION: // the overflowing one's IAC SE, after a stray IAC SB in it
            protocol.m_discardingSubnegotiation = false;
            break;
        case TELNET_EV_COMPRESS:
            protocol.m_inflating = event->compress.state != 0;
            break;
        case TELNET_EV_WARNING:
            if (QByteArrayView(event->error.msg).startsWith(SubnegotiationOverflow))
                protocol.m_discardingSubnegotiation = true;
            break;
        default:
            break;
        }
    }
};

// Proxy mode: libtelnet parses and reports, and the answers are ours, so that the verbs we do not
// take up for the named options stay unanswered.
TelnetProtocol::TelnetProtocol(QByteArray location, Writer writer)
    : m_telnet(telnet_init(nullptr, &TelnetEvents::handle, TELNET_FLAG_PROXY, this)),
      m_location(std::move(location)), m_writer(std::move(writer))
{
}

TelnetProtocol::~TelnetProtocol()
{
    telnet_free(m_telnet);
}

// A node may start a compressed stream (COMPRESS2) even unasked, and libtelnet inflates it. When
// that stream ends or breaks, libtelnet drops the rest of the bytes it was given, so while it
// inflates they go in one at a time. A stream starts where its subnegotiation ends, at the byte
// after an IAC, so every byte after an IAC also ends a piece. More pieces change nothing else:
// libtelnet carries every sequence over from one call to the next.
QByteArray TelnetProtocol::receive(QByteArrayView wire)
{
    while (!wire.isEmpty()) {
        const qsizetype iac = wire.indexOf(Iac);
        const qsizetype length = m_inflating || m_afterIac ? 1
                                 : iac < 0                 ? wire.size()
                                                           : qMin(iac + 2, wire.size());
        const QByteArrayView piece = wire.first(length);
        telnet_recv(m_telnet, piece.data(), size_t(piece.size()));
        m_afterIac = piece.back() == Iac;
        wire = wire.sliced(length);
    }
    return std::exchange(m_received, {});
}

void TelnetProtocol::send(QByteArrayView data)
{
    telnet_send(m_telnet, data.data(), size_t(data.size()));
}

// Answers only when the option changes state, so a repeated or flapping request can never start
// a negotiation loop with the node.
void TelnetProtocol::offered(unsigned char option)
{
    if (acceptsRemote(option)) {
        if (!m_remoteEnabled.test(option)) {
            m_remoteEnabled.set(option);
            telnet_negotiate(m_telnet, TELNET_DO, option);
        }
    } else if (!isNamed(option)) {
        telnet_negotiate(m_telnet, TELNET_DONT, option);
    }
}

void TelnetProtocol::requested(unsigned char option)
{
    if (acceptsLocal(option)) {
        if (!m_localEnabled.test(option)) {
            m_localEnabled.set(option);
            telnet_negotiate(m_telnet, TELNET_WILL, option);
            if (option == SendLocation)
                telnet_subnegotiation(m_telnet, SendLocation, m_location.constData(),
                                      size_t(m_location.size()));
        }
    } else if (!isNamed(option)) {
        telnet_negotiate(m_telnet, TELNET_WONT, option);
    }
}

QByteArray wireBytes(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const uint code : text.toUcs4())
        bytes.append(code <= 0xFF ? char(code) : '?');
    return bytes;
}
