#pragma once

#include <QStringList>

#include <optional>

// Reads the lines of one of the program's data files. A line ends at CR LF or at a lone LF, and
// its text stops at its first CR; a Ctrl-Z character ends the file; the last line needs no line
// break, and a single line break after it adds no line. The whole file is decoded as one text.
struct DataFileLines
{
    QStringList lines;       // every line read, empty ones included
    bool readFailed = false; // reading stopped on an error; lines holds what came before it
};

// Nothing when the file cannot be opened.
std::optional<DataFileLines> readDataFile(const QString& path);
