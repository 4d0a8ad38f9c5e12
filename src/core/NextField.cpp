#include "NextField.h"

QString NextField(QString& line, QChar separator)
{
    if (line.isEmpty())
        return {};
    const qsizetype at = line.indexOf(separator);
    if (at < 0)
        return line;
    QString field = line.left(at);
    line.remove(0, at + 1);
    return field;
}
