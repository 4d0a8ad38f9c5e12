#pragma once

#include <QList>
#include <QString>

#include <utility>

class QTableWidget;

// The rows of the "Commands memo" reference table: a cluster command (or command pattern) and a
// one-line description of it, in the order shown. A few descriptions run over two rows.
QList<std::pair<QString, QString>> commandsMemoRows();

// Fills a two-column table whose titles are already set with the memo rows, as read-only cells.
void fillCommandsMemo(QTableWidget* table);
