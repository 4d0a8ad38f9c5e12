#pragma once

#include "Tel_Init.h"

#include <QHash>
#include <QList>

// The country table: its rows in file order, with an index that finds the first row of a prefix
// in constant time. A lookup gives exactly what a walk from the first row would give.
class CountryTable final
{
public:
    void append(const TDXRecord& row);
    void clear();

    // The first row whose PFX equals prefix exactly (case-sensitive), or nullptr.
    const TDXRecord* FindCountry(const QString& prefix) const;

    const QList<TDXRecord>& rows() const { return m_rows; }
    qsizetype size() const { return m_rows.size(); }

private:
    QList<TDXRecord> m_rows;
    QHash<QString, qsizetype> m_firstRowOfPrefix;
};

// The messages of the country table loader, exactly as the user sees them.
namespace CountryTableText {
inline const QString fileName = QStringLiteral("Dxcc.dta");
inline const QString notFound = QStringLiteral("The file [Dxcc.dta] was not found...\r\nKORVANE can not work "
                                               "without this file.\r\nCheck the program's root folder.");
inline const QString readError = QStringLiteral("KORVANE encountered a serious problem in \r\nthe [Dxcc.dta] "
                                                "file. Check the syntax \r\nand carriage returns.");
inline const QString emptyLine =
    QStringLiteral("Some line are empty in the file [Dxcc.dta].\r\nRemove them, "
                   "even at the end, for they can\r\nbe the cause of many errors");
} // namespace CountryTableText

struct CountryTableLoad
{
    enum class Outcome
    {
        Loaded,   // the whole file was read
        Stopped,  // a bad line stopped the reading; the rows before it are in the table
        NotFound, // the file could not be opened: the program cannot work
    };
    Outcome outcome = Outcome::Loaded;
    QString warning; // the message to show, empty when there is none
};

// Reads "Dxcc.dta" from folder into table (emptied first), one row per line, stopping at the first
// empty line.
CountryTableLoad LoadCountryTable(const QString& folder, CountryTable& table);

// The same for a country table file of any name.
CountryTableLoad loadCountryTableFile(const QString& path, CountryTable& table);
