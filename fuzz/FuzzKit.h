#pragma once

// What the fuzz targets share: the input taken apart into a seed and a stream, the stream cut into
// blocks as a socket might deliver it, a file for readers that take a path, and the property check.

#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

// A property that does not hold is a crash of the target, with its reason.
inline void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

// The fuzz input as a seed for random choices (its first four bytes) and the bytes that follow.
struct SeededInput
{
    std::uint32_t seed = 0;
    QByteArrayView bytes;
};

inline SeededInput seededInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    if (input.size() < 4)
        return {0, input};
    std::uint32_t seed = 0;
    for (const char byte : input.first(4))
        seed = seed << 8 | std::uint8_t(byte);
    return {seed, input.sliced(4)};
}

// Cuts stream into blocks of random sizes: mostly a few bytes, so that every line and sequence gets
// split somewhere, now and then up to 10,000, so that a block also holds many of them.
inline QList<QByteArrayView> cutIntoBlocks(QByteArrayView stream, std::uint32_t seed)
{
    std::minstd_rand random(seed);
    QList<QByteArrayView> blocks;
    while (!stream.isEmpty()) {
        const std::uint32_t draw = random();
        const qsizetype size = qsizetype(draw % 8 == 0 ? draw / 8 % 10000 : draw / 8 % 16) + 1;
        blocks.append(stream.first(std::min(size, stream.size())));
        stream = stream.sliced(blocks.last().size());
    }
    return blocks;
}

// Writes bytes to the file name in a folder made once per run, and gives its path.
inline QString inputFile(const QString& name, QByteArrayView bytes)
{
    static const QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytes.data(), bytes.size()) == bytes.size(),
            "the input file can be written");
    return path;
}
