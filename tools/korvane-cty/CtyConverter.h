#pragma once

// Conversion of the AD1C country file cty.dat (with cty.csv for the ADIF codes)
// into the country table Dxcc.dta. Pure functions: text in, rows out.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace korvane::cty {

// One prefix of an entity's alias list, with its own overrides (empty when not given).
struct CtyPrefix
{
    QString prefix; // as written, without the leading "=" of a whole callsign
    bool wholeCall = false;
    QString cqZone;    // "(n)"
    QString ituZone;   // "[n]"
    QString latitude;  // "<lat/long>", north positive, as written
    QString longitude; // "<lat/long>", WEST positive, as written in cty.dat
    QString continent; // "{XX}"
    int line = 0;      // line of cty.dat the prefix stands on (1-based)
};

// One entity (record) of cty.dat.
struct CtyEntity
{
    QString name;
    QString cqZone;
    QString ituZone;
    QString continent;
    QString latitude;      // north positive, as written
    QString longitude;     // WEST positive, as written in cty.dat
    QString primaryPrefix; // as written, a leading "*" marks a WAE-only entity
    QList<CtyPrefix> prefixes;
    int line = 0; // line of the header (1-based)
};

struct CtyParseResult
{
    QList<CtyEntity> entities;
    QString error; // empty when the text was read without a problem
    int errorLine = 0;
    bool ok() const { return error.isEmpty(); }
};

struct CsvParseResult
{
    QHash<QString, QString> adifByPrefix; // primary prefix as cty.csv writes it -> ADIF code
    QString error;
    int errorLine = 0;
    bool ok() const { return error.isEmpty(); }
};

// One row of Dxcc.dta, the fields of TDXRecord in file order.
struct DxccRow
{
    QString pfx, pys, cqz, ituz, latz, longz, wacz, adif;
    bool operator==(const DxccRow&) const = default;
};

struct ConvertResult
{
    QList<DxccRow> rows;
    QStringList warnings; // dropped duplicates, missing ADIF codes: not fatal
};

class CtyConverter
{
public:
    // Reads the text of cty.dat. Stops at the first malformed record and names its line.
    static CtyParseResult parseCtyDat(const QString& text);

    // Reads the text of cty.csv: first column the primary prefix, third the ADIF code.
    static CsvParseResult parseCtyCsv(const QString& text);

    // Builds the rows of Dxcc.dta: one row per prefix (primary and aliases, no "=" entries),
    // overrides applied, east-positive longitudes, first row of a repeated prefix kept.
    static ConvertResult convert(const QList<CtyEntity>& entities, const QHash<QString, QString>& adif);

    // The file text: eight fields joined by ",", CR LF after every row, plain ASCII.
    static QByteArray formatDxcc(const QList<DxccRow>& rows);

    // The "=VERyyyymmdd" entry of cty.dat ("20230502"), empty when there is none.
    static QString versionDate(const QList<CtyEntity>& entities);

    // Helpers, public for the tests.
    // Two-decimal text of a coordinate, negated when asked ("-114.23", negate -> "114.23").
    static QString coordinate(const QString& value, bool negate);
    // Zone number without leading zeros ("05" -> "5").
    static QString zone(const QString& value);
    // Field text safe for Dxcc.dta: printable ASCII only, no comma, spaces collapsed.
    static QString cleanField(const QString& value);
};

} // namespace korvane::cty
