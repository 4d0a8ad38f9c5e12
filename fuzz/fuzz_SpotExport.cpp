// The spot text file on any cells: the input holds rows split by 0x1E and cells split by 0x1F, each
// cell decoded as received text is. The file must be UTF-16LE with its byte-order mark and exactly
// one CR LF per row, and each line must read back into its row's cells (line breaks as 0x0B).

#include "FuzzKit.h"

#include "SpotExport.h"
#include "TextDecoding.h"

#include <QRegularExpression>

#include <optional>
#include <utility>

namespace {

QList<QStringList> rowsOf(QByteArrayView input)
{
    QList<QStringList> rows;
    for (const QByteArray& rowBytes : input.toByteArray().split('\x1e')) {
        QStringList cells;
        for (const QByteArray& cellBytes : rowBytes.split('\x1f'))
            cells << decodeText(cellBytes);
        rows << cells;
    }
    return rows;
}

// The code units of the file after its byte-order mark; nothing unless it is well-formed UTF-16LE.
std::optional<QString> utf16Text(const QByteArray& file)
{
    if (!file.startsWith("\xff\xfe") || file.size() % 2 != 0)
        return std::nullopt;
    QString text(file.size() / 2 - 1, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(quint8(file[2 * i + 2]) | quint8(file[2 * i + 3]) << 8));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate())
            return std::nullopt;
        if (text[i].isHighSurrogate() && (++i == text.size() || !text[i].isLowSurrogate()))
            return std::nullopt;
    }
    return text;
}

// One line of the file read back into its cells by the quoting rules.
QStringList cellsOf(QStringView line)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"')
            cell += line[++i];
        else if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            cells << std::exchange(cell, {});
        else
            cell += c;
    }
    return cells << cell;
}

QStringList asWritten(QStringList cells)
{
    static const QRegularExpression lineBreak(u"\r\n|\r|\n"_qs);
    for (QString& cell : cells)
        cell.replace(lineBreak, u"\x0b"_qs);
    return cells;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QList<QStringList> rows = rowsOf({data, qsizetype(size)});
    const auto text = utf16Text(spotFileBytes(rows));
    require(text.has_value(), "the file is UTF-16LE with its byte-order mark");
    require(text->endsWith(u"\r\n"), "the last row ends with CR LF");
    const QStringList lines = text->chopped(2).split(u"\r\n"_qs);
    require(lines.size() == rows.size(), "one CR LF per row");
    for (qsizetype i = 0; i < rows.size(); ++i) {
        require(!lines[i].contains(u'\r') && !lines[i].contains(u'\n'), "no other line break");
        require(cellsOf(lines[i]) == asWritten(rows[i]), "a line reads back into its cells");
    }
    return 0;
}
