#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTableView>

class StringGridModel;

// A read-only table of text cells in the manner of a classic string grid: rows numbered from 0,
// an optional header row 0 shown as the horizontal header, one current row selected whole and
// reported by cellSelected() when it changes, a background colour per row.
class StringGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StringGrid)

public:
    enum class Look
    {
        Spots,
        Messages
    };
    Q_ENUM(Look)

    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    void setColumnWidths(const QList<int>& widths);
    // A width of zero or less hides the column; a positive one shows it again.
    void setColumnWidth(int column, int width);

    // Grid rows, the header row included.
    int rowCount() const;
    void addRow();
    // Drops every row but row 0, which becomes an ordinary row again and keeps its texts.
    void reduceToOneRow();

    bool hasHeaderRow() const;
    // Turning the header on needs at least two rows; a current row 0 moves silently to row 1.
    void setHeaderRow(bool on);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    void setRow(int row, const QStringList& cells);
    // An invalid colour stands for the grid's own background.
    QColor rowColor(int row) const;
    void setRowColor(int row, const QColor& color);

    int currentRow() const { return m_currentRow; }
    // Makes a body row current at once; the view selects and scrolls to it when the event loop next
    // runs. Ignores the header row and rows out of range.
    void setCurrentRow(int row);

    // Spots: the current row black with text in the window colour. Messages: the current row not
    // highlighted, alternate rows tinted.
    void setLook(Look look);
    void setAlternateRowColor(const QColor& color);
    void setGridLineColor(const QColor& color);
    // Shades each header cell from top (start) to bottom (end).
    void setHeaderGradient(const QColor& start, const QColor& end);

    // Scrolls vertically only: the grid has no horizontal scroll bar to bring the view back.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

Q_SIGNALS:
    void cellSelected(int column, int row);

private:
    class Header;
    class CellDelegate;

    void showCurrentRowInSelectionColors();
    void followCurrentIndex(const QModelIndex& current);
    void restoreCurrentRow(int row);
    void showCurrentRowLater();
    void showCurrentRow();
    int currentColumn() const;
    QModelIndex indexInCurrentColumn(int row) const;

    StringGridModel* m_model;
    Header* m_header;
    CellDelegate* m_delegate;
    int m_currentRow = 0;
    bool m_quiet = false;
    bool m_showPending = false;
};
