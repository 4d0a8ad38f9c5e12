#include "StringGridModel.h"

#include <algorithm>

StringGridModel::StringGridModel(QObject* parent) : QAbstractTableModel(parent), m_rowColors(1)
{
    m_texts.appendEmpty();
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
    PackedTextRows texts;
    for (int row = 0; row < gridRowCount(); ++row) {
        QStringList cells = m_texts.texts(row);
        cells.resize(count);
        texts.append(cells);
    }
    m_texts = std::move(texts);
    m_columnCount = count;
    endResetModel();
}

void StringGridModel::addRow()
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_texts.appendEmpty();
    m_rowColors.push_back(0);
    endInsertRows();
}

void StringGridModel::reduceToOneRow()
{
    beginResetModel();
    m_texts.keepFirst(1);
    m_rowColors = {m_rowColors.front()}; // a fresh list: a long one gives its memory back
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
    return m_texts.text(row, column);
}

void StringGridModel::setCell(int column, int row, const QString& text)
{
    if (column < 0 || column >= m_columnCount || !containsRow(row))
        return;
    QStringList cells = m_texts.texts(row);
    cells.resize(m_columnCount);
    cells[column] = text;
    m_texts.replace(row, cells);
    notifyRowChanged(row, column, column);
}

void StringGridModel::setRow(int row, const QStringList& cells)
{
    if (!containsRow(row) || m_columnCount == 0)
        return;
    QStringList fitted = cells;
    fitted.resize(m_columnCount);
    m_texts.replace(row, fitted);
    notifyRowChanged(row, 0, m_columnCount - 1);
}

QColor StringGridModel::rowColor(int row) const
{
    const QRgb rgba = containsRow(row) ? m_rowColors[size_t(row)] : 0;
    return rgba == 0 ? QColor() : QColor::fromRgba(rgba);
}

void StringGridModel::setRowColor(int row, const QColor& color)
{
    const QRgb rgba = color.isValid() ? color.rgba() : 0;
    if (!containsRow(row) || m_rowColors[size_t(row)] == rgba)
        return;
    m_rowColors[size_t(row)] = rgba;
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
