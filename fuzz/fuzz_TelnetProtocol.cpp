// The telnet decoder with our option table on any bytes a node may send, in blocks of random sizes.
// The data bytes it delivers and the answers it writes must not depend on the cut into blocks; and
// what we send, decoded again, gives back our bytes.

#include "FuzzKit.h"

#include "TelnetProtocol.h"

namespace {

struct Decoded
{
    QByteArray data;
    QByteArray answers;
};

Decoded decoded(const QList<QByteArrayView>& blocks)
{
    Decoded out;
    TelnetProtocol telnet("JN18du", [&out](QByteArrayView wire) { out.answers += wire; });
    for (const QByteArrayView block : blocks)
        out.data += telnet.receive(block);
    return out;
}

QByteArray sentOnTheWire(QByteArrayView data)
{
    QByteArray wire;
    TelnetProtocol telnet({}, [&wire](QByteArrayView bytes) { wire += bytes; });
    telnet.send(data);
    return wire;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SeededInput input = seededInput(data, size);
    const Decoded whole = decoded({input.bytes});
    const Decoded cut = decoded(cutIntoBlocks(input.bytes, input.seed));
    require(cut.data == whole.data, "the data bytes do not depend on the cut into blocks");
    require(cut.answers == whole.answers, "the answers do not depend on the cut into blocks");
    require(decoded({sentOnTheWire(input.bytes)}).data == input.bytes, "what we send reads back as sent");
    return 0;
}
