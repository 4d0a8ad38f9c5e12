#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Cuts the byte stream of a session into lines. Blocks arrive as the socket reads them: a line may
// be split over several blocks and a block may hold many lines. CR and LF both end a line, empty
// lines are skipped, NUL bytes (telnet's CR NUL) are dropped, and a line that grows to MaxLineBytes
// without an end is cut there, so a node that never ends its lines cannot grow memory without bound.
class LineAssembler final
{
public:
    static constexpr qsizetype MaxLineBytes = 8192;

    void append(QByteArrayView block);

    // The next complete line, decoded and trimmed; nothing when no complete line is waiting.
    std::optional<QString> nextLine();

    // The unterminated tail, once the stream has ended; nothing when it holds no text.
    std::optional<QString> takeRest();

    qsizetype pendingBytes() const { return m_buffer.size() - m_start; }

private:
    std::optional<QString> takeLine(qsizetype length, qsizetype skip);
    void compact();

    QByteArray m_buffer;
    qsizetype m_start = 0;   // where the unprocessed bytes begin
    qsizetype m_scanned = 0; // bytes after m_start already known to hold no line end
};
