#pragma once

#include "PackedTextRows.h"
#include "Tel_Init.h"

#include <optional>

// The received spots, oldest first, held packed: a busy node brings hundreds of thousands a day.
class SpotList final
{
public:
    qsizetype size() const { return m_spots.size(); }
    bool isEmpty() const { return m_spots.isEmpty(); }

    void append(const TSpotRec& spot);
    TSpotRec at(qsizetype index) const;
    void clear() { m_spots.keepFirst(0); }

    // The newest spot with that time and callsign, if any.
    std::optional<TSpotRec> newest(const QString& time, const QString& call) const;

private:
    PackedTextRows m_spots;
};
