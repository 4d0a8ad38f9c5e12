#include "MessageParser.h"

#include "TextRules.h"

namespace {

MessageRow cutMessage(const QString& line, qsizetype senderStart)
{
    const qsizetype c = line.indexOf(u':') + 1;
    return {trimControls(cutText(line, senderStart, c - senderStart)), trimControls(line.mid(c))};
}

} // namespace

MessageRow ParseAnnouncement(const QString& line)
{
    return cutMessage(line, 10);
}

MessageRow ParseWcy(const QString& line)
{
    return cutMessage(line, 7);
}
