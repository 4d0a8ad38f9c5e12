#include "SpotParser.h"

#include "CountryTable.h"
#include "TextRules.h"

namespace {

constexpr qsizetype paddedLength = 80;
constexpr qsizetype lastFrequencyColumn = 25;
constexpr qsizetype firstSpotterColumn = 7;

// From the "DX de" marker on, lengthened with blanks to the width of a spot line.
QString spotColumns(const QString& line)
{
    const qsizetype marker = line.indexOf(u"DX de", 0, Qt::CaseInsensitive);
    QString text = marker > 0 ? line.mid(marker) : line;
    if (text.size() < paddedLength)
        text.append(QString(paddedLength - text.size(), u' '));
    return text;
}

// The column (from 1) that closes the spotter: its colon; or, when no colon stands where a spotter
// can end, the first blank after the spotter's first character, as nodes that leave out the colon
// write it. 0 when there is neither.
qsizetype spotterEnd(const QString& text)
{
    const qsizetype colon = text.indexOf(u':') + 1;
    if (colon > 0 && colon <= lastFrequencyColumn)
        return colon;
    const qsizetype blank = text.indexOf(u' ', firstSpotterColumn - 1) + 1;
    return blank > 0 ? blank : colon;
}

QString buildTime(const QString& time)
{
    return cutText(time, 1, 2) + u':' + cutText(time, 3, 3);
}

// Tries the callsign's first four, three, two and one characters; the prefix is the last candidate.
QString lookUpCountry(const QString& call, const CountryTable& countries, TDXRecord& country)
{
    QString candidate;
    for (qsizetype n = 4; n >= 1; --n) {
        candidate = trimControls(call.left(n));
        if (const TDXRecord* row = countries.FindCountry(candidate))
            country = *row;
        if (!country.PFX.isEmpty())
            break;
    }
    return candidate;
}

} // namespace

QStringList ParsedSpot::row() const
{
    return {timeAsBuilt, record.CALL, record.FRQ, spotterAsCut, record.NFO, country.PYS, record.PFX};
}

SpotDetails detailsOf(const ParsedSpot& spot)
{
    const TSpotRec& r = spot.record;
    const TDXRecord& c = spot.country;
    return {r.CALL, c.CQZ,   c.ITUZ, c.WACZ, r.FRQ, spot.timeAsBuilt, spot.spotterAsCut,
            c.LATZ, c.LONGZ, r.NFO,  c.PYS};
}

SpotDetails detailsOf(const TSpotRec& r)
{
    return {r.CALL, r.CQ, r.ITU, r.WAC, r.FRQ, r.HRE, r.DXDE, r.LAT, r.LNG, r.NFO, r.PYS};
}

ParsedSpot ParseSpot(const QString& line, const CountryTable& countries)
{
    const QString text = spotColumns(line);
    const qsizetype c = spotterEnd(text);

    ParsedSpot spot;
    TSpotRec& r = spot.record;
    spot.spotterAsCut = cutText(text, 6, c - 6);
    r.FRQ = trimControls(cutText(text, c + 1, lastFrequencyColumn - c));
    r.CALL = trimControls(cutText(text, 27, 13));
    r.NFO = trimControls(cutText(text, 40, 26));
    spot.timeAsBuilt = buildTime(trimControls(cutText(text, 70, 7)));

    r.PFX = lookUpCountry(r.CALL, countries, spot.country);
    const TDXRecord& country = spot.country;
    r.HRE = trimControls(spot.timeAsBuilt);
    r.DXDE = trimControls(spot.spotterAsCut);
    r.PYS = trimControls(country.PYS);
    r.CQ = trimControls(country.CQZ);
    r.ITU = trimControls(country.ITUZ);
    r.WAC = trimControls(country.WACZ);
    r.LAT = trimControls(country.LATZ);
    r.LNG = trimControls(country.LONGZ);

    spot.band = BandNumber(r.FRQ);
    return spot;
}
