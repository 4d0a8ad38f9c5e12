#include "TerminalKeys.h"

#include "TelnetProtocol.h"

#include <QKeyEvent>

#include <optional>

namespace {

std::optional<QByteArray> namedKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
        return QByteArray("\r\n");
    case Qt::Key_Enter:
        return QByteArray("\r");
    case Qt::Key_Backspace:
        return QByteArray("\b");
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QByteArray("\t");
    case Qt::Key_Escape:
        return QByteArray("\x1b");
    case Qt::Key_Up:
        return QByteArray("\x1b[A");
    case Qt::Key_Down:
        return QByteArray("\x1b[B");
    case Qt::Key_Right:
        return QByteArray("\x1b[C");
    case Qt::Key_Left:
        return QByteArray("\x1b[D");
    case Qt::Key_PageUp:
        return QByteArray("\x1b[5~");
    case Qt::Key_PageDown:
        return QByteArray("\x1b[6~");
    case Qt::Key_Insert:
        return QByteArray("\x1b[2~");
    case Qt::Key_Delete:
        return QByteArray("\x7f");
    case Qt::Key_F1:
        return QByteArray("\x1bOP");
    case Qt::Key_F2:
        return QByteArray("\x1bOQ");
    case Qt::Key_F3:
        return QByteArray("\x1bOR");
    case Qt::Key_F4:
        return QByteArray("\x1bOS");
    case Qt::Key_F11:
        return QByteArray("\x1b[28~");
    case Qt::Key_F12:
        return QByteArray("\x1b[29~");
    default:
        return std::nullopt;
    }
}

bool isLetterKey(int key)
{
    return key >= Qt::Key_A && key <= Qt::Key_Z;
}

// The platform's text already has a letter in upper case with Caps Lock; Shift and the upper-case
// lock make it upper case too. Case changes one character for one ("ß" stays one byte).
QString typedText(const QKeyEvent& event, bool upperLock)
{
    QString text = event.text();
    if (upperLock || event.modifiers().testFlag(Qt::ShiftModifier)) {
        for (QChar& c : text)
            c = c.toUpper();
    }
    return text;
}

} // namespace

QByteArray keyBytes(const QKeyEvent& event, bool upperLock)
{
    const int key = event.key();
    if (event.modifiers().testFlag(Qt::ControlModifier) && isLetterKey(key))
        return QByteArray(1, char(key - Qt::Key_A + 1));
    if (const auto bytes = namedKey(key))
        return *bytes;
    return wireBytes(typedText(event, upperLock));
}
