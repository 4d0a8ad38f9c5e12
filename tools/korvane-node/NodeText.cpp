#include "NodeText.h"
#include "Telnet.h"

#include <QLocale>

#include <algorithm>

namespace NodeText {

namespace {

constexpr qsizetype FrequencyEnd = 24; // the spot line's frequency ends in this column
constexpr qsizetype CallWidth = 12;    // the callsign column, one blank after it
constexpr qsizetype CommentWidth = 30;

QString frequencyText(double khz)
{
    return QString::number(khz, 'f', 1);
}

} // namespace

QString spotLine(const NodeSpot& spot)
{
    const QString head = u"DX de "_qs + spot.spotter + u':';
    const QString frequency = frequencyText(spot.frequencyKhz);
    // A spotter too long for the column still gets one blank before the frequency.
    const qsizetype width = std::max(FrequencyEnd - head.size(), frequency.size() + 1);
    QString text = head + frequency.rightJustified(width) + u"  "_qs + spot.call.leftJustified(CallWidth) +
                   u' ' + spot.comment.leftJustified(CommentWidth, u' ', true) + timeText(spot.time);
    if (!spot.locator.isEmpty())
        text += u' ' + spot.locator;
    return text;
}

QString showDxLine(const NodeSpot& spot)
{
    return frequencyText(spot.frequencyKhz).rightJustified(9) + u' ' +
           spot.call.leftJustified(CallWidth - 1) + u' ' + dateText(spot.time) + u' ' + timeText(spot.time) +
           u' ' + spot.comment.leftJustified(CommentWidth, u' ', true) + u'<' + spot.spotter + u'>';
}

QString prompt(const QString& call, const QString& nodeCall, const QDateTime& utc)
{
    return call + u" de "_qs + nodeCall + u' ' + dateText(utc) + u' ' + timeText(utc) + u" dxspider >"_qs;
}

QString dateText(const QDateTime& utc)
{
    return QLocale::c().toString(utc.date(), u"dd-MMM-yyyy"_qs);
}

QString timeText(const QDateTime& utc)
{
    return QLocale::c().toString(utc.time(), u"hhmm"_qs) + u'Z';
}

QByteArray line(const QString& text)
{
    return Telnet::escaped(text.toLatin1()) + "\r\n";
}

QByteArray broadcastLine(const QString& text)
{
    return Telnet::escaped(text.toLatin1()) + "\a\a\r\n";
}

} // namespace NodeText
