#include <QTableWidget>
#include <QTest>

#include "CommandsMemo.h"

namespace {

using Rows = QList<std::pair<QString, QString>>;

const QStringList Commands{"ANnounce",
                           "ANnounce/Full",
                           "BYE",
                           "DX",
                           "DXTEST",
                           "DIR",
                           "DIR/BULLETIN",
                           "DIR/NEW",
                           "DIR/OWN",
                           "DIR/SUBJECT",
                           "DELete",
                           "Kill",
                           "List",
                           "List/NEW",
                           "List/OWN",
                           "QUIT",
                           "READ",
                           "REply",
                           "",
                           "SEND",
                           "passed to all nodes for all USERs.",
                           "SET/ANN",
                           "SET/BEACON",
                           "SET/BEEP",
                           "SET/BOB",
                           "SET/DX",
                           "SET/DXCQ",
                           "SET/DXITU",
                           "SET/DXS",
                           "SET/USSTATE",
                           "SET/FILTER",
                           "SET/GRID",
                           "SET/HOME",
                           "SET/LOCATION",
                           "SET/LOGIN",
                           "SET/NAME",
                           "SET/NOANN",
                           "SET/NOBEACON",
                           "SET/NOBEEP",
                           "SET/NOBOB",
                           "SET/NOCQ",
                           "SET/NODX",
                           "SET/NODXCQ",
                           "SET/NODXITU",
                           "SET/NODXS",
                           "SET/NOUSSTATE",
                           "SET/NOGRID",
                           "SET/NOITU",
                           "SET/NOLOGIN",
                           "SET/NOSELF",
                           "SET/NOTALK",
                           "SET/NOWCY",
                           "SET/NOWWV",
                           "SET/NOWX",
                           "SET/QRA",
                           "SET/QTH",
                           "SET/RES 1",
                           "SET/RES 2",
                           "SET/SELF",
                           "SET/TALK",
                           "SET/USSTATE",
                           "SET/WCY",
                           "SET/WIDTH",
                           "SET/WIDTH XX",
                           "SET/WWV",
                           "SET/WX",
                           "SHow/CL",
                           "SHow/CONF",
                           "SHow/DX",
                           "SHow/DX <Call>",
                           "SHow/DX/<number>",
                           "SHow/DX/ <Band>",
                           "SHow/DX/ <Freq>",
                           "SHow/DX <prefix*>",
                           "SHow/DX 'rtty'",
                           "SHow/FDX",
                           "SHow/FILTER",
                           "SHow/HEAD <Call>",
                           "SHow/MYANN",
                           "SHow/MYDX",
                           "SHow/MYDX <Call>",
                           "SHow/MYDX/<number>",
                           "SHow/MYDX/<Band>",
                           "SHow/MYFDX",
                           "SHow/MYWX",
                           "SHow/RES",
                           "SHow/SETTINGS",
                           "SHow/STATION",
                           "SHow/SUN",
                           "SHow/TIME",
                           "SHow/TIME <Call>",
                           "SHow/USDB",
                           "SHow/USERS",
                           "SHow/VERSION",
                           "SHow/WIDTH",
                           "SHow/WWV",
                           "SHow/WCY",
                           "Talk",
                           "UNSET/",
                           "WHO",
                           "WX"};

constexpr int ContinuedReplyRow = 18; // row 19 counted from 1
constexpr int SendClosingRow = 20;    // row 21 counted from 1

// The two rows whose cells do not hold a command and its description.
bool isContinuation(qsizetype row)
{
    return row == ContinuedReplyRow || row == SendClosingRow;
}

} // namespace

class tst_CommandsMemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandsInOrder();
    void givenActions_data();
    void givenActions();
    void splitDescriptions();
    void everyCommandDescribed();
    void usStateTwice();
    void fillsTable();
};

void tst_CommandsMemo::commandsInOrder()
{
    QStringList commands;
    for (const auto& row : commandsMemoRows())
        commands << row.first;
    QCOMPARE(commands.size(), 101);
    QCOMPARE(commands, Commands);
}

