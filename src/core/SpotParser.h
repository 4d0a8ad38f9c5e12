#pragma once

#include "BandPlan.h"
#include "Tel_Init.h"

#include <QStringList>

class CountryTable;

// One DX spot cut from a received line: the record kept in the spot list, and the values the
// lists and the details panel show, some of which keep blanks the record has trimmed.
struct ParsedSpot
{
    TSpotRec record;
    TDXRecord country;    // the country table row as stored; all empty when none was found
    QString spotterAsCut; // keeps the blank that follows "DX de"
    QString timeAsBuilt;  // hours, ":", minutes and the letter after them
    BandClass band;

    // The seven cells of a spot row: time, callsign, frequency, spotter, comment, country, prefix.
    QStringList row() const;
};

// The eleven texts the details panel shows of a spot.
struct SpotDetails
{
    QString call, cq, itu, wac, frequency, hour, spotter, latitude, longitude, comment, country;
};

// A spot as received: the spotter keeps its blank, the country texts are as the table stores them.
SpotDetails detailsOf(const ParsedSpot& spot);

// A spot as the spot list keeps it.
SpotDetails detailsOf(const TSpotRec& record);

// Cuts a line that holds "DX de" into a spot, by fixed columns counted from the "DX de" marker,
// and looks the callsign's country up under its first four, three, two and one characters.
ParsedSpot ParseSpot(const QString& line, const CountryTable& countries);
