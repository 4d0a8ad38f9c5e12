#include "SpotList.h"

#include <array>

namespace {

enum Field
{
    Time,
    Call,
    Frequency,
    Spotter,
    Comment,
    Prefix,
    Country,
    Cq,
    Itu,
    Wac,
    Latitude,
    Longitude,
    FieldCount
};

} // namespace

void SpotList::append(const TSpotRec& r)
{
    const std::array<QString, FieldCount> fields{r.HRE, r.CALL, r.FRQ, r.DXDE, r.NFO, r.PFX,
                                                 r.PYS, r.CQ,   r.ITU, r.WAC,  r.LAT, r.LNG};
    m_spots.append(fields);
}

TSpotRec SpotList::at(qsizetype index) const
{
    const QStringList f = m_spots.texts(index);
    return {f.value(Time),    f.value(Call),   f.value(Frequency), f.value(Spotter),
            f.value(Comment), f.value(Prefix), f.value(Country),   f.value(Cq),
            f.value(Itu),     f.value(Wac),    f.value(Latitude),  f.value(Longitude)};
}

std::optional<TSpotRec> SpotList::newest(const QString& time, const QString& call) const
{
    const QByteArray timeBytes = time.toUtf8();
    const QByteArray callBytes = call.toUtf8();
    for (qsizetype index = size() - 1; index >= 0; --index)
        if (m_spots.textEquals(index, Call, callBytes) && m_spots.textEquals(index, Time, timeBytes))
            return at(index);
    return std::nullopt;
}
