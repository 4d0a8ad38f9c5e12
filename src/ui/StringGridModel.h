#pragma once

#include "PackedTextRows.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <QStringList>

#include <vector>

// The cells of a string grid, packed row by row, and one background colour per row: a spot list
// holds up to a million rows. Rows are grid rows numbered from 0; while the header row is on, grid
// row 0 is served as the horizontal header and the model's rows are grid rows 1..n-1.
class StringGridModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StringGridModel)

public:
    explicit StringGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Changes the number of columns, keeping the texts of the columns that remain.
    void setColumnCount(int count);

    int gridRowCount() const { return int(m_rowColors.size()); }
    void addRow();
    void reduceToOneRow();

    bool hasHeaderRow() const { return m_headerRow; }
    // Ignored when turning on with a single row: a header needs a body row below it.
    void setHeaderRow(bool on);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    void setRow(int row, const QStringList& cells);
    // A row has no colour of its own until given one; a fully transparent colour is none.
    QColor rowColor(int row) const;
    void setRowColor(int row, const QColor& color);

    int firstBodyRow() const { return m_headerRow ? 1 : 0; }
    int modelRow(int gridRow) const { return gridRow - firstBodyRow(); }
    int gridRow(int modelRow) const { return modelRow + firstBodyRow(); }

private:
    bool containsRow(int row) const { return row >= 0 && row < gridRowCount(); }
    void notifyRowChanged(int row, int firstColumn, int lastColumn);

    int m_columnCount = 1;
    PackedTextRows m_texts;        // each row holds m_columnCount texts, or none yet
    std::vector<QRgb> m_rowColors; // 0: no colour
    bool m_headerRow = false;
};
