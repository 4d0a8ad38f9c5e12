#pragma once

#include <QString>

#include <functional>

// Reads the lines of one of the program's data files. A line ends at CR LF or at a lone LF, and
// its text stops at its first CR; a Ctrl-Z character ends the file; the last line needs no line
// break, and a single line break after it adds no line. The whole file is decoded as one text.
enum class DataFileRead
{
    NotOpened,  // the file cannot be opened
    Read,       // every line was handed on, or the handler stopped the reading
    ReadFailed, // reading stopped on an error; the lines before it were handed on
};

// Hands each line, empty ones included, to takeLine in file order until it returns false. The lines
// are cut from the decoded text one at a time, so memory stays at the file's text.
DataFileRead readDataFile(const QString& path, const std::function<bool(const QString& line)>& takeLine);
