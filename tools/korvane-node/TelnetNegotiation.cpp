#include "TelnetNegotiation.h"

#include <initializer_list>

namespace {

QByteArray bytes(std::initializer_list<char> list)
{
    return QByteArray(list.begin(), qsizetype(list.size()));
}

QByteArray command(char verb, char option)
{
    return bytes({Telnet::Iac, verb, option});
}

} // namespace

QByteArray TelnetNegotiation::opening()
{
    return command(Telnet::Do, Telnet::TerminalType) + command(Telnet::Will, Telnet::Echo) +
           command(Telnet::Will, Telnet::SuppressGoAhead);
}

QByteArray TelnetNegotiation::answer(const Telnet::Command& received)
{
    const char option = received.option;
    switch (received.verb) {
    case Telnet::Will:
        if (option != Telnet::TerminalType)
            return command(Telnet::Dont, option);
        if (m_terminalTypeAsked) // a repeated agreement changes nothing and gets no answer
            return {};
        m_terminalTypeAsked = true;
        return bytes({Telnet::Iac, Telnet::Sb, Telnet::TerminalType, Telnet::Send, Telnet::Iac, Telnet::Se});
    case Telnet::Do:
        if (option == Telnet::Echo)
            m_echoes = true;
        else if (option != Telnet::SuppressGoAhead)
            return command(Telnet::Wont, option);
        return {};
    case Telnet::Dont:
        if (option == Telnet::Echo)
            m_echoes = false;
        return {};
    default: // WONT and the terminal's name are only noted in the log
        return {};
    }
}
