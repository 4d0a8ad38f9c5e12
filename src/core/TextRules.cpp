#include "TextRules.h"

QString trimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text.at(begin)))
        ++begin;
    while (end > begin && isTrimmed(text.at(end - 1)))
        --end;
    if (begin == 0 && end == text.size())
        return text;
    return text.mid(begin, end - begin);
}

QString cutText(const QString& text, qsizetype start, qsizetype count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || start > text.size())
        return {};
    return text.mid(start - 1, count);
}

bool ContainsText(QStringView piece, QStringView text)
{
    return text.contains(piece, Qt::CaseInsensitive);
}
