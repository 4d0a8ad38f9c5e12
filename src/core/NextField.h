#pragma once

#include <QString>

// Cuts the first field off a line of a data file. Returns the text before the first separator and
// leaves the rest after it in line. A line without a separator is returned whole and left as it is,
// so every further field asked of it is that same text again. An empty line gives empty fields.
QString NextField(QString& line, QChar separator);
