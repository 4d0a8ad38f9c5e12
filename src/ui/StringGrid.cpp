#include "StringGrid.h"

#include "StringGridModel.h"

#include <QHeaderView>
#include <QLinearGradient>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int RowHeight = 18;
constexpr int TextMargin = 3;

// Stands in for the desktop's gradient-active-caption colour: the selection colour, well lightened.
QColor captionColor(const QPalette& palette)
{
    const QColor highlight = palette.color(QPalette::Highlight);
    const auto lighten = [](int channel) {
        return (channel * 2 + 255 * 3) / 5;
    };
    return QColor(lighten(highlight.red()), lighten(highlight.green()), lighten(highlight.blue()));
}

} // namespace

// The horizontal header: paints the texts of grid row 0 on a gradient with black grid lines,
// one fixed row high.
class StringGrid::Header final : public QHeaderView
{
public:
    explicit Header(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setFont(QFont(QStringLiteral("Tahoma"), 8, QFont::Bold));
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsMovable(false);
        setSectionsClickable(false);
        setHighlightSections(false);
        setMinimumSectionSize(1);
    }

    void setGradient(const QColor& start, const QColor& end)
    {
        m_start = start;
        m_end = end;
        viewport()->update();
    }

    QSize sizeHint() const override { return {QHeaderView::sizeHint().width(), RowHeight}; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        QLinearGradient shading(rect.topLeft(), rect.bottomLeft());
        shading.setColorAt(0, m_start);
        shading.setColorAt(1, m_end);
        painter->fillRect(rect, shading);
        painter->setFont(font());
        painter->setPen(Qt::black);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        const QString text = model()->headerData(logicalIndex, Qt::Horizontal).toString();
        painter->drawText(rect.adjusted(TextMargin, 0, -TextMargin, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          text);
    }

private:
    QColor m_start;
    QColor m_end;
};

// Paints a body cell without the focus frame of the current cell (the whole row is the current
// thing), then its right and bottom grid lines.
class StringGrid::CellDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setLineColor(const QColor& color) { m_lineColor = color; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cellOption = option;
        cellOption.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, cellOption, index);
        const QRect& rect = option.rect;
        painter->save();
        painter->setPen(m_lineColor);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->restore();
    }

private:
    QColor m_lineColor;
};

StringGrid::StringGrid(QWidget* parent)
    : QTableView(parent), m_model(new StringGridModel(this)), m_header(new Header(this)),
      m_delegate(new CellDelegate(this))
{
    const QColor caption = captionColor(palette());
    m_header->setGradient(caption, caption);
    m_delegate->setLineColor(palette().color(QPalette::Base));

    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(m_delegate);

    setFont(QFont(QStringLiteral("Arial"), 8, QFont::Bold));
    m_header->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    setCornerButtonEnabled(false);
    setShowGrid(false);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setSelectionBehavior(SelectRows);
    showCurrentRowInSelectionColors();

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &StringGrid::followCurrentIndex);
    setLook(Look::Spots);
}

StringGrid::~StringGrid() = default;

void StringGrid::setColumnWidths(const QList<int>& widths)
{
    const QScopedValueRollback quiet(m_quiet, true);
    m_model->setColumnCount(int(widths.size()));
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths.at(column));
    restoreCurrentRow(m_currentRow);
}

void StringGrid::setColumnWidth(int column, int width)
{
    setColumnHidden(column, width <= 0);
    if (width > 0)
        QTableView::setColumnWidth(column, width);
}

int StringGrid::rowCount() const
{
    return m_model->gridRowCount();
}

void StringGrid::addRow()
{
    m_model->addRow();
}

void StringGrid::reduceToOneRow()
{
    const QScopedValueRollback quiet(m_quiet, true);
    m_model->reduceToOneRow();
    m_header->hide();
    restoreCurrentRow(0);
}

bool StringGrid::hasHeaderRow() const
{
    return m_model->hasHeaderRow();
}

void StringGrid::setHeaderRow(bool on)
{
    const QScopedValueRollback quiet(m_quiet, true);
    const int row = m_currentRow;
    m_model->setHeaderRow(on);
    m_header->setVisible(hasHeaderRow());
    restoreCurrentRow(row);
}

QString StringGrid::cell(int column, int row) const
{
    return m_model->cell(column, row);
}

void StringGrid::setCell(int column, int row, const QString& text)
{
    m_model->setCell(column, row, text);
}

void StringGrid::setRow(int row, const QStringList& cells)
{
    m_model->setRow(row, cells);
}

QColor StringGrid::rowColor(int row) const
{
    return m_model->rowColor(row);
}

void StringGrid::setRowColor(int row, const QColor& color)
{
    m_model->setRowColor(row, color);
}

void StringGrid::setCurrentRow(int row)
{
    if (row < m_model->firstBodyRow() || row >= rowCount())
        return;
    const bool changed = row != m_currentRow;
    m_currentRow = row;
    showCurrentRowLater();
    if (changed)
        Q_EMIT cellSelected(currentColumn(), row);
}

void StringGrid::setLook(Look look)
{
    const QScopedValueRollback quiet(m_quiet, true);
    const bool messages = look == Look::Messages;
    setAlternatingRowColors(messages);
    setSelectionMode(messages ? NoSelection : SingleSelection);
    clearSelection();
    restoreCurrentRow(m_currentRow);
}

void StringGrid::setAlternateRowColor(const QColor& color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::AlternateBase, color);
    setPalette(colors);
}

void StringGrid::setGridLineColor(const QColor& color)
{
    m_delegate->setLineColor(color);
    viewport()->update();
}

void StringGrid::setHeaderGradient(const QColor& start, const QColor& end)
{
    m_header->setGradient(start, end);
}

void StringGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(0);
}

void StringGrid::followCurrentIndex(const QModelIndex& current)
{
    if (m_quiet || !current.isValid())
        return;
    const int row = m_model->gridRow(current.row());
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    Q_EMIT cellSelected(current.column(), row);
}

// Black with text in the window colour, whether or not the grid has the focus.
void StringGrid::showCurrentRowInSelectionColors()
{
    QPalette colors = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Highlight, Qt::black);
        colors.setColor(group, QPalette::HighlightedText, colors.color(group, QPalette::Base));
    }
    setPalette(colors);
}

// Model changes move or drop the view's current index; this puts it back on a body row. The
// callers hold m_quiet, so that neither the change nor this reports a change of row.
void StringGrid::restoreCurrentRow(int row)
{
    Q_ASSERT(m_quiet);
    m_currentRow = std::clamp(row, m_model->firstBodyRow(), rowCount() - 1);
    setCurrentIndex(indexInCurrentColumn(m_currentRow));
}

// Moving the view's current index and scrolling to it make the view's row header recount every
// row position, which each insertion invalidates; a burst of appends therefore shows only its last
// row, once the event loop runs.
void StringGrid::showCurrentRowLater()
{
    if (m_showPending)
        return;
    m_showPending = true;
    QMetaObject::invokeMethod(this, &StringGrid::showCurrentRow, Qt::QueuedConnection);
}

void StringGrid::showCurrentRow()
{
    m_showPending = false;
    const QModelIndex index = indexInCurrentColumn(m_currentRow);
    setCurrentIndex(index);
    scrollTo(index);
}

int StringGrid::currentColumn() const
{
    return std::max(currentIndex().column(), 0);
}

QModelIndex StringGrid::indexInCurrentColumn(int row) const
{
    return m_model->index(m_model->modelRow(row), currentColumn());
}
