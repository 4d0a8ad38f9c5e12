#include "PackedTextRows.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

namespace {

// Large enough that a block holds hundreds of rows, small enough that its unused tail is nothing.
constexpr qsizetype BlockSize = 64 * 1024;

// Lengths are written seven bits a byte, lowest first; a set top bit says another byte follows.
void appendLength(QByteArray& out, qsizetype length)
{
    auto value = quint64(length);
    while (value >= 0x80) {
        out.append(char(value | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

qsizetype readLength(const char*& cursor)
{
    quint64 value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = quint8(*cursor++);
        value |= quint64(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return qsizetype(value);
    }
}

} // namespace

void PackedTextRows::append(std::span<const QString> texts)
{
    m_rows.push_back(store(texts));
}

void PackedTextRows::appendEmpty()
{
    m_rows.push_back({});
}

void PackedTextRows::replace(qsizetype row, std::span<const QString> texts)
{
    m_rows.at(size_t(row)) = store(texts);
}

void PackedTextRows::keepFirst(qsizetype count)
{
    QList<QStringList> kept;
    for (qsizetype row = 0; row < std::min(count, size()); ++row)
        kept.append(texts(row));
    m_rows = {};
    m_blocks = {};
    for (const QStringList& row : kept)
        append(row);
}

QString PackedTextRows::text(qsizetype row, qsizetype index) const
{
    const QByteArrayView bytes = textBytes(row, index);
    return QString::fromUtf8(bytes.data(), bytes.size());
}

QStringList PackedTextRows::texts(qsizetype row) const
{
    QStringList out;
    qsizetype count = 0;
    const char* cursor = firstText(row, count);
    for (qsizetype index = 0; index < count; ++index) {
        const qsizetype length = readLength(cursor);
        out.append(QString::fromUtf8(cursor, length));
        cursor += length;
    }
    return out;
}

bool PackedTextRows::textEquals(qsizetype row, qsizetype index, QByteArrayView utf8) const
{
    return textBytes(row, index) == utf8;
}

PackedTextRows::Location PackedTextRows::store(std::span<const QString> texts)
{
    QByteArray bytes;
    appendLength(bytes, qsizetype(texts.size()));
    for (const QString& text : texts) {
        const QByteArray utf8 = text.toUtf8();
        appendLength(bytes, utf8.size());
        bytes.append(utf8);
    }
    Location location;
    std::memcpy(reserve(bytes.size(), location), bytes.constData(), size_t(bytes.size()));
    return location;
}

char* PackedTextRows::reserve(qsizetype bytes, Location& location)
{
    if (m_blocks.empty() || qsizetype(m_blocks.back().capacity() - m_blocks.back().size()) < bytes) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(size_t(std::max(BlockSize, bytes)));
    }
    std::vector<char>& block = m_blocks.back();
    location = {quint32(m_blocks.size() - 1), quint32(block.size())};
    block.resize(block.size() + size_t(bytes));
    return block.data() + location.offset;
}

const char* PackedTextRows::firstText(qsizetype row, qsizetype& count) const
{
    const Location location = m_rows.at(size_t(row));
    if (location.block == NoBlock) {
        count = 0;
        return nullptr;
    }
    const char* cursor = m_blocks[location.block].data() + location.offset;
    count = readLength(cursor);
    return cursor;
}

QByteArrayView PackedTextRows::textBytes(qsizetype row, qsizetype index) const
{
    qsizetype count = 0;
    const char* cursor = firstText(row, count);
    if (index < 0 || index >= count)
        return {};
    for (qsizetype skipped = 0; skipped < index; ++skipped)
        cursor += readLength(cursor);
    const qsizetype length = readLength(cursor);
    return {cursor, length};
}
