#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QPoint>
#include <QString>
#include <QStringView>

#include <deque>
#include <optional>
#include <vector>

struct VTerm;
struct VTermScreen;

// One character cell as the pane paints it. A colour left empty is the screen's default one.
struct VtCell
{
    QString text;
    std::optional<QColor> foreground;
    std::optional<QColor> background;
    bool bold = false;
    bool underline = false;
    bool reverse = false;
};

// The VT100 screen of the session pane: libvterm interprets what the node sends, and we keep the
// lines that scroll off the top, up to the scroll-back size. Each received line is read as UTF-8
// when it is valid UTF-8 and as Windows-1252 otherwise, as the program reads it.
class VtScreen final
{
public:
    VtScreen(int rows, int columns, int scrollbackSize);
    ~VtScreen();
    Q_DISABLE_COPY_MOVE(VtScreen)

    // Bytes from the node, or typed keys echoed locally.
    void write(QByteArrayView bytes);
    // Text of our own, such as the session's state lines.
    void writeText(QStringView text);

    // Empties the screen and the scroll-back and resets the emulation.
    void clear();
    void resize(int rows, int columns);

    // Each line feed received also returns the carriage (the emulation's new-line mode).
    void setAutoCarriageReturn(bool on);
    // Each carriage return received is also a line feed.
    void setAutoLineFeed(bool on);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    int scrollbackCount() const { return int(m_scrollback.size()); }

    // Row 0 is the top row of the screen; rows -1, -2, ... are the scroll-back, latest first.
    VtCell cell(int row, int column) const;
    // The characters of one row, trailing blanks removed.
    QString lineText(int row) const;
    // The screen rows, each padded to the full width and ended by a line feed.
    QString text() const;
    // Column (x) and row (y) of the cursor.
    QPoint cursor() const;

private:
    friend struct VtermBridge;

    void feed(QStringView text);
    void applyModes();

    VTerm* m_vterm;
    VTermScreen* m_screen;
    int m_rows;
    int m_columns;
    int m_scrollbackSize;
    std::deque<std::vector<VtCell>> m_scrollback;
    bool m_autoCarriageReturn = false;
    bool m_autoLineFeed = false;
};
