#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

// Rows of texts held compactly: each row's texts in UTF-8, each after its length, the rows one after
// the other in large blocks. A million rows of short texts take little more than their characters,
// where a QString per text would take several times that.
class PackedTextRows final
{
public:
    qsizetype size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.empty(); }

    void append(std::span<const QString> texts);
    void appendEmpty(); // a row whose every text is empty
    // The row's earlier bytes stay unused in their block until the rows are kept or cleared.
    void replace(qsizetype row, std::span<const QString> texts);
    // Keeps the first count rows in fresh blocks, giving the memory of the others back.
    void keepFirst(qsizetype count);

    // Empty past the texts the row was given.
    QString text(qsizetype row, qsizetype index) const;
    QStringList texts(qsizetype row) const;
    // Compares without decoding: for searching many rows.
    bool textEquals(qsizetype row, qsizetype index, QByteArrayView utf8) const;

private:
    struct Location
    {
        quint32 block = NoBlock;
        quint32 offset = 0;
    };
    static constexpr quint32 NoBlock = 0xFFFFFFFF;

    Location store(std::span<const QString> texts);
    char* reserve(qsizetype bytes, Location& location);
    // Where the row's first text begins, and how many texts it has (none: null).
    const char* firstText(qsizetype row, qsizetype& count) const;
    QByteArrayView textBytes(qsizetype row, qsizetype index) const;

    std::vector<Location> m_rows;
    std::vector<std::vector<char>> m_blocks; // each reserved once: a row's bytes never move
};
