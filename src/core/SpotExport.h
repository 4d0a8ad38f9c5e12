#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

class QDate;

// The spot text file could not be written. The window's error hook shows the message.
class SpotExportError final : public std::runtime_error
{
public:
    explicit SpotExportError(const QString& message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};

namespace SpotExportText {
inline const QString cannotWrite = QStringLiteral("Cannot write the file '%1': %2");
} // namespace SpotExportText

// The name of the spot text file of that local date: "yyyymmdd - Spots.txt".
QString spotFileName(const QDate& localDate);

// The spot text file: one line per row, cells joined by "," and quoted as the list's text export
// does, CR LF after every line, in UTF-16 little-endian with its byte-order mark.
QByteArray spotFileBytes(const QList<QStringList>& rows);

// Writes spotFileBytes(rows) to path, replacing the file there only once the whole text is written.
// Throws SpotExportError naming the file and the system's reason when it cannot be written.
void writeSpotFile(const QString& path, const QList<QStringList>& rows);
