#pragma once

#include "Telnet.h"

#include <QByteArray>

// The node's side of telnet option negotiation, for nodes that negotiate: it asks for the terminal
// type, offers to echo and to suppress go-ahead, asks for the terminal's name once the client agrees,
// and refuses every option it did not raise itself.
class TelnetNegotiation final
{
public:
    // Sent at connect, before the login prompt.
    static QByteArray opening();

    // The node's answer to one command of the client, empty when none is due.
    QByteArray answer(const Telnet::Command& command);

    // True once the client has agreed that the node echoes what it types.
    bool echoes() const { return m_echoes; }

private:
    bool m_terminalTypeAsked = false;
    bool m_echoes = false;
};
