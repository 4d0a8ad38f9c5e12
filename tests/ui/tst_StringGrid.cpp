#include "StringGrid.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

const QStringList SpotHeaders = {"UTC",      "CALLSIGN",     "FREQUENCY", "NOTIFIED BY",
                                 "COMMENTS", "DXCC COUNTRY", "PFX"};
const QList<int> SpotWidths = {52, 100, 75, 95, 347, 156, 64};

// A seven-column spot list, shown so that the view lays out and paints.
struct SpotGrid
{
    explicit SpotGrid(StringGrid::Look look = StringGrid::Look::Spots)
    {
        grid.setColumnWidths(SpotWidths);
        grid.setLook(look);
        grid.resize(900, 300);
        grid.show();
    }

    // What the window does per spot: the first entry turns row 0 into the header row.
    void append(const QString& call, const QColor& color = {})
    {
        grid.addRow();
        if (grid.rowCount() == 2) {
            grid.setHeaderRow(true);
            grid.setRow(0, SpotHeaders);
        }
        const int row = grid.rowCount() - 1;
        grid.setRowColor(row, color);
        grid.setRow(row, {"1200Z", call, "14025.0", " DL1AA", "CQ", "Germany", "DL"});
        grid.setCurrentRow(row);
    }

    StringGrid grid;
};

QModelIndex bodyIndex(const StringGrid& grid, int gridRow, int column)
{
    const int firstBodyRow = grid.hasHeaderRow() ? 1 : 0;
    return grid.model()->index(gridRow - firstBodyRow, column);
}

} // namespace

class tst_StringGrid final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithOneEmptyOrdinaryRow();
    void headerRowLifecycle();
    void headerRowNeedsARowBelowIt();
    void cellSelectedOnlyWhenTheRowChanges_data();
    void cellSelectedOnlyWhenTheRowChanges();
    void userSelectionRaisesCellSelected_data();
    void userSelectionRaisesCellSelected();
    void headerRowIsNeverCurrent();
    void rowColorsThroughBackgroundRole();
    void columnWidthsAndHiding();
    void columnCountChangeKeepsTexts();
    void outOfRangeCallsChangeNothing();
    void rowsAreEighteenPixelsHigh();
    void newCurrentRowIsScrolledIntoView();
    void currentRowLooks_data();
    void currentRowLooks();
    void accessibleTableReadsCellsAndHeaders();
    void modelStaysConsistent();
};

void tst_StringGrid::startsWithOneEmptyOrdinaryRow()
{
    StringGrid grid;
    QCOMPARE(grid.rowCount(), 1);
    QVERIFY(!grid.hasHeaderRow());
    QCOMPARE(grid.currentRow(), 0);
    QCOMPARE(grid.model()->rowCount(), 1);
    QVERIFY(grid.cell(0, 0).isEmpty());
    QVERIFY(grid.horizontalHeader()->isHidden());
}

void tst_StringGrid::headerRowLifecycle()
{
    SpotGrid list;
    StringGrid& grid = list.grid;
    QSignalSpy selected(&grid, &StringGrid::cellSelected);

    list.append("K1ABC");
    QCOMPARE(grid.rowCount(), 2);
    QVERIFY(grid.hasHeaderRow());
    QVERIFY(grid.horizontalHeader()->isVisible());
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString("CALLSIGN"));
    QCOMPARE(grid.model()->index(0, 1).data().toString(), QString("K1ABC"));

    list.append("W2XYZ");
    list.append("F5AAA");
    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(grid.currentRow(), 3);
    selected.clear();

    grid.reduceToOneRow();
    QCOMPARE(grid.rowCount(), 1);
    QVERIFY(!grid.hasHeaderRow());
    QVERIFY(grid.horizontalHeader()->isHidden());
    QCOMPARE(grid.currentRow(), 0);
    QCOMPARE(selected.count(), 0);
    QCOMPARE(grid.cell(1, 0), QString("CALLSIGN"));
    QCOMPARE(grid.model()->index(0, 6).data().toString(), QString("PFX"));
    QVERIFY(!grid.model()->headerData(1, Qt::Horizontal).isValid());

    // The next entry makes the kept row the header again, with its row below it.
    list.append("JA1ZZZ");
    QVERIFY(grid.hasHeaderRow());
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(grid.cell(1, 1), QString("JA1ZZZ"));
    QCOMPARE(selected.count(), 0);
}

void tst_StringGrid::headerRowNeedsARowBelowIt()
{
    StringGrid grid;
    grid.setHeaderRow(true);
    QVERIFY(!grid.hasHeaderRow());
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(grid.currentRow(), 0);
}

void tst_StringGrid::cellSelectedOnlyWhenTheRowChanges_data()
{
    QTest::addColumn<StringGrid::Look>("look");
    QTest::newRow("spots") << StringGrid::Look::Spots;
    QTest::newRow("messages") << StringGrid::Look::Messages;
}

