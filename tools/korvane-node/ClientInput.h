#pragma once

#include "Telnet.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Reads what a client sends: takes the telnet commands out and joins the rest into lines ended by
// CR LF, LF or CR (a telnet CR NUL is a CR). A line or subnegotiation longer than MaxLineBytes ends
// the reading, so a client that never ends its line cannot grow the node's memory.
class ClientInput final
{
public:
    static constexpr qsizetype MaxLineBytes = 2048;

    struct Result
    {
        QByteArray data; // the bytes typed, telnet commands removed, for an echo
        QList<QByteArray> lines;
        QList<Telnet::Command> commands;
        bool overflowed = false;
    };

    Result read(QByteArrayView bytes);

private:
    enum class State
    {
        Data,
        Iac,
        Option,
        Subnegotiation,
        SubnegotiationIac
    };

    void readData(char c, Result& result);
    void addData(char c, Result& result);
    void readIac(char c, Result& result);
    void readOption(char c, Result& result);
    void readSubnegotiation(char c);
    void readSubnegotiationIac(char c, Result& result);

    State m_state = State::Data;
    char m_verb = 0;
    bool m_afterCr = false; // the LF or NUL after a CR belongs to that CR's line end
    QByteArray m_line;
    Telnet::Command m_subnegotiation;
};
