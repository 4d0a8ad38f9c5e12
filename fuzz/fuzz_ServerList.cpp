// The server list file on any text: three fields per line, the lists always of one length.

#include "FuzzKit.h"

#include "ServerList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ServerList list;
    const auto message = LoadServerList(inputFile(ServerListText::fileName, {data, qsizetype(size)}), list);
    require(!message, "a file that is there reads");
    require(list.names.size() == list.addresses.size() && list.names.size() == list.ports.size(),
            "every line gives a name, an address and a port");
    for (const QString& name : list.names)
        require(!name.contains(u'\r') && !name.contains(u'\n'), "a name holds no line end");
    return 0;
}
