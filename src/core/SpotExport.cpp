#include "SpotExport.h"

#include <QDate>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringEncoder>

namespace {

const QChar Quote = u'"';
const QChar CellBreak = u'\x0b';

// A cell holding a comma or a double quote is enclosed in double quotes, its quotes doubled; an
// empty cell is two double quotes. Every line break in a cell becomes 0x0B, so each row stays on
// one line of the file.
QString exportedCell(QString cell)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    cell.replace(lineBreak, CellBreak);
    if (cell.contains(u',') || cell.contains(Quote))
        return Quote + cell.replace(Quote, QStringLiteral("\"\"")) + Quote;
    return cell.isEmpty() ? QStringLiteral("\"\"") : cell;
}

QString exportedLine(const QStringList& row)
{
    QStringList cells;
    cells.reserve(row.size());
    for (const QString& cell : row)
        cells.append(exportedCell(cell));
    return cells.join(u',') + QStringLiteral("\r\n");
}

} // namespace

QString spotFileName(const QDate& localDate)
{
    return localDate.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(" - Spots.txt");
}

QByteArray spotFileBytes(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows)
        text += exportedLine(row);
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

void writeSpotFile(const QString& path, const QList<QStringList>& rows)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(spotFileBytes(rows));
        if (file.commit())
            return;
    }
    throw SpotExportError(SpotExportText::cannotWrite.arg(path, file.errorString()));
}
