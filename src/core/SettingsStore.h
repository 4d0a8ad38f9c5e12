#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <stdexcept>

// A settings value that cannot be read, or a write that did not reach the store. The window's
// error hook shows the message.
class SettingsError final : public std::runtime_error
{
public:
    explicit SettingsError(const QString& message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};

namespace SettingsText {
inline const QString invalidDataType = QStringLiteral("Invalid data type for '%1'");
inline const QString cannotWrite = QStringLiteral("Cannot write the settings file '%1': %2");
inline const QString cannotRestrict = QStringLiteral("Cannot make '%1' private to its owner: %2");
} // namespace SettingsText

// One stored value: its name and what it reads as when it is absent.
struct TextSetting
{
    QString name;
    QString fallback;
};

struct IntegerSetting
{
    QString name;
    int fallback = 0;
};

struct BoolSetting
{
    QString name;
    bool fallback = false;
};

// Every section, value name and default of the program; nothing else spells them. All values live
// in DefaultSection; StationSection is created at start-up and never holds a value.
namespace SettingsKeys {
inline const QString DefaultSection = QStringLiteral("Default");
inline const QString StationSection = QStringLiteral("Station");

// What a macro button that is not programmed shows as its caption and its hint.
inline const QString NotProgrammedName = QStringLiteral("Not programmed");
inline const QString NotProgrammedHint = QStringLiteral("This button is not programmed");

inline const TextSetting Indicatif{QStringLiteral("Indicatif"), QStringLiteral("Callsign")};
inline const TextSetting Prenom{QStringLiteral("Prenom"), QStringLiteral("Name")};
inline const TextSetting Village{QStringLiteral("Village"), QStringLiteral("City")};
inline const TextSetting Locator{QStringLiteral("Locator"), QStringLiteral("Locator")};
inline const TextSetting Password{QStringLiteral("Password"), QStringLiteral("*****")};
inline const TextSetting Serveur{QStringLiteral("Serveur"), {}};
inline const TextSetting Adresse{QStringLiteral("Adresse"), {}};
inline const TextSetting Port{QStringLiteral("Port"), {}};
inline const TextSetting AlertSound{QStringLiteral("AlertSound"), {}};
inline const BoolSetting SoundOnOff{QStringLiteral("SoundOnOff"), false};
inline const IntegerSetting Left{QStringLiteral("Left"), 100};
inline const IntegerSetting Top{QStringLiteral("Top"), 100};
inline const IntegerSetting Width{QStringLiteral("Width"), 760};
inline const IntegerSetting Height{QStringLiteral("Height"), 690};

constexpr int AlertCount = 3;
constexpr int MacroButtonCount = 4;

// "Alert1" … "Alert3", empty by default.
TextSetting Alert(int number);
// "BtnName1" … "BtnName4", NotProgrammedName by default.
TextSetting BtnName(int number);
// "BtnCmd1" … "BtnCmd4" as the button's hint: NotProgrammedHint by default.
TextSetting BtnCmd(int number);
// The same value as the macro editor shows it: empty by default.
TextSetting BtnCmdInEditor(int number);
// "BtnPrg1" … "BtnPrg4": whether the button is programmed, false by default.
BoolSetting BtnPrg(int number);
} // namespace SettingsKeys

// The values the program keeps between runs, as texts in sections, read and written with the rules
// the window relies on. Every write lands in the store before it returns, or throws SettingsError.
// A store kept in an INI file is readable and writable by its owner only, like the folder holding
// it (the file holds the cluster password in clear text).
class SettingsStore final
{
public:
    // The current user's store: on Windows the registry key HKEY_CURRENT_USER\Software\QERNO
    // Software\KORVANE, on macOS the user's preferences, elsewhere the INI file
    // "QERNO Software/KORVANE.conf" in the user's configuration folder (~/.config).
    SettingsStore();
    // The INI file at iniPath, created with its folder on the first write.
    explicit SettingsStore(const QString& iniPath);
    Q_DISABLE_COPY_MOVE(SettingsStore)
    ~SettingsStore();

    // The INI file's path, or the registry path of the user's store on Windows.
    QString fileName() const { return m_location; }

    // Creates the section when absent. An INI file keeps it as a bare "[section]" header while it
    // holds no value; in the registry a section appears with its first value.
    void CreateKey(const QString& section);

    // The stored text when the value exists (an empty one included), else fallback.
    QString ReadString(const QString& section, const QString& name, const QString& fallback) const;
    // The stored text as a signed 32-bit decimal number, blanks and control characters around it
    // ignored; fallback when the value is absent, empty, not such a number or out of range.
    int ReadInteger(const QString& section, const QString& name, int fallback) const;
    // True when the stored number is not 0; fallback when there is no number.
    bool ReadBool(const QString& section, const QString& name, bool fallback) const;

    // Stores the text exactly as given.
    void WriteString(const QString& section, const QString& name, const QString& text);
    // Stores the decimal text of number.
    void WriteInteger(const QString& section, const QString& name, int number);
    // Stores "1" for true, "0" for false.
    void WriteBool(const QString& section, const QString& name, bool flag);

    // The same operations on a value of DefaultSection, with its own default.
    QString ReadString(const TextSetting& setting) const;
    int ReadInteger(const IntegerSetting& setting) const;
    bool ReadBool(const BoolSetting& setting) const;
    void WriteString(const TextSetting& setting, const QString& text);
    void WriteInteger(const IntegerSetting& setting, int number);
    void WriteBool(const BoolSetting& setting, bool flag);

private:
    SettingsStore(QString location, QSettings::Format format);

    std::optional<QString> storedText(const QString& section, const QString& name) const;
    void sync();
    void keepPrivateToOwner() const;
    void keepCreatedSections() const;
    bool inIniFile() const { return m_format == QSettings::IniFormat; }

    QString m_location;
    QSettings::Format m_format;
    std::unique_ptr<QSettings> m_settings;
    QStringList m_createdSections;
};
