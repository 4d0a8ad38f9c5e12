#pragma once

#include "Tel_Init.h"

#include <QStringView>

#include <array>

// The amateur bands a spot is sorted into, in the order of the band tabs and chart bars.
struct Band
{
    int number;          // 160 ... 2, 70 for 70 cm, 888 for every other frequency
    const char* caption; // tab caption and bar label
    ColorRef color;      // its rows and its bar
};

inline constexpr ColorRef white = 0x00FFFFFF;

inline constexpr std::array<Band, 13> Bands = {{
    {160, "160m", 0x00C19AFF},
    {80, "80m", 0x00E5FF87},
    {40, "40m", 0x00B2FF8B},
    {30, "30m", 0x0081FFF9},
    {20, "20m", 0x0079C0FF},
    {17, "17m", 0x0092A4FF},
    {15, "15m", 0x00FF90C6},
    {12, "12m", 0x00FF9599},
    {10, "10m", 0x00FFCC84},
    {6, "6m", 0x0006C200},
    {2, "2m", 0x00BAFFB8},
    {70, "70cm", 0x00C3FF5C},
    {888, "Others", white},
}};

// The place of a band number in Bands.
qsizetype bandIndex(int bandNumber);

struct BandClass
{
    int number = 888;
    ColorRef color = white;
};

// Sorts a frequency text (kHz as the node sent it) into its band by its first one or two characters
// and the position of its decimal point, and gives the colour of its row. The text is never read
// as a number.
BandClass BandNumber(QStringView frequency);

// The number of spots per band since start-up or the last clearing.
class BandCounts final
{
public:
    void add(int bandNumber) { ++m_counts[bandIndex(bandNumber)]; }
    void reset() { m_counts.fill(0); }
    int count(int bandNumber) const { return m_counts[bandIndex(bandNumber)]; }

private:
    std::array<int, Bands.size()> m_counts{};
};
