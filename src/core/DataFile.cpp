#include "DataFile.h"

#include "TextDecoding.h"

#include <QFile>

namespace {

constexpr char endOfFile = 0x1A; // Ctrl-Z

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        const qsizetype cr = text.indexOf(u'\r', start);
        if (cr >= 0 && cr < end)
            end = cr;
        lines.append(text.mid(start, end - start));
        start = next;
    }
    return lines;
}

} // namespace

std::optional<DataFileLines> readDataFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;

    QByteArray bytes = file.readAll();
    DataFileLines result;
    result.readFailed = file.error() != QFileDevice::NoError;
    if (const qsizetype stop = bytes.indexOf(endOfFile); stop >= 0)
        bytes.truncate(stop);
    result.lines = splitLines(decodeText(bytes));
    return result;
}
