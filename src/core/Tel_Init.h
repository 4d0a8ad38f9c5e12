#pragma once

#include <QString>

// The records of the program and the run-wide values that are not widgets.

// One row of the country table, every field exactly as the file holds it.
struct TDXRecord
{
    QString PFX;
    QString PYS;
    QString CQZ;
    QString ITUZ;
    QString LATZ;
    QString LONGZ;
    QString WACZ;
    QString ADIF;
};

// One received DX spot.
struct TSpotRec
{
    QString HRE;
    QString CALL;
    QString FRQ;
    QString DXDE;
    QString NFO;
    QString PFX;
    QString PYS;
    QString CQ;
    QString ITU;
    QString WAC;
    QString LAT;
    QString LNG;
};

// A colour as Windows writes it, $00BBGGRR: the lowest byte is red, then green, then blue.
using ColorRef = quint32;

// "Build " and the four numbers of the program's version; set once by the splash window.
inline QString BuildText;
