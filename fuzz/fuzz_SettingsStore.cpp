// The settings reader on any INI text: every known value read as text, number and flag. A read
// either gives a value or fails with the store's own error naming the value; reading never changes
// the file.

#include "FuzzKit.h"

#include "SettingsStore.h"

#include <QStringList>

namespace {

QStringList knownNames()
{
    using namespace SettingsKeys;
    QStringList names;
    for (const TextSetting& text :
         {Indicatif, Prenom, Village, Locator, Password, Serveur, Adresse, Port, AlertSound})
        names << text.name;
    for (const IntegerSetting& number : {Left, Top, Width, Height})
        names << number.name;
    names << SoundOnOff.name;
    for (int n = 1; n <= AlertCount; ++n)
        names << Alert(n).name;
    for (int n = 1; n <= MacroButtonCount; ++n)
        names << BtnName(n).name << BtnCmd(n).name << BtnPrg(n).name;
    return names;
}

// Whether each kind of read succeeds; the failure must be the store's error about this value.
template<typename Read> bool reads(Read read, const QString& name)
{
    try {
        read();
        return true;
    } catch (const SettingsError& error) {
        require(error.message() == SettingsText::invalidDataType.arg(name), "the error names the value");
        return false;
    }
}

void readEveryValue(const SettingsStore& store)
{
    static const QStringList names = knownNames();
    for (const QString& section : {SettingsKeys::DefaultSection, SettingsKeys::StationSection}) {
        for (const QString& name : names) {
            const bool asText = reads([&] { store.ReadString(section, name, {}); }, name);
            const bool asNumber = reads([&] { store.ReadInteger(section, name, 0); }, name);
            const bool asFlag = reads([&] { store.ReadBool(section, name, false); }, name);
            require(asText == asNumber && asText == asFlag, "every kind of read agrees on a value");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A name of its own for each input: QSettings caches a file it read by name, size and time.
    static int inputNumber = 0;
    const QByteArrayView text(data, qsizetype(size));
    const QString path = inputFile(QStringLiteral("settings-%1.ini").arg(++inputNumber), text);
    {
        const SettingsStore store(path);
        readEveryValue(store);
    }
    QFile file(path);
    require(file.open(QIODevice::ReadOnly) && file.readAll() == text, "reading leaves the file as it was");
    file.remove();
    return 0;
}
