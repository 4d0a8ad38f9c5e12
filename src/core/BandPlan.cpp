#include "BandPlan.h"

#include <algorithm>

qsizetype bandIndex(int bandNumber)
{
    const auto found =
        std::find_if(Bands.begin(), Bands.end(), [=](const Band& b) { return b.number == bandNumber; });
    return found == Bands.end() ? Bands.size() - 1 : found - Bands.begin();
}

namespace {

constexpr BandClass other{888, white};

BandClass band(int number)
{
    return {number, Bands[bandIndex(number)].color};
}

BandClass otherIn(ColorRef color)
{
    return {888, color};
}

// p is the position of the first decimal point counted from 1, or 0 when there is none.
BandClass startingWith1(QStringView two, qsizetype p)
{
    if (two == u"10")
        return p == 6 ? band(30) : p == 9 ? otherIn(0x00B0BADF) : other;
    if (two == u"12")
        return otherIn(0x0078FFFF);
    if (two == u"14")
        return p == 6 ? band(20) : p == 7 ? band(2) : other;
    if (two == u"18")
        return p == 5 ? band(160) : p == 6 ? band(17) : other;
    if (two == u"19")
        return band(160);
    return other;
}

BandClass startingWith2(QStringView two, qsizetype p)
{
    if (two == u"21")
        return band(15);
    if (two == u"23")
        return otherIn(0x00A9C080);
    if (two == u"24")
        return p == 6 ? band(12) : p == 8 ? otherIn(0x00A9C080) : p == 9 ? otherIn(0x0076C4B3) : other;
    if (two == u"28" || two == u"29")
        return band(10);
    return other;
}

} // namespace

BandClass BandNumber(QStringView frequency)
{
    if (frequency.isEmpty())
        return other;
    const qsizetype p = frequency.indexOf(u'.') + 1;
    const QStringView two = frequency.left(2);
    switch (frequency.front().unicode()) {
    case '1':
        return startingWith1(two, p);
    case '2':
        return startingWith2(two, p);
    case '3':
        return p == 5 ? band(80) : p == 8 ? otherIn(0x00C09D9D) : other;
    case '4':
        return (two == u"43" || two == u"44") ? band(70) : other;
    case '5':
        return p == 6 ? band(6) : p == 8 ? otherIn(0x0076B6C4) : p == 9 ? otherIn(0x006C84C4) : other;
    case '7':
        return band(40);
    default:
        return other;
    }
}
