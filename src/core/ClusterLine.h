#pragma once

#include "MessageParser.h"
#include "SpotParser.h"

class CountryTable;

// What one line received from the node is, with its fields cut.
struct ClusterLine
{
    enum class Kind
    {
        Spot,
        Announcement,
        Wcy,
        Other
    };

    Kind kind = Kind::Other;
    QString text;       // the line as received, decoded and trimmed
    ParsedSpot spot;    // for a spot
    MessageRow message; // for an announcement or a WCY report
};

// Recognises a line: one that begins with "DX de" is a spot whatever its comment says; otherwise
// "ALL de" makes an announcement, "WCY" a WCY report and "DX de" further in a spot (any case).
ClusterLine parseClusterLine(const QString& line, const CountryTable& countries);
