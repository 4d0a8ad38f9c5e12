#include "Telnet.h"

namespace Telnet {

namespace {

QString verbName(char verb)
{
    switch (verb) {
    case Will:
        return u"WILL"_qs;
    case Wont:
        return u"WONT"_qs;
    case Do:
        return u"DO"_qs;
    case Dont:
        return u"DONT"_qs;
    case Sb:
        return u"SB"_qs;
    default:
        return QString::number(quint8(verb));
    }
}

QString optionName(char option)
{
    switch (quint8(option)) {
    case 0:
        return u"TRANSMIT-BINARY"_qs;
    case 1:
        return u"ECHO"_qs;
    case 3:
        return u"SUPPRESS-GO-AHEAD"_qs;
    case 23:
        return u"SEND-LOCATION"_qs;
    case 24:
        return u"TERMINAL-TYPE"_qs;
    case 25:
        return u"END-OF-RECORD"_qs;
    case 31:
        return u"NAWS"_qs;
    case 32:
        return u"TERMINAL-SPEED"_qs;
    case 34:
        return u"LINEMODE"_qs;
    case 39:
        return u"NEW-ENVIRON"_qs;
    default:
        return QString::number(quint8(option));
    }
}

QString parametersText(const Command& command)
{
    const QByteArray& p = command.parameters;
    if (command.option == TerminalType && p.startsWith(Is))
        return u"IS "_qs + QString::fromLatin1(p.mid(1));
    if (command.option == TerminalType && p == QByteArray(1, Send))
        return u"SEND"_qs;
    return QString::fromLatin1(p.toHex(' '));
}

} // namespace

QString describe(const Command& command)
{
    QString text = verbName(command.verb) + u' ' + optionName(command.option);
    if (command.verb == Sb && !command.parameters.isEmpty())
        text += u' ' + parametersText(command);
    return text;
}

QByteArray escaped(QByteArray data)
{
    return data.replace(Iac, QByteArray(2, Iac));
}

} // namespace Telnet
