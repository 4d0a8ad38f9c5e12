#pragma once

#include <QStringList>

#include <optional>

// The cluster nodes the user can pick from: three parallel lists, one entry per line of the file.
struct ServerList
{
    QStringList names;
    QStringList addresses;
    QStringList ports;
};

namespace ServerListText {
inline const QString fileName = QStringLiteral("Cluster.dta");
inline const QString readError = QStringLiteral("Error reading the file [Cluster.dta]");
} // namespace ServerListText

// Reads the server list file at path into list (emptied first): name, address and port per line.
// Creates an empty file when there is none. Returns the message to show when reading failed; the
// entries read before the failure stay in the list.
std::optional<QString> LoadServerList(const QString& path, ServerList& list);
