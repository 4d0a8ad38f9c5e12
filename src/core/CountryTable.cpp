#include "CountryTable.h"

#include "DataFile.h"
#include "NextField.h"

#include <QDir>

void CountryTable::append(const TDXRecord& row)
{
    if (!m_firstRowOfPrefix.contains(row.PFX))
        m_firstRowOfPrefix.insert(row.PFX, m_rows.size());
    m_rows.append(row);
}

void CountryTable::clear()
{
    m_rows.clear();
    m_firstRowOfPrefix.clear();
}

const TDXRecord* CountryTable::FindCountry(const QString& prefix) const
{
    const auto found = m_firstRowOfPrefix.constFind(prefix);
    return found == m_firstRowOfPrefix.cend() ? nullptr : &m_rows.at(found.value());
}

namespace {

TDXRecord rowFromLine(QString line)
{
    TDXRecord row;
    for (QString* field :
         {&row.PFX, &row.PYS, &row.CQZ, &row.ITUZ, &row.LATZ, &row.LONGZ, &row.WACZ, &row.ADIF})
        *field = NextField(line, u',');
    return row;
}

} // namespace

CountryTableLoad LoadCountryTable(const QString& folder, CountryTable& table)
{
    return loadCountryTableFile(QDir(folder).filePath(CountryTableText::fileName), table);
}

CountryTableLoad loadCountryTableFile(const QString& path, CountryTable& table)
{
    using Outcome = CountryTableLoad::Outcome;
    table.clear();
    bool emptyLine = false;
    const DataFileRead read = readDataFile(path, [&](const QString& line) {
        emptyLine = line.isEmpty();
        if (!emptyLine)
            table.append(rowFromLine(line));
        return !emptyLine;
    });
    if (read == DataFileRead::NotOpened)
        return {Outcome::NotFound, CountryTableText::notFound};
    if (emptyLine)
        return {Outcome::Stopped, CountryTableText::emptyLine};
    if (read == DataFileRead::ReadFailed)
        return {Outcome::Stopped, CountryTableText::readError};
    return {};
}
