#pragma once

#include "NodeText.h"

#include <QByteArray>
#include <QDateTime>
#include <QRandomGenerator>

#include <optional>

// Makes up the traffic of a busy node: spots on every band from 160 m to 70 cm with realistic
// frequencies, callsigns and comments, now and then an announcement, a WCY or a WWV report.
// The same seed gives the same lines, apart from the time they carry.
class TrafficSynthesizer final
{
public:
    struct Line
    {
        QByteArray bytes;             // the broadcast line, BEL BEL CR LF included
        std::optional<NodeSpot> spot; // set when the line is a spot
    };

    explicit TrafficSynthesizer(quint32 seed) : m_random(seed) {}

    Line next(const QDateTime& utc);

private:
    NodeSpot spot(const QDateTime& utc);
    QString announcement();
    QString wcyReport(const QDateTime& utc);
    QString wwvReport(const QDateTime& utc);
    QString callsign();
    QString locator();
    int number(int lowest, int highest); // inclusive
    template<typename T, qsizetype N> const T& pick(const T (&items)[N]);

    QRandomGenerator m_random;
};
