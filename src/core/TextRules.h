#pragma once

#include <QString>

// The text rules every cut of received and stored text follows: positions count UTF-16 code units
// from 1, and trimming removes every character of code 32 or less.

inline bool isTrimmed(QChar c)
{
    return c.unicode() <= 32;
}

// Removes every character of code 32 or less at both ends. Shares the string when nothing is removed.
QString trimControls(const QString& text);

// The characters from position start (counted from 1) on, at most count of them. A start before 1
// counts as 1, a count of zero or less gives an empty text, and the cut stops at the end of the text.
QString cutText(const QString& text, qsizetype start, qsizetype count);

// True when text holds piece anywhere, letters compared without regard to case.
bool ContainsText(QStringView piece, QStringView text);
