#include "DataFile.h"

#include "TextDecoding.h"

#include <QFile>

#include <utility>

namespace {

constexpr char endOfFile = 0x1A; // Ctrl-Z

// Cuts the lines in order until takeLine refuses one. The CR is looked for within the line only,
// so that a file of LF line ends is cut in one pass.
void handLines(QStringView text, const std::function<bool(const QString&)>& takeLine)
{
    while (!text.isEmpty()) {
        const qsizetype lineFeed = text.indexOf(u'\n');
        const QStringView line = lineFeed < 0 ? text : text.first(lineFeed);
        const qsizetype cr = line.indexOf(u'\r');
        if (!takeLine((cr < 0 ? line : line.first(cr)).toString()))
            return;
        text = lineFeed < 0 ? QStringView() : text.sliced(lineFeed + 1);
    }
}

} // namespace

DataFileRead readDataFile(const QString& path, const std::function<bool(const QString& line)>& takeLine)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DataFileRead::NotOpened;

    QByteArray bytes = file.readAll();
    const bool failed = file.error() != QFileDevice::NoError;
    if (const qsizetype stop = bytes.indexOf(endOfFile); stop >= 0)
        bytes.truncate(stop);
    const QString text = decodeText(std::exchange(bytes, {})); // the bytes go once decoded
    handLines(text, takeLine);
    return failed ? DataFileRead::ReadFailed : DataFileRead::Read;
}
