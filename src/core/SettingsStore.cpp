#include "SettingsStore.h"

#include "TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString Organisation = QStringLiteral("QERNO Software");
const QString Application = QStringLiteral("KORVANE");

// The registry on Windows and the preferences on macOS, an INI file elsewhere.
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
constexpr QSettings::Format UserFormat = QSettings::NativeFormat;
#else
constexpr QSettings::Format UserFormat = QSettings::IniFormat;
#endif

constexpr QFile::Permissions OwnerOnlyFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions OwnerOnlyFolder = OwnerOnlyFile | QFile::ExeOwner;

// Native, so that the file is named "KORVANE.conf" where the store is an INI file.
QString userStoreLocation()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, Organisation, Application).fileName();
}

QString numbered(const QString& name, int number, [[maybe_unused]] int count)
{
    Q_ASSERT(number >= 1 && number <= count);
    return name + QString::number(number);
}

// True when some key lies below group, that is when group names a section or a sub-group.
bool holdsGroup(const QSettings& settings, const QString& group)
{
    const QString prefix = group + u'/';
    const QStringList keys = settings.allKeys();
    return std::ranges::any_of(keys, [&prefix](const QString& key) { return key.startsWith(prefix); });
}

SettingsError writeFailed(const QString& path, const QString& reason)
{
    return SettingsError(SettingsText::cannotWrite.arg(path, reason));
}

void restrictToOwner(const QString& path, QFile::Permissions permissions)
{
    QFile entry(path);
    if (!entry.setPermissions(permissions))
        throw SettingsError(SettingsText::cannotRestrict.arg(path, entry.errorString()));
}

} // namespace

namespace SettingsKeys {

TextSetting Alert(int number)
{
    return {numbered(QStringLiteral("Alert"), number, AlertCount), {}};
}

TextSetting BtnName(int number)
{
    return {numbered(QStringLiteral("BtnName"), number, MacroButtonCount), NotProgrammedName};
}

TextSetting BtnCmd(int number)
{
    return {numbered(QStringLiteral("BtnCmd"), number, MacroButtonCount), NotProgrammedHint};
}

TextSetting BtnCmdInEditor(int number)
{
    return {BtnCmd(number).name, {}};
}

BoolSetting BtnPrg(int number)
{
    return {numbered(QStringLiteral("BtnPrg"), number, MacroButtonCount), false};
}

} // namespace SettingsKeys

SettingsStore::SettingsStore() : SettingsStore(userStoreLocation(), UserFormat) {}

SettingsStore::SettingsStore(const QString& iniPath) : SettingsStore(iniPath, QSettings::IniFormat) {}