void tst_StringGrid::cellSelectedOnlyWhenTheRowChanges()
{
    QFETCH(StringGrid::Look, look);
    SpotGrid list(look);
    QSignalSpy selected(&list.grid, &StringGrid::cellSelected);

    list.append("K1ABC");
    QCOMPARE(selected.count(), 0);
    QCOMPARE(list.grid.currentRow(), 1);

    list.append("W2XYZ");
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.takeFirst(), QVariantList({0, 2}));

    list.grid.setCurrentRow(2);
    QCOMPARE(selected.count(), 0);

    list.grid.setCurrentRow(1);
    list.append("F5AAA");
    QCOMPARE(selected.count(), 2);
    QCOMPARE(selected.at(0), QVariantList({0, 1}));
    QCOMPARE(selected.at(1), QVariantList({0, 3}));
}

void tst_StringGrid::userSelectionRaisesCellSelected_data()
{
    cellSelectedOnlyWhenTheRowChanges_data();
}

void tst_StringGrid::userSelectionRaisesCellSelected()
{
    QFETCH(StringGrid::Look, look);
    SpotGrid list(look);
    for (const char* call : {"K1ABC", "W2XYZ", "F5AAA"})
        list.append(call);
    QCoreApplication::processEvents(); // the view follows the current row on the next pass
    StringGrid& grid = list.grid;
    grid.setFocus();
    QSignalSpy selected(&grid, &StringGrid::cellSelected);

    QTest::keyClick(&grid, Qt::Key_Up);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.takeFirst(), QVariantList({0, 2}));
    QCOMPARE(grid.currentRow(), 2);

    const QRect countryCell = grid.visualRect(bodyIndex(grid, 1, 5));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, countryCell.center());
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.takeFirst(), QVariantList({5, 1}));

    // Already on the first body row: the header row above cannot be reached.
    QTest::keyClick(&grid, Qt::Key_Up);
    QCOMPARE(selected.count(), 0);
    QCOMPARE(grid.currentRow(), 1);
}

void tst_StringGrid::headerRowIsNeverCurrent()
{
    SpotGrid list;
    list.append("K1ABC");
    list.append("W2XYZ");
    QSignalSpy selected(&list.grid, &StringGrid::cellSelected);
    for (const int row : {0, -1, 3, 100})
        list.grid.setCurrentRow(row);
    QCOMPARE(list.grid.currentRow(), 2);
    QCOMPARE(selected.count(), 0);
}

