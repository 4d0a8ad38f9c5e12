#pragma once

#include <QByteArray>
#include <QString>

// The telnet bytes the node reads and writes, and the names it logs them under.
namespace Telnet {

constexpr char Iac = char(255);
constexpr char Dont = char(254);
constexpr char Do = char(253);
constexpr char Wont = char(252);
constexpr char Will = char(251);
constexpr char Sb = char(250);
constexpr char Se = char(240);

constexpr char Echo = char(1);
constexpr char SuppressGoAhead = char(3);
constexpr char TerminalType = char(24);

// Sub-commands of a TERMINAL-TYPE subnegotiation.
constexpr char Is = char(0);
constexpr char Send = char(1);

// One command the client sent: a verb with its option, and the parameters of a subnegotiation.
struct Command
{
    char verb = 0;
    char option = 0;
    QByteArray parameters;
};

// "WILL TERMINAL-TYPE", "SB TERMINAL-TYPE IS VT100", "DO 31": for the log.
QString describe(const Command& command);

// The bytes with every IAC doubled, as telnet data must carry them.
QByteArray escaped(QByteArray data);

} // namespace Telnet
