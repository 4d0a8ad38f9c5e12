#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One spot as the node holds it: what was heard where, by whom and when (UTC).
struct NodeSpot
{
    double frequencyKhz = 0;
    QString call;
    QString comment;
    QString spotter;
    QDateTime time;
    QString locator; // the spotter's grid square, often left out
};

// The texts the node sends, laid out as DXSpider lays them out. Broadcasts (spots, announcements,
// WCY and WWV reports) end with BEL BEL CR LF for users who set beep on, everything else with CR LF.
namespace NodeText {

// "DX de F4TST:     14025.0  JA1ABC       test spot                      1227Z": the frequency ends
// at column 24, the callsign starts at 27, the comment at 40 (cut to 30), the time at 70.
QString spotLine(const NodeSpot& spot);

// "  14025.0 JA1ABC      11-Dec-2026 1227Z test spot                     <F4TST>", as SHOW/DX lists.
QString showDxLine(const NodeSpot& spot);

// "F4TST de GB7TST 11-Dec-2026 1227Z dxspider >"
QString prompt(const QString& call, const QString& nodeCall, const QDateTime& utc);

QString dateText(const QDateTime& utc); // "11-Dec-2026"
QString timeText(const QDateTime& utc); // "1227Z"

// The bytes of one line: Latin-1, IAC doubled, CR LF after it.
QByteArray line(const QString& text);

// The bytes of one broadcast line: as line(), with BEL BEL before the CR LF.
QByteArray broadcastLine(const QString& text);

} // namespace NodeText
