#pragma once

#include <QByteArrayView>
#include <QString>

// Turns the bytes of a received line or a data file into text: UTF-8 when the bytes are valid
// UTF-8 (a leading byte-order mark is skipped), otherwise Windows-1252, the Western Windows code
// page that older nodes and files use. The five bytes Windows-1252 leaves undefined keep their
// own code points (U+0081, U+008D, U+008F, U+0090, U+009D).
QString decodeText(QByteArrayView bytes);
