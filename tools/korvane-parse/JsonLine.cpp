#include "JsonLine.h"

#include "ClusterLine.h"

#include <initializer_list>
#include <utility>

namespace {

// A JSON string: quotes, backslashes and control characters escaped, the rest as UTF-8.
QByteArray quoted(const QString& text)
{
    QByteArray out = "\"";
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c.unicode() < 0x20)
                out += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
            else
                out += QString(c).toUtf8();
        }
    }
    return out + '"';
}

using Member = std::pair<const char*, QByteArray>;

QByteArray object(std::initializer_list<Member> members)
{
    QByteArray out = "{";
    for (const auto& [key, value] : members) {
        if (out.size() > 1)
            out += ',';
        out += '"' + QByteArray(key) + "\":" + value;
    }
    return out + '}';
}

QByteArray array(const QStringList& texts)
{
    QByteArray out = "[";
    for (const QString& text : texts) {
        if (out.size() > 1)
            out += ',';
        out += quoted(text);
    }
    return out + ']';
}

QByteArray colorText(ColorRef color)
{
    return quoted(u'$' + QString::number(color, 16).toUpper().rightJustified(8, u'0'));
}

QByteArray record(const TSpotRec& r)
{
    return object({{"HRE", quoted(r.HRE)},
                   {"CALL", quoted(r.CALL)},
                   {"FRQ", quoted(r.FRQ)},
                   {"DXDE", quoted(r.DXDE)},
                   {"NFO", quoted(r.NFO)},
                   {"PFX", quoted(r.PFX)},
                   {"PYS", quoted(r.PYS)},
                   {"CQ", quoted(r.CQ)},
                   {"ITU", quoted(r.ITU)},
                   {"WAC", quoted(r.WAC)},
                   {"LAT", quoted(r.LAT)},
                   {"LNG", quoted(r.LNG)}});
}

QByteArray country(const TDXRecord& r)
{
    return object({{"PFX", quoted(r.PFX)},
                   {"PYS", quoted(r.PYS)},
                   {"CQZ", quoted(r.CQZ)},
                   {"ITUZ", quoted(r.ITUZ)},
                   {"LATZ", quoted(r.LATZ)},
                   {"LONGZ", quoted(r.LONGZ)},
                   {"WACZ", quoted(r.WACZ)},
                   {"ADIF", quoted(r.ADIF)}});
}

QByteArray message(const char* kind, const MessageRow& row)
{
    return object({{"kind", quoted(QString::fromLatin1(kind))},
                   {"sender", quoted(row.sender)},
                   {"text", quoted(row.text)}});
}

} // namespace

QByteArray toJsonLine(const ClusterLine& line)
{
    switch (line.kind) {
    case ClusterLine::Kind::Spot: {
        const ParsedSpot& spot = line.spot;
        return object({{"kind", quoted(u"spot"_qs)},
                       {"band", QByteArray::number(spot.band.number)},
                       {"color", colorText(spot.band.color)},
                       {"record", record(spot.record)},
                       {"row", array(spot.row())},
                       {"country", country(spot.country)}});
    }
    case ClusterLine::Kind::Announcement:
        return message("announcement", line.message);
    case ClusterLine::Kind::Wcy:
        return message("wcy", line.message);
    case ClusterLine::Kind::Other:
        break;
    }
    return object({{"kind", quoted(u"other"_qs)}, {"text", quoted(line.text)}});
}
