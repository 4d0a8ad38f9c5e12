#include "VtScreen.h"

#include "TextDecoding.h"

#include <vterm.h>

#include <algorithm>

namespace {

// The emulation's new-line mode: on, a line feed also returns the carriage; off (as libvterm
// starts), a line feed only moves down and a carriage return only goes back.
constexpr QByteArrayView NewLineModeOn = "\x1b[20h";
constexpr QByteArrayView NewLineModeOff = "\x1b[20l";

// U+0080 to U+009F are C1 controls; libvterm, reading UTF-8, would take them for combining marks
// and swallow the characters around them.
bool isC1Control(QChar c)
{
    return c.unicode() >= 0x80 && c.unicode() <= 0x9F;
}

std::optional<QColor> toColour(const VTermScreen* screen, VTermColor colour, bool isDefault)
{
    if (isDefault)
        return std::nullopt;
    vterm_screen_convert_color_to_rgb(screen, &colour);
    return QColor(colour.rgb.red, colour.rgb.green, colour.rgb.blue);
}

// libvterm's mark for the right half of a double-width character.
constexpr uint32_t WideCharacterContinuation = 0xFFFFFFFF;

} // namespace

// The libvterm side of the screen: its callbacks and the conversion of its cells.
struct VtermBridge
{
    static VtCell toCell(const VTermScreen* screen, const VTermScreenCell& cell)
    {
        VtCell result;
        if (cell.chars[0] != WideCharacterContinuation) {
            const auto length = std::find(std::begin(cell.chars), std::end(cell.chars), 0u) - cell.chars;
            result.text = QString::fromUcs4(reinterpret_cast<const char32_t*>(cell.chars), length);
        }
        result.foreground = toColour(screen, cell.fg, VTERM_COLOR_IS_DEFAULT_FG(&cell.fg));
        result.background = toColour(screen, cell.bg, VTERM_COLOR_IS_DEFAULT_BG(&cell.bg));
        result.bold = cell.attrs.bold;
        result.underline = cell.attrs.underline != VTERM_UNDERLINE_OFF;
        result.reverse = cell.attrs.reverse;
        return result;
    }

    static int pushLine(int columns, const VTermScreenCell* cells, void* user)
    {
        auto& screen = *static_cast<VtScreen*>(user);
        std::vector<VtCell> line;
        line.reserve(size_t(columns));
        for (int column = 0; column < columns; ++column)
            line.push_back(toCell(screen.m_screen, cells[column]));
        screen.m_scrollback.push_front(std::move(line));
        if (int(screen.m_scrollback.size()) > screen.m_scrollbackSize)
            screen.m_scrollback.pop_back();
        return 1;
    }

    // Replies to the node's terminal queries are dropped: the program sends nothing on its own.
    static void dropOutput(const char*, size_t, void*) {}

    static constexpr VTermScreenCallbacks callbacks = {
        .damage = nullptr,
        .moverect = nullptr,
        .movecursor = nullptr,
        .settermprop = nullptr,
        .bell = nullptr,
        .resize = nullptr,
        .sb_pushline = &pushLine,
        .sb_popline = nullptr,
    };
};

VtScreen::VtScreen(int rows, int columns, int scrollbackSize)
    : m_vterm(vterm_new(rows, columns)), m_screen(vterm_obtain_screen(m_vterm)), m_rows(rows),
      m_columns(columns), m_scrollbackSize(scrollbackSize)
{
    vterm_set_utf8(m_vterm, 1);
    vterm_output_set_callback(m_vterm, &VtermBridge::dropOutput, nullptr);
    vterm_screen_set_callbacks(m_screen, &VtermBridge::callbacks, this);
    vterm_screen_reset(m_screen, 1);
    applyModes();
}

VtScreen::~VtScreen()
{
    vterm_free(m_vterm);
}

// Line by line, as the received lines are decoded: a node may pass on UTF-8 in one line and
// Windows-1252 in the next.
void VtScreen::write(QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qsizetype lineFeed = bytes.indexOf('\n');
        const qsizetype length = lineFeed < 0 ? bytes.size() : lineFeed + 1;
        feed(decodeText(bytes.first(length)));
        bytes = bytes.sliced(length);
    }
}

void VtScreen::writeText(QStringView text)
{
    feed(text);
}

void VtScreen::feed(QStringView text)
{
    QString printable;
    printable.reserve(text.size());
    for (const QChar c : text) {
        if (isC1Control(c))
            continue;
        printable.append(c);
        if (c == u'\r' && m_autoLineFeed)
            printable.append(u'\n');
    }
    const QByteArray utf8 = printable.toUtf8();
    vterm_input_write(m_vterm, utf8.constData(), size_t(utf8.size()));
}

void VtScreen::clear()
{
    vterm_screen_reset(m_screen, 1);
    m_scrollback.clear();
    applyModes();
}

void VtScreen::resize(int rows, int columns)
{
    m_rows = rows;
    m_columns = columns;
    vterm_set_size(m_vterm, rows, columns);
}

void VtScreen::setAutoCarriageReturn(bool on)
{
    m_autoCarriageReturn = on;
    applyModes();
}

void VtScreen::setAutoLineFeed(bool on)
{
    m_autoLineFeed = on;
}

void VtScreen::applyModes()
{
    const QByteArrayView mode = m_autoCarriageReturn ? NewLineModeOn : NewLineModeOff;
    vterm_input_write(m_vterm, mode.data(), size_t(mode.size()));
}

VtCell VtScreen::cell(int row, int column) const
{
    if (row < 0) {
        const auto& line = m_scrollback.at(size_t(-row - 1));
        return size_t(column) < line.size() ? line[size_t(column)] : VtCell{};
    }
    VTermScreenCell cell;
    vterm_screen_get_cell(m_screen, VTermPos{row, column}, &cell);
    return VtermBridge::toCell(m_screen, cell);
}

QString VtScreen::lineText(int row) const
{
    QString line;
    for (int column = 0; column < m_columns; ++column) {
        const QString text = cell(row, column).text;
        line += text.isEmpty() ? QStringLiteral(" ") : text;
    }
    const auto end = std::find_if_not(line.rbegin(), line.rend(), [](QChar c) { return c == u' '; });
    line.truncate(line.rend() - end);
    return line;
}

QString VtScreen::text() const
{
    QString text;
    for (int row = 0; row < m_rows; ++row)
        text += lineText(row).leftJustified(m_columns, u' ', true) + u'\n';
    return text;
}

QPoint VtScreen::cursor() const
{
    VTermPos position;
    vterm_state_get_cursorpos(vterm_obtain_state(m_vterm), &position);
    return QPoint(position.col, position.row);
}
