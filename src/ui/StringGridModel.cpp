#include "StringGridModel.h"

#include <algorithm>

StringGridModel::StringGridModel(QObject* parent)
    : QAbstractTableModel(parent), m_cells(m_columnCount), m_rowColors(1)
{
}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridRowCount() - firstBodyRow();
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columnCount;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = gridRow(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.column(), row);
    case Qt::BackgroundRole: {
        const QColor color = rowColor(row);
        return color.isValid() ? QVariant(color) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_headerRow || orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return cell(section, 0);
}

void StringGridModel::setColumnCount(int count)
{
    count = std::max(count, 0);
    if (count == m_columnCount)
        return;
    beginResetModel();
    QList<QString> cells(qsizetype(gridRowCount()) * count);
    const int kept = std::min(count, m_columnCount);
    for (int row = 0; row < gridRowCount(); ++row)
        std::copy_n(m_cells.cbegin() + cellIndex(0, row), kept, cells.begin() + qsizetype(row) * count);
    m_cells = std::move(cells);
    m_columnCount = count;
    endResetModel();
}

void StringGridModel::addRow()
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_cells.resize(m_cells.size() + m_columnCount);
    m_rowColors.append(QColor());
    endInsertRows();
}

void StringGridModel::reduceToOneRow()
{
    beginResetModel();
    // Fresh lists rather than resize(): a long list gives its memory back.
    m_cells = m_cells.first(m_columnCount);
    m_rowColors = m_rowColors.first(1);
    m_headerRow = false;
    endResetModel();
}

void StringGridModel::setHeaderRow(bool on)
{
    if (on == m_headerRow || (on && gridRowCount() < 2))
        return;
    // Grid row 0 leaves the body to become the header, or comes back into it.
    if (on) {
        beginRemoveRows({}, 0, 0);
        m_headerRow = true;
        endRemoveRows();
    } else {
        beginInsertRows({}, 0, 0);
        m_headerRow = false;
        endInsertRows();
    }
    if (m_columnCount > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_columnCount - 1);
}

QString StringGridModel::cell(int column, int row) const
{
    if (column < 0 || column >= m_columnCount || !containsRow(row))
        return {};
    return m_cells.at(cellIndex(column, row));
}

void StringGridModel::setCell(int column, int row, const QString& text)
{
    if (column < 0 || column >= m_columnCount || !containsRow(row))
        return;
    m_cells[cellIndex(column, row)] = text;
    notifyRowChanged(row, column, column);
}

void StringGridModel::setRow(int row, const QStringList& cells)
{
    if (!containsRow(row) || m_columnCount == 0)
        return;
    for (int column = 0; column < m_columnCount; ++column)
        m_cells[cellIndex(column, row)] = cells.value(column);
    notifyRowChanged(row, 0, m_columnCount - 1);
}

QColor StringGridModel::rowColor(int row) const
{
    return containsRow(row) ? m_rowColors.at(row) : QColor();
}

void StringGridModel::setRowColor(int row, const QColor& color)
{
    if (!containsRow(row) || m_rowColors.at(row) == color)
        return;
    m_rowColors[row] = color;
    if (m_columnCount > 0)
        notifyRowChanged(row, 0, m_columnCount - 1);
}

void StringGridModel::notifyRowChanged(int row, int firstColumn, int lastColumn)
{
    if (m_headerRow && row == 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, firstColumn, lastColumn);
    else
        Q_EMIT dataChanged(index(modelRow(row), firstColumn), index(modelRow(row), lastColumn));
}
