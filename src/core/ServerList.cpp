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
    const auto file = readDataFile(path);
    if (!file)
        return ServerListText::readError;
    for (QString line : file->lines) {
        list.names.append(NextField(line, u','));
        list.addresses.append(NextField(line, u','));
        list.ports.append(NextField(line, u','));
    }
    if (file->readFailed)
        return ServerListText::readError;
    return std::nullopt;
}
