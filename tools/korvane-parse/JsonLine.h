#pragma once

#include <QByteArray>

struct ClusterLine;

// One received line as a compact JSON object, keys in a fixed order, UTF-8.
QByteArray toJsonLine(const ClusterLine& line);
