#pragma once

#include <QByteArray>
#include <QString>

// What a node sends and how: its callsign, its telnet manners, and the feed each client gets
// after login (a recorded session or made-up traffic), its pace, its cutting and its end.
struct NodeOptions
{
    QString nodeCall = u"GB7TST"_qs;
    bool negotiate = false;   // offer telnet options at connect, as some node software does
    QByteArray session;       // sent after login as it is; takes the place of synthesised lines
    int synthesisedLines = 0; // made-up broadcast lines after login when no session is given
    bool spotsOnly = false;   // made-up lines are all spots
    double rate = 0;          // feed lines per second; 0: as fast as the client takes them
    int burst = 1;            // feed lines per write
    bool split = false;       // cut each write at a random point inside its last line
    int dropAfter = 0;        // close the connection after this many feed lines; 0: keep it
    bool reset = false;       // drop with RST, after dropAfter lines or else at the end of the feed
    quint32 seed = 0;         // for the synthesis and the cutting
};
