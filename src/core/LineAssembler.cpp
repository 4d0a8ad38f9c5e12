#include "LineAssembler.h"

#include "TextDecoding.h"
#include "TextRules.h"

#include <algorithm>

void LineAssembler::append(QByteArrayView block)
{
    compact();
    if (!block.contains('\0')) {
        m_buffer.append(block);
        return;
    }
    for (const char byte : block) {
        if (byte != '\0')
            m_buffer.append(byte);
    }
}

std::optional<QString> LineAssembler::nextLine()
{
    for (;;) {
        const char* begin = m_buffer.constData() + m_start;
        const char* end = m_buffer.constData() + m_buffer.size();
        const char* lineEnd =
            std::find_if(begin + m_scanned, end, [](char c) { return c == '\r' || c == '\n'; });
        const qsizetype length = lineEnd - begin;
        std::optional<QString> line;
        if (length >= MaxLineBytes)
            line = takeLine(MaxLineBytes, 0); // cut where it reached the limit, however it arrived
        else if (lineEnd == end) {
            m_scanned = length;
            return std::nullopt;
        } else
            line = takeLine(length, 1);
        if (line)
            return line;
    }
}

std::optional<QString> LineAssembler::takeRest()
{
    auto rest = takeLine(pendingBytes(), 0);
    m_buffer.clear();
    m_start = m_scanned = 0;
    return rest;
}

// Takes length bytes as a line and skips the skip bytes of its line end; nothing for an empty line.
std::optional<QString> LineAssembler::takeLine(qsizetype length, qsizetype skip)
{
    const QByteArrayView bytes(m_buffer.constData() + m_start, length);
    m_start += length + skip;
    m_scanned = 0;
    if (bytes.isEmpty())
        return std::nullopt;
    QString line = trimControls(decodeText(bytes));
    if (line.isEmpty())
        return std::nullopt;
    return line;
}

// Drops the processed bytes once they make up most of the buffer, so appending stays linear.
void LineAssembler::compact()
{
    if (m_start > 0 && m_start >= m_buffer.size() / 2) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
}
