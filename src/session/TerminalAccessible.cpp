#include "TerminalAccessible.h"

#include "TelnetTerminal.h"

#include <QAccessibleWidget>

namespace {

// The screen as one text: its rows, each padded to the full width and ended by a line feed, so
// that an offset is row × (columns + 1) + column.
class TerminalAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TerminalAccessible(TelnetTerminal* terminal) : QAccessibleWidget(terminal, QAccessible::Terminal)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int start, int end) const override { return screenText().mid(start, end - start); }
    int characterCount() const override { return int(screenText().size()); }

    int cursorPosition() const override
    {
        const QPoint cursor = screen().cursor();
        return offsetOf(cursor.y(), std::min(cursor.x(), screen().columns() - 1));
    }

    QRect characterRect(int offset) const override
    {
        const QRect cell = terminal()->cellRect(offset / lineLength(), offset % lineLength());
        return QRect(terminal()->mapToGlobal(cell.topLeft()), cell.size());
    }

    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint cell = terminal()->cellAt(terminal()->mapFromGlobal(point));
        const bool inside =
            cell.x() >= 0 && cell.x() < screen().columns() && cell.y() >= 0 && cell.y() < screen().rows();
        return inside ? offsetOf(cell.y(), cell.x()) : -1;
    }

    // Read-only text without selections or attributes.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return QString();
    }

private:
    TelnetTerminal* terminal() const { return static_cast<TelnetTerminal*>(widget()); }
    const VtScreen& screen() const { return terminal()->screen(); }
    QString screenText() const { return screen().text(); }
    int lineLength() const { return screen().columns() + 1; }
    int offsetOf(int row, int column) const { return row * lineLength() + column; }
};

QAccessibleInterface* createTerminalAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1StringView(TelnetTerminal::staticMetaObject.className()))
        return nullptr;
    return new TerminalAccessible(static_cast<TelnetTerminal*>(object));
}

} // namespace

void installTerminalAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&createTerminalAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}
