#include "ServerList.h"

#include "DataFile.h"
#include "NextField.h"

#include <QFile>

std::optional<QString> LoadServerList(const QString& path, ServerList& list)
{
    list = {};
    if (!QFile::exists(path)) {
        QFile(path).open(QIODevice::WriteOnly);
        return std::nullopt;
    }
    const DataFileRead read = readDataFile(path, [&list](QString line) {
        list.names.append(NextField(line, u','));
        list.addresses.append(NextField(line, u','));
        list.ports.append(NextField(line, u','));
        return true;
    });
    if (read != DataFileRead::Read)
        return ServerListText::readError;
    return std::nullopt;
}