void tst_CommandsMemo::givenActions_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("action");
    QTest::newRow("DX") << 3 << "DX"
                        << "Sends a DX spot.  (DX <Callsign> <Frequency> or DX <Frequency> <Callsign>)";
    QTest::newRow("number of spots") << 70 << "SHow/DX/<number>"
                                     << "Shows that number of spots.  SH/DX/100";
    QTest::newRow("band") << 71 << "SHow/DX/ <Band>"
                          << "Shows last 30 spots on that band.  SH/DX 20  for 20 meters";
    QTest::newRow("width, second half") << 63 << "SET/WIDTH XX"
                                        << "where XX is the number of characters.";
    QTest::newRow("UNSET") << 98 << "UNSET/"
                           << "This command can be used instead of SET/NO, Compatibility for DX-Spider USERs";
    QTest::newRow("SEND closing words") << SendClosingRow << "passed to all nodes for all USERs."
                                        << "";
}

void tst_CommandsMemo::givenActions()
{
    QFETCH(int, row);
    QFETCH(QString, command);
    QFETCH(QString, action);
    const Rows rows = commandsMemoRows();
    QCOMPARE(rows.at(row).first, command);
    QCOMPARE(rows.at(row).second, action);
}

// REply goes on in the next row's ACTION cell, SEND in the COMMAND cell after it, SET/WIDTH in the
// ACTION cell of "SET/WIDTH XX": the first half reads on into the second.
void tst_CommandsMemo::splitDescriptions()
{
    const Rows rows = commandsMemoRows();
    QCOMPARE(rows.at(ContinuedReplyRow - 1).first, QStringLiteral("REply"));
    QCOMPARE(rows.at(ContinuedReplyRow).first, QString());
    QCOMPARE(rows.at(SendClosingRow - 1).first, QStringLiteral("SEND"));
    QCOMPARE(rows.at(62).first, QStringLiteral("SET/WIDTH"));
    for (int firstHalf : {ContinuedReplyRow - 1, SendClosingRow - 1, 62}) {
        const QString opening = rows.at(firstHalf).second;
        QVERIFY2(!opening.isEmpty() && !opening.endsWith(u'.'), qPrintable(opening));
    }
    QVERIFY(rows.at(ContinuedReplyRow).second.front().isLower());
    QVERIFY(rows.at(ContinuedReplyRow).second.endsWith(u'.'));
}

void tst_CommandsMemo::everyCommandDescribed()
{
    const Rows rows = commandsMemoRows();
    for (qsizetype row = 0; row < rows.size(); ++row) {
        if (isContinuation(row))
            continue;
        const auto& [command, action] = rows.at(row);
        QVERIFY2(!action.trimmed().isEmpty(), qPrintable(command));
        QVERIFY2(!action.contains(u'\n') && !action.contains(u'\r'), qPrintable(command));
    }
}

void tst_CommandsMemo::usStateTwice()
{
    QStringList descriptions;
    for (const auto& [command, action] : commandsMemoRows()) {
        if (command == u"SET/USSTATE")
            descriptions << action;
    }
    QCOMPARE(descriptions.size(), 2);
    QVERIFY(descriptions.first() != descriptions.last());
}

// The window's titles stay; the rows come in as read-only cells, and filling again changes nothing.
void tst_CommandsMemo::fillsTable()
{
    QTableWidget table(0, 2);
    table.setHorizontalHeaderLabels({QStringLiteral("COMMAND"), QStringLiteral("ACTION")});
    fillCommandsMemo(&table);
    fillCommandsMemo(&table);

    QCOMPARE(table.columnCount(), 2);
    QCOMPARE(table.horizontalHeaderItem(0)->text(), QStringLiteral("COMMAND"));
    QCOMPARE(table.horizontalHeaderItem(1)->text(), QStringLiteral("ACTION"));
    const Rows rows = commandsMemoRows();
    QCOMPARE(table.rowCount(), rows.size());
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column : {0, 1}) {
            const QTableWidgetItem* cell = table.item(row, column);
            QVERIFY(cell);
            QCOMPARE(cell->text(), column == 0 ? rows.at(row).first : rows.at(row).second);
            QVERIFY(!(cell->flags() & Qt::ItemIsEditable));
        }
    }
}

QTEST_MAIN(tst_CommandsMemo)
#include "tst_CommandsMemo.moc"
