#pragma once

#include <QString>

// An announcement or a WCY report: who sent it and what it says, cut around the first colon.
struct MessageRow
{
    QString sender;
    QString text;
};

// "To ALL de F4TST: hello": the sender starts at column 10.
MessageRow ParseAnnouncement(const QString& line);

// "WCY de DK0WCY-1 <12> : K=3 ...": the sender starts at column 7.
MessageRow ParseWcy(const QString& line);
