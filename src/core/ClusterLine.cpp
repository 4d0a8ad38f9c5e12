#include "ClusterLine.h"

#include "TextRules.h"

namespace {

ClusterLine::Kind kindOf(const QString& line)
{
    using Kind = ClusterLine::Kind;
    if (line.startsWith(u"DX de", Qt::CaseInsensitive))
        return Kind::Spot;
    if (ContainsText(u"ALL de", line))
        return Kind::Announcement;
    if (ContainsText(u"WCY", line))
        return Kind::Wcy;
    if (ContainsText(u"DX de", line))
        return Kind::Spot;
    return Kind::Other;
}

} // namespace

ClusterLine parseClusterLine(const QString& line, const CountryTable& countries)
{
    ClusterLine parsed{kindOf(line), line, {}, {}};
    switch (parsed.kind) {
    case ClusterLine::Kind::Spot:
        parsed.spot = ParseSpot(line, countries);
        break;
    case ClusterLine::Kind::Announcement:
        parsed.message = ParseAnnouncement(line);
        break;
    case ClusterLine::Kind::Wcy:
        parsed.message = ParseWcy(line);
        break;
    case ClusterLine::Kind::Other:
        break;
    }
    return parsed;
}