void tst_StringGrid::rowColorsThroughBackgroundRole()
{
    SpotGrid list;
    const QColor amber(0xD9, 0xB0, 0x26);
    list.append("K1ABC", amber);
    list.append("W2XYZ");
    StringGrid& grid = list.grid;

    QCOMPARE(grid.rowColor(1), amber);
    QCOMPARE(bodyIndex(grid, 1, 4).data(Qt::BackgroundRole).value<QColor>(), amber);
    QVERIFY(!bodyIndex(grid, 2, 4).data(Qt::BackgroundRole).isValid());

    grid.setRowColor(2, Qt::white);
    QCOMPARE(bodyIndex(grid, 2, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
    QVERIFY(!grid.rowColor(7).isValid());
}

void tst_StringGrid::columnWidthsAndHiding()
{
    StringGrid grid;
    grid.setColumnWidths({100, 678});
    QCOMPARE(grid.model()->columnCount(), 2);
    QCOMPARE(grid.columnWidth(0), 100);
    QCOMPARE(grid.columnWidth(1), 678);

    grid.setColumnWidth(1, 0);
    QVERIFY(grid.isColumnHidden(1));
    grid.setColumnWidth(0, -5);
    QVERIFY(grid.isColumnHidden(0));

    grid.setColumnWidth(1, 35);
    QVERIFY(!grid.isColumnHidden(1));
    QCOMPARE(grid.columnWidth(1), 35);
    QVERIFY(grid.isColumnHidden(0));
}

void tst_StringGrid::columnCountChangeKeepsTexts()
{
    StringGrid grid;
    grid.setColumnWidths({10, 10});
    grid.addRow();
    grid.setRow(1, {"a", "b"});
    grid.setColumnWidths({10, 10, 10});
    QCOMPARE(grid.cell(1, 1), QString("b"));
    QVERIFY(grid.cell(2, 1).isEmpty());
    grid.setColumnWidths({10});
    QCOMPARE(grid.cell(0, 1), QString("a"));
    QVERIFY(grid.cell(1, 1).isEmpty());
    grid.setColumnWidths({10, 10});
    QVERIFY(grid.cell(1, 1).isEmpty()); // a dropped column's texts do not come back
    QCOMPARE(grid.currentRow(), 0);
}

void tst_StringGrid::outOfRangeCallsChangeNothing()
{
    StringGrid grid;
    grid.setColumnWidths({100, 678});
    grid.setRow(0, {"F5XYZ", "hello", "ignored third cell"});
    for (const int row : {-1, 1, 1000}) {
        grid.setCell(0, row, "x");
        grid.setRow(row, {"x", "y"});
        grid.setRowColor(row, Qt::red);
        QVERIFY(grid.cell(0, row).isEmpty());
        QVERIFY(!grid.rowColor(row).isValid());
    }
    for (const int column : {-1, 2, 1000}) {
        grid.setCell(column, 0, "x");
        grid.setColumnWidth(column, 0);
        grid.setColumnWidth(column, 50);
        QVERIFY(grid.cell(column, 0).isEmpty());
    }
    QCOMPARE(grid.rowCount(), 1);
    QCOMPARE(grid.model()->columnCount(), 2);
    QCOMPARE(grid.cell(0, 0), QString("F5XYZ"));
    QCOMPARE(grid.cell(1, 0), QString("hello"));
}

void tst_StringGrid::rowsAreEighteenPixelsHigh()
{
    SpotGrid list;
    list.append("K1ABC");
    list.append("W2XYZ");
    QCOMPARE(list.grid.rowHeight(0), 18);
    QCOMPARE(list.grid.rowHeight(1), 18);
    QCOMPARE(list.grid.horizontalHeader()->height(), 18);
}

void tst_StringGrid::newCurrentRowIsScrolledIntoView()
{
    SpotGrid list;
    for (int spot = 0; spot < 60; ++spot)
        list.append(QString("K%1ABC").arg(spot));
    QCoreApplication::processEvents();
    const QModelIndex last = bodyIndex(list.grid, 60, 0);
    QCOMPARE(list.grid.currentIndex(), last);
    QVERIFY(list.grid.selectionModel()->isRowSelected(last.row()));
    QVERIFY(list.grid.viewport()->rect().contains(list.grid.visualRect(last)));

    // Scrolled away by the user, the same row is brought back by asking for it again.
    list.grid.verticalScrollBar()->setValue(0);
    list.grid.setCurrentRow(60);
    QCoreApplication::processEvents();
    QVERIFY(list.grid.viewport()->rect().contains(list.grid.visualRect(last)));
}

void tst_StringGrid::currentRowLooks_data()
{
    QTest::addColumn<StringGrid::Look>("look");
    QTest::addColumn<QColor>("rowColor");
    QTest::addColumn<QColor>("currentColor");
    const QColor amber(0xD9, 0xB0, 0x26);
    QTest::newRow("spot row black") << StringGrid::Look::Spots << amber << QColor(Qt::black);
    QTest::newRow("message row untouched") << StringGrid::Look::Messages << amber << amber;
}

// Samples the empty right end of the comments cell of the older and of the current row.
void tst_StringGrid::currentRowLooks()
{
    QFETCH(StringGrid::Look, look);
    QFETCH(QColor, rowColor);
    QFETCH(QColor, currentColor);
    SpotGrid list(look);
    list.append("K1ABC", rowColor);
    list.append("W2XYZ", rowColor);
    QCoreApplication::processEvents();
    const QImage image = list.grid.viewport()->grab().toImage();

    const auto sample = [&](int row) {
        const QRect cell = list.grid.visualRect(bodyIndex(list.grid, row, 4));
        return image.pixelColor(cell.right() - 10, cell.center().y());
    };
    QCOMPARE(sample(1), rowColor);
    QCOMPARE(sample(2), currentColor);
}

void tst_StringGrid::accessibleTableReadsCellsAndHeaders()
{
    SpotGrid list;
    list.append("K1ABC");
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&list.grid);
    QVERIFY(view);
    QAccessibleTableInterface* table = view->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->columnCount(), 7);
    QCOMPARE(table->columnDescription(5), QString("DXCC COUNTRY"));
    QCOMPARE(table->cellAt(0, 1)->text(QAccessible::Name), QString("K1ABC"));

    list.append("W2XYZ");
    QCOMPARE(table->rowCount(), 2);
    QAccessibleInterface* fresh = table->cellAt(1, 1);
    QVERIFY(fresh);
    QCOMPARE(fresh->text(QAccessible::Name), QString("W2XYZ"));
}

void tst_StringGrid::modelStaysConsistent()
{
    SpotGrid list;
    QAbstractItemModelTester tester(list.grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.append("K1ABC", Qt::red);
    list.append("W2XYZ");
    list.grid.setCell(3, 0, "SPOTTER");
    list.grid.setCell(3, 2, " F5AAA");
    QCOMPARE(list.grid.model()->headerData(3, Qt::Horizontal).toString(), QString("SPOTTER"));
    list.grid.setColumnWidths({10, 10});
    list.grid.setHeaderRow(false);
    list.grid.setHeaderRow(true);
    list.grid.reduceToOneRow();
    list.append("JA1ZZZ");
    QCOMPARE(list.grid.cell(1, 1), QString("JA1ZZZ"));
}

QTEST_MAIN(tst_StringGrid)
#include "tst_StringGrid.moc"