SettingsStore::SettingsStore(QString location, QSettings::Format format)
    : m_location(std::move(location)), m_format(format),
      m_settings(std::make_unique<QSettings>(m_location, m_format))
{
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::CreateKey(const QString& section)
{
    if (!m_createdSections.contains(section))
        m_createdSections.append(section);
    sync();
}

QString SettingsStore::ReadString(const QString& section, const QString& name, const QString& fallback) const
{
    return storedText(section, name).value_or(fallback);
}

int SettingsStore::ReadInteger(const QString& section, const QString& name, int fallback) const
{
    bool isNumber = false;
    const int number = trimControls(ReadString(section, name, {})).toInt(&isNumber, 10);
    return isNumber ? number : fallback;
}

bool SettingsStore::ReadBool(const QString& section, const QString& name, bool fallback) const
{
    return ReadInteger(section, name, fallback ? 1 : 0) != 0;
}

void SettingsStore::WriteString(const QString& section, const QString& name, const QString& text)
{
    m_settings->setValue(section + u'/' + name, text);
    sync();
}

void SettingsStore::WriteInteger(const QString& section, const QString& name, int number)
{
    WriteString(section, name, QString::number(number));
}

void SettingsStore::WriteBool(const QString& section, const QString& name, bool flag)
{
    WriteString(section, name, flag ? QStringLiteral("1") : QStringLiteral("0"));
}

QString SettingsStore::ReadString(const TextSetting& setting) const
{
    return ReadString(SettingsKeys::DefaultSection, setting.name, setting.fallback);
}

int SettingsStore::ReadInteger(const IntegerSetting& setting) const
{
    return ReadInteger(SettingsKeys::DefaultSection, setting.name, setting.fallback);
}

bool SettingsStore::ReadBool(const BoolSetting& setting) const
{
    return ReadBool(SettingsKeys::DefaultSection, setting.name, setting.fallback);
}

void SettingsStore::WriteString(const TextSetting& setting, const QString& text)
{
    WriteString(SettingsKeys::DefaultSection, setting.name, text);
}

void SettingsStore::WriteInteger(const IntegerSetting& setting, int number)
{
    WriteInteger(SettingsKeys::DefaultSection, setting.name, number);
}

void SettingsStore::WriteBool(const BoolSetting& setting, bool flag)
{
    WriteBool(SettingsKeys::DefaultSection, setting.name, flag);
}

// Every read passes here: a value that is not plain text (a list, a typed @Variant, another
// registry type, or a sub-group of that name) cannot be read.
std::optional<QString> SettingsStore::storedText(const QString& section, const QString& name) const
{
    const QString key = section + u'/' + name;
    if (m_settings->contains(key)) {
        const QVariant value = m_settings->value(key);
        if (value.typeId() == QMetaType::QString)
            return value.toString();
    } else if (!holdsGroup(*m_settings, key)) {
        return std::nullopt;
    }
    throw SettingsError(SettingsText::invalidDataType.arg(name));
}

void SettingsStore::sync()
{
    if (inIniFile())
        keepPrivateToOwner();
    // QSettings keeps its first error for good; a fresh one, sharing the pending values, judges this
    // write on its own.
    if (m_settings->status() != QSettings::NoError)
        m_settings = std::make_unique<QSettings>(m_location, m_format);
    m_settings->sync();
    if (m_settings->status() == QSettings::AccessError)
        throw writeFailed(m_location, QStringLiteral("access denied or disk full"));
    if (inIniFile()) {
        keepCreatedSections();
        keepPrivateToOwner();
    }
}

// Creates the folder and an empty file with owner-only rights before QSettings first writes, so the
// file never exists with wider ones (QSettings keeps the rights of a file it replaces), and narrows
// them again afterwards. Only the folder holding the file is touched, never its parents.
void SettingsStore::keepPrivateToOwner() const
{
    const QString folder = QFileInfo(m_location).absolutePath();
    if (!QDir().mkpath(folder))
        throw writeFailed(m_location, QStringLiteral("its folder cannot be created"));
    restrictToOwner(folder, OwnerOnlyFolder);
    QFile file(m_location);
    if (!file.open(QIODevice::Append, OwnerOnlyFile))
        throw writeFailed(m_location, file.errorString());
    restrictToOwner(m_location, OwnerOnlyFile);
}

// QSettings writes no section without a value, so a created section that is still empty is added
// back as its bare header after each write.
void SettingsStore::keepCreatedSections() const
{
    QFile file(m_location);
    if (!file.open(QIODevice::ReadWrite))
        throw writeFailed(m_location, file.errorString());
    const QList<QByteArray> lines = file.readAll().split('\n');
    QByteArray headers;
    for (const QString& section : m_createdSections) {
        const QByteArray header = '[' + section.toUtf8() + ']';
        const auto isHeader = [&header](const QByteArray& line) {
            return line.trimmed() == header;
        };
        if (!holdsGroup(*m_settings, section) && std::ranges::none_of(lines, isHeader))
            headers += '\n' + header + '\n';
    }
    if (!headers.isEmpty() && file.write(headers) != headers.size())
        throw writeFailed(m_location, file.errorString());
}
