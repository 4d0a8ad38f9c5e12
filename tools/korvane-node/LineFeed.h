#pragma once

#include <QByteArray>
#include <QRandomGenerator>

#include <functional>

// Hands out a fixed number of lines write by write: burst lines in each write and, when split,
// each write cut at a random point inside its last line, the rest carried into the next write.
// Whatever the cutting, the writes put together are the lines in their order.
class LineFeed final
{
public:
    using Source = std::function<QByteArray()>; // the next line, its line end included

    LineFeed(Source source, int lineCount, int burst, bool split, quint32 seed);

    // The bytes of the next write; empty once finished().
    QByteArray nextWrite();

    // The part of a split line held back for the next write, handed out now (before a reply, so
    // that the reply does not land inside that line).
    QByteArray takeHeldBack();

    bool finished() const { return m_linesTaken == m_lineCount && m_heldBack.isEmpty(); }
    int linesTaken() const { return m_linesTaken; }

private:
    Source m_source;
    int m_lineCount;
    int m_burst;
    bool m_split;
    QRandomGenerator m_cuts;
    int m_linesTaken = 0;
    QByteArray m_heldBack;
};
