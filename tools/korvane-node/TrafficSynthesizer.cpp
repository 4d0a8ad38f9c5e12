#include "TrafficSynthesizer.h"

#include <QStringView>

namespace {

// The part of each band where DX is spotted and its FT8 frequency, in kHz, 160 m to 70 cm.
struct Band
{
    int low;
    int high;
    double ft8;
};

constexpr Band Bands[] = {
    {1810, 1990, 1840.0},       {3500, 3800, 3573.0},       {5352, 5366, 5357.0},    {7000, 7200, 7074.0},
    {10100, 10150, 10136.0},    {14000, 14350, 14074.0},    {18068, 18168, 18100.0}, {21000, 21450, 21074.0},
    {24890, 24990, 24915.0},    {28000, 29700, 28074.0},    {50000, 50500, 50313.0}, {70000, 70500, 70154.0},
    {144000, 146000, 144174.0}, {432000, 432500, 432174.0},
};

constexpr QStringView Prefixes[] = {
    u"JA", u"K",  u"W",  u"N",  u"VE", u"G",  u"F",   u"DL",  u"I",   u"EA",  u"ON", u"PA",
    u"OH", u"SM", u"LA", u"OZ", u"SP", u"OK", u"HA",  u"YO",  u"LZ",  u"UA",  u"UR", u"VK",
    u"ZL", u"ZS", u"PY", u"LU", u"CE", u"XE", u"VU",  u"BY",  u"HL",  u"9A",  u"S5", u"EI",
    u"GM", u"CT", u"4X", u"A6", u"JW", u"TF", u"KH6", u"3B8", u"VP8", u"ZD7",
};

constexpr QStringView Comments[] = {
    u"CW 599",     u"up 1",        u"QSX 5 up", u"tnx QSO",      u"CQ CQ", u"loud signal",
    u"big pileup", u"59 in Paris", u"",         u"QSL via LoTW", u"RTTY",  u"SSB 59 both ways",
};

constexpr QStringView Announcements[] = {
    u"QRV 20m at 13:00z",
    u"good opening on 10m to VK",
    u"contest this weekend, see you",
    u"tnx for the spots",
    u"new antenna up, QRV 40m",
    u"pse QSY 14195 for the DXpedition",
    u"QSL received, tnx",
    u"73 to all",
};

constexpr QStringView SolarActivity[] = {u"qui", u"eru", u"act", u"maj"};
constexpr QStringView MagneticField[] = {u"qui", u"act", u"min", u"maj", u"sev"};
constexpr QStringView StormForecasts[] = {u"No Storms -> No Storms", u"Minor w/G1 -> No Storms",
                                          u"No Storms -> Minor w/G1"};

QString hourText(const QDateTime& utc)
{
    return utc.toString(u"hh"_qs);
}

} // namespace

TrafficSynthesizer::Line TrafficSynthesizer::next(const QDateTime& utc)
{
    const int kind = number(1, 100);
    if (kind <= 80) {
        const NodeSpot made = spot(utc);
        return {NodeText::broadcastLine(NodeText::spotLine(made)), made};
    }
    if (kind <= 90)
        return {NodeText::broadcastLine(announcement()), std::nullopt};
    if (kind <= 95)
        return {NodeText::broadcastLine(wcyReport(utc)), std::nullopt};
    return {NodeText::broadcastLine(wwvReport(utc)), std::nullopt};
}

NodeSpot TrafficSynthesizer::spot(const QDateTime& utc)
{
    const Band& band = pick(Bands);
    NodeSpot made;
    if (number(1, 10) <= 3) {
        made.frequencyKhz = band.ft8;
        made.comment = QString::asprintf("FT8 %+03ddB", number(-24, 10));
    } else {
        made.frequencyKhz = number(band.low * 10, band.high * 10) / 10.0;
        made.comment = pick(Comments).toString();
    }
    made.call = callsign();
    made.spotter = callsign();
    if (number(1, 8) == 1) // a skimmer
        made.spotter += u"-#"_qs;
    made.time = utc;
    if (number(1, 3) == 1)
        made.locator = locator();
    return made;
}

QString TrafficSynthesizer::announcement()
{
    return u"To ALL de "_qs + callsign() + u": "_qs + pick(Announcements).toString();
}

// Each value is drawn in a statement of its own: the order of drawing must not depend on the compiler.
QString TrafficSynthesizer::wcyReport(const QDateTime& utc)
{
    const int k = number(0, 9);
    const int expectedK = number(0, 9);
    const int a = number(0, 100);
    const int r = number(0, 250);
    const int sfi = number(65, 300);
    const QStringView solar = pick(SolarActivity);
    const QStringView field = pick(MagneticField);
    const bool aurora = number(1, 10) == 1;
    return u"WCY de DK0WCY-1 <%1> : K=%2 expK=%3 A=%4 R=%5 SFI=%6 SA=%7 GMF=%8 Au=%9"_qs.arg(hourText(utc))
        .arg(k)
        .arg(expectedK)
        .arg(a)
        .arg(r)
        .arg(sfi)
        .arg(solar, field, aurora ? u"yes"_qs : u"no"_qs);
}

QString TrafficSynthesizer::wwvReport(const QDateTime& utc)
{
    const QString sender = callsign();
    const int sfi = number(65, 300);
    const int a = number(0, 100);
    const int k = number(0, 9);
    return u"WWV de %1 <%2>:   SFI=%3, A=%4, K=%5, %6"_qs.arg(sender, hourText(utc))
        .arg(sfi)
        .arg(a)
        .arg(k)
        .arg(pick(StormForecasts));
}

// A prefix from the list, a digit unless the prefix ends in one, and one to three letters.
QString TrafficSynthesizer::callsign()
{
    QString call = pick(Prefixes).toString();
    if (!call.back().isDigit())
        call += QChar(u'0' + number(0, 9));
    for (int letters = number(1, 3); letters > 0; --letters)
        call += QChar(u'A' + number(0, 25));
    return call;
}

// A four-character Maidenhead square, "JO40".
QString TrafficSynthesizer::locator()
{
    QString square;
    for (int i = 0; i < 2; ++i)
        square += QChar(u'A' + number(0, 17));
    for (int i = 0; i < 2; ++i)
        square += QChar(u'0' + number(0, 9));
    return square;
}

int TrafficSynthesizer::number(int lowest, int highest)
{
    return m_random.bounded(lowest, highest + 1);
}

template<typename T, qsizetype N> const T& TrafficSynthesizer::pick(const T (&items)[N])
{
    return items[m_random.bounded(int(N))];
}
