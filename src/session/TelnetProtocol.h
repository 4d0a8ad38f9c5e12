#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <QtGlobal>

#include <bitset>
#include <functional>

struct telnet_t;
union telnet_event_t;

// Speaks telnet with a cluster node through libtelnet: takes the command sequences out of the
// received bytes, answers the node's option negotiation and escapes the bytes we send. One
// instance per connection; the answers and our data leave through the writer (the socket).
class TelnetProtocol final
{
public:
    using Writer = std::function<void(QByteArrayView wire)>;

    // location: the text sent in the SEND-LOCATION subnegotiation once we agree to that option.
    TelnetProtocol(QByteArray location, Writer writer);
    ~TelnetProtocol();
    Q_DISABLE_COPY_MOVE(TelnetProtocol)

    // The data bytes among the received wire bytes, in order, with every telnet sequence removed
    // (a doubled 255 gives one 255). Sequences split over calls are carried over.
    QByteArray receive(QByteArrayView wire);

    // Writes data; telnet doubles each 255 byte on the wire, and the node reads it back as one.
    void send(QByteArrayView data);

private:
    friend struct TelnetEvents;

    void offered(unsigned char option);
    void requested(unsigned char option);

    telnet_t* m_telnet;
    QByteArray m_location;
    Writer m_writer;
    QByteArray m_received;
    std::bitset<256> m_remoteEnabled;
    std::bitset<256> m_localEnabled;
    bool m_discardingSubnegotiation = false;
    bool m_inflating = false; // the node's compressed stream is being inflated
    bool m_afterIac = false;  // the last byte handed to libtelnet was an IAC
};

// The bytes of a text as sent to the node: each character U+0000 to U+00FF as its Latin-1 byte,
// any other character as "?".
QByteArray wireBytes(QStringView text);
