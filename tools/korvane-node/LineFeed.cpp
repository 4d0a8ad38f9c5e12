#include "LineFeed.h"

#include <utility>

LineFeed::LineFeed(Source source, int lineCount, int burst, bool split, quint32 seed)
    : m_source(std::move(source)), m_lineCount(lineCount), m_burst(burst), m_split(split), m_cuts(seed)
{
    Q_ASSERT(burst >= 1);
}

QByteArray LineFeed::nextWrite()
{
    QByteArray bytes = takeHeldBack();
    QByteArray last;
    for (int i = 0; i < m_burst && m_linesTaken < m_lineCount; ++i, ++m_linesTaken) {
        last = m_source();
        bytes += last;
    }
    if (m_split && last.size() > 1) {
        const qsizetype kept = m_cuts.bounded(1, int(last.size()));
        m_heldBack = bytes.last(last.size() - kept);
        bytes.chop(m_heldBack.size());
    }
    return bytes;
}

QByteArray LineFeed::takeHeldBack()
{
    return std::exchange(m_heldBack, {});
}
