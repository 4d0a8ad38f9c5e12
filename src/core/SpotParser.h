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

// Cuts a line that holds "DX de" into a spot, by fixed columns counted from the "DX de" marker,
// and looks the callsign's country up under its first four, three, two and one characters.
ParsedSpot ParseSpot(const QString& line, const CountryTable& countries);
