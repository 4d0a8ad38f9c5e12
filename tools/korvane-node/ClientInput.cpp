#include "ClientInput.h"

#include <utility>

ClientInput::Result ClientInput::read(QByteArrayView bytes)
{
    Result result;
    for (const char c : bytes) {
        switch (m_state) {
        case State::Data:
            readData(c, result);
            break;
        case State::Iac:
            readIac(c, result);
            break;
        case State::Option:
            readOption(c, result);
            break;
        case State::Subnegotiation:
            readSubnegotiation(c);
            break;
        case State::SubnegotiationIac:
            readSubnegotiationIac(c, result);
            break;
        }
        if (m_line.size() > MaxLineBytes || m_subnegotiation.parameters.size() > MaxLineBytes) {
            result.overflowed = true;
            break;
        }
    }
    return result;
}

void ClientInput::readData(char c, Result& result)
{
    if (c == Telnet::Iac)
        m_state = State::Iac;
    else
        addData(c, result);
}

void ClientInput::addData(char c, Result& result)
{
    result.data += c;
    const bool afterCr = std::exchange(m_afterCr, c == '\r');
    if (c == '\0' || (c == '\n' && afterCr))
        return;
    if (c == '\r' || c == '\n')
        result.lines.append(std::exchange(m_line, {}));
    else
        m_line += c;
}

void ClientInput::readIac(char c, Result& result)
{
    switch (c) {
    case Telnet::Iac: // a doubled IAC is one data byte of value 255
        m_state = State::Data;
        addData(c, result);
        break;
    case Telnet::Will:
    case Telnet::Wont:
    case Telnet::Do:
    case Telnet::Dont:
    case Telnet::Sb:
        m_verb = c;
        m_state = State::Option;
        break;
    default: // NOP, GA and the other two-byte commands mean nothing to the node
        m_state = State::Data;
    }
}

void ClientInput::readOption(char c, Result& result)
{
    if (m_verb == Telnet::Sb) {
        m_subnegotiation = {Telnet::Sb, c, {}};
        m_state = State::Subnegotiation;
        return;
    }
    result.commands.append({m_verb, c, {}});
    m_state = State::Data;
}

void ClientInput::readSubnegotiation(char c)
{
    if (c == Telnet::Iac)
        m_state = State::SubnegotiationIac;
    else
        m_subnegotiation.parameters += c;
}

void ClientInput::readSubnegotiationIac(char c, Result& result)
{
    if (c == Telnet::Se) {
        result.commands.append(std::exchange(m_subnegotiation, {}));
        m_state = State::Data;
        return;
    }
    m_subnegotiation.parameters += c; // IAC IAC inside a subnegotiation is one 255
    m_state = State::Subnegotiation;
}
