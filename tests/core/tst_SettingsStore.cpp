#include "SettingsStore.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace SettingsKeys;

namespace {

constexpr QFile::Permissions OwnerOnlyFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions OwnerOnlyFolder = OwnerOnlyFile | QFile::ExeOwner;
constexpr QFile::Permissions Wide =
    OwnerOnlyFolder | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

// The mode bits of path, without Qt's flags for the current user.
QFile::Permissions modeOf(const QString& path)
{
    return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

// The message of the SettingsError that action throws, or nothing.
std::optional<QString> settingsError(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SettingsError& error) {
        return error.message();
    }
    return std::nullopt;
}

#ifdef Q_OS_UNIX
// While it lives, no file may grow past limit bytes: writes fail as on a full disk.
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit lowered{limit, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

private:
    rlimit m_saved{};
};
#endif

} // namespace

class tst_SettingsStore final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void readStringGivesTheStoredTextOrTheDefault_data();
    void readStringGivesTheStoredTextOrTheDefault();
    void readIntegerTakesSigned32BitDecimals_data();
    void readIntegerTakesSigned32BitDecimals();
    void readBoolIsTrueForAnyNumberButZero_data();
    void readBoolIsTrueForAnyNumberButZero();
    void numbersAndFlagsAreStoredAsDecimalText();
    void textsRoundTripExactly_data();
    void textsRoundTripExactly();
    void aValueThatIsNotTextFailsToRead_data();
    void aValueThatIsNotTextFailsToRead();
    void firstRunReadsTheProgramsDefaults();

    void createdSectionsStayInTheFile();
    void theStoreIsPrivateToItsOwner_data();
    void theStoreIsPrivateToItsOwner();
    void theUserStoreLivesInTheConfigurationFolder();
    void aFailedWriteThrowsNamingTheFile_data();
    void aFailedWriteThrowsNamingTheFile();
    void aFullDiskFailsOneWriteOnly();

private:
    // The store's file inside the program's own folder, under a folder of the test.
    QString storePath() const { return m_dir->filePath(u"QERNO Software/KORVANE.conf"_qs); }
    void writeRawStore(const QByteArray& content);
    SettingsStore fromDisk();

    std::optional<QTemporaryDir> m_dir;
    int m_copies = 0;
};

void tst_SettingsStore::init()
{
#ifdef Q_OS_UNIX
    umask(022);
#endif
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
}

void tst_SettingsStore::writeRawStore(const QByteArray& content)
{
    QVERIFY(QDir().mkpath(QFileInfo(storePath()).path()));
    QVERIFY(writeFile(storePath(), content));
}

// A store over a copy of the file: QSettings shares what it has read or written among the stores
// of one file, so only a store of another file reads what really is on disk.
SettingsStore tst_SettingsStore::fromDisk()
{
    const QString copy = m_dir->filePath(u"copy%1.conf"_qs.arg(++m_copies));
    if (QFile::exists(storePath()) && !QFile::copy(storePath(), copy))
        qFatal("cannot copy the settings file");
    return SettingsStore(copy);
}

void tst_SettingsStore::readStringGivesTheStoredTextOrTheDefault_data()
{
    QTest::addColumn<std::optional<QString>>("stored");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("read");
    QTest::newRow("absent, empty default") << std::optional<QString>() << QString() << QString();
    QTest::newRow("absent, a default") << std::optional<QString>() << u"Callsign"_qs << u"Callsign"_qs;
    QTest::newRow("stored empty, empty default") << std::optional(QString()) << QString() << QString();
    QTest::newRow("stored empty beats a default") << std::optional(QString()) << u"Callsign"_qs << QString();
    QTest::newRow("stored, empty default") << std::optional(u"F4ABC"_qs) << QString() << u"F4ABC"_qs;
    QTest::newRow("stored, a default") << std::optional(u"F4ABC"_qs) << u"Callsign"_qs << u"F4ABC"_qs;
}

void tst_SettingsStore::readStringGivesTheStoredTextOrTheDefault()
{
    QFETCH(std::optional<QString>, stored);
    QFETCH(QString, fallback);
    QFETCH(QString, read);
    if (stored)
        SettingsStore(storePath()).WriteString(DefaultSection, u"Indicatif"_qs, *stored);
    const SettingsStore store = fromDisk();
    QCOMPARE(store.ReadString(DefaultSection, u"Indicatif"_qs, fallback), read);
    QCOMPARE(store.ReadString(StationSection, u"Indicatif"_qs, fallback), fallback);
}

void tst_SettingsStore::readIntegerTakesSigned32BitDecimals_data()
{
    QTest::addColumn<std::optional<QString>>("stored");
    QTest::addColumn<int>("read");
    const auto row = [](const char* name, const QString& stored, int read) {
        QTest::newRow(name) << std::optional(stored) << read;
    };
    QTest::newRow("absent") << std::optional<QString>() << 100;
    row("plain", u"760"_qs, 760);
    row("zero", u"0"_qs, 0);
    row("negative", u"-17"_qs, -17);
    row("plus sign", u"+5"_qs, 5);
    row("leading zeros", u"007"_qs, 7);
    row("largest", u"2147483647"_qs, 2147483647);
    row("smallest", u"-2147483648"_qs, -2147483647 - 1);
    row("blanks around are ignored", u"  12 "_qs, 12);
    row("control characters around are ignored", u"\t12\r\n"_qs, 12);
    row("empty", QString(), 100);
    row("only blanks", u"   "_qs, 100);
    row("not a number", u"abc"_qs, 100);
    row("trailing letters", u"12px"_qs, 100);
    row("inner blank", u"1 2"_qs, 100);
    row("decimal point", u"1.5"_qs, 100);
    row("hexadecimal", u"0x10"_qs, 100);
    row("exponent", u"1e3"_qs, 100);
    row("lone sign", u"-"_qs, 100);
    row("two signs", u"--5"_qs, 100);
    row("group separator", u"1,000"_qs, 100);
    row("just past the largest", u"2147483648"_qs, 100);
    row("just past the smallest", u"-2147483649"_qs, 100);
    row("far out of range", u"99999999999999999999"_qs, 100);
}

void tst_SettingsStore::readIntegerTakesSigned32BitDecimals()
{
    QFETCH(std::optional<QString>, stored);
    QFETCH(int, read);
    SettingsStore store(storePath());
    if (stored)
        store.WriteString(DefaultSection, Left.name, *stored);
    QCOMPARE(store.ReadInteger(DefaultSection, Left.name, 100), read);
}

void tst_SettingsStore::readBoolIsTrueForAnyNumberButZero_data()
{
    QTest::addColumn<std::optional<QString>>("stored");
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<bool>("read");
    QTest::newRow("1") << std::optional(u"1"_qs) << false << true;
    QTest::newRow("0") << std::optional(u"0"_qs) << true << false;
    QTest::newRow("2") << std::optional(u"2"_qs) << false << true;
    QTest::newRow("-1") << std::optional(u"-1"_qs) << false << true;
    QTest::newRow("0 in blanks") << std::optional(u" 0 "_qs) << true << false;
    QTest::newRow("absent, default true") << std::optional<QString>() << true << true;
    QTest::newRow("absent, default false") << std::optional<QString>() << false << false;
    QTest::newRow("empty, default true") << std::optional(QString()) << true << true;
    QTest::newRow("not a number, default false") << std::optional(u"true"_qs) << false << false;
    QTest::newRow("not a number, default true") << std::optional(u"yes"_qs) << true << true;
}

void tst_SettingsStore::readBoolIsTrueForAnyNumberButZero()
{
    QFETCH(std::optional<QString>, stored);
    QFETCH(bool, fallback);
    QFETCH(bool, read);
    SettingsStore store(storePath());
    if (stored)
        store.WriteString(DefaultSection, SoundOnOff.name, *stored);
    QCOMPARE(store.ReadBool(DefaultSection, SoundOnOff.name, fallback), read);
}

void tst_SettingsStore::numbersAndFlagsAreStoredAsDecimalText()
{
    {
        SettingsStore store(storePath());
        store.WriteInteger(Left, -42);
        store.WriteInteger(Width, 2147483647);
        store.WriteBool(SoundOnOff, true);
        store.WriteBool(BtnPrg(1), false);
    }
    const SettingsStore store = fromDisk();
    QCOMPARE(store.ReadString(DefaultSection, Left.name, {}), u"-42"_qs);
    QCOMPARE(store.ReadString(DefaultSection, Width.name, {}), u"2147483647"_qs);
    QCOMPARE(store.ReadString(DefaultSection, SoundOnOff.name, {}), u"1"_qs);
    QCOMPARE(store.ReadString(DefaultSection, BtnPrg(1).name, {}), u"0"_qs);
    QCOMPARE(store.ReadInteger(Left), -42);
    QVERIFY(store.ReadBool(SoundOnOff));
    QVERIFY(contentOf(storePath()).contains("Left=-42\n"));
}

void tst_SettingsStore::textsRoundTripExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("blanks around") << u" x "_qs;
    QTest::newRow("only a blank") << u" "_qs;
    QTest::newRow("tab and line breaks around") << u"\tx\r\n"_qs;
    QTest::newRow("comma") << u"a, b"_qs;
    QTest::newRow("trailing comma") << u"a,"_qs;
    QTest::newRow("double quotes") << u"say \"hi\""_qs;
    QTest::newRow("quoted already") << u"\"a, b\""_qs;
    QTest::newRow("semicolon") << u"a;b ; comment?"_qs;
    QTest::newRow("hash") << u"#not a comment"_qs;
    QTest::newRow("equals sign") << u"a=b"_qs;
    QTest::newRow("backslashes") << u"C:\\Sounds\\new.wav"_qs;
    QTest::newRow("line breaks") << u"line 1\r\nline 2\nline 3\r"_qs;
    QTest::newRow("section header") << u"[Station]"_qs;
    QTest::newRow("variant look-alike") << u"@Variant(\\0\\0\\0\\x2)"_qs;
    QTest::newRow("at sign") << u"@"_qs;
    QTest::newRow("non-Latin") << u"Žluťoučký кот 日本語 🙂"_qs;
    QTest::newRow("control character") << u"a\x01z"_qs;
}

void tst_SettingsStore::textsRoundTripExactly()
{
    QFETCH(QString, text);
    SettingsStore(storePath()).WriteString(AlertSound, text);
    QCOMPARE(fromDisk().ReadString(AlertSound), text);
}

void tst_SettingsStore::aValueThatIsNotTextFailsToRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("line"); // %1 stands for the name
    const QList<std::pair<const char*, QByteArray>> kinds = {
        {"list", "%1=a, b"},
        {"list of one", "%1=7,"},
        {"typed number", "%1=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)"},
        {"bytes", "%1=@ByteArray(100)"},
        {"rectangle", "%1=@Rect(1 2 3 4)"},
        {"invalid", "%1=@Invalid()"},
        {"sub-group", "%1\\x=100"},
    };
    // One key of each kind: text, integer, boolean.
    for (const QString& name : {Village.name, Left.name, SoundOnOff.name}) {
        for (const auto& [kind, line] : kinds)
            QTest::addRow("%s, %s", qPrintable(name), kind) << name << line;
    }
}

void tst_SettingsStore::aValueThatIsNotTextFailsToRead()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, line);
    writeRawStore("[Default]\n" + QString::fromLatin1(line).arg(name).toLatin1() + "\nTop=5\n");
    SettingsStore store(storePath());
    const QString message = u"Invalid data type for '%1'"_qs.arg(name);
    QCOMPARE(settingsError([&] { store.ReadString(DefaultSection, name, u"x"_qs); }), message);
    QCOMPARE(settingsError([&] { store.ReadInteger(DefaultSection, name, 100); }), message);
    QCOMPARE(settingsError([&] { store.ReadBool(DefaultSection, name, true); }), message);
    QCOMPARE(store.ReadInteger(Top), 5);

    store.WriteString(DefaultSection, name, u"1"_qs);
    QCOMPARE(fromDisk().ReadInteger(DefaultSection, name, 100), 1);
}

void tst_SettingsStore::firstRunReadsTheProgramsDefaults()
{
    const SettingsStore store(storePath());
    QCOMPARE(store.ReadString(Indicatif), u"Callsign"_qs);
    QCOMPARE(store.ReadString(Prenom), u"Name"_qs);
    QCOMPARE(store.ReadString(Village), u"City"_qs);
    QCOMPARE(store.ReadString(Locator), u"Locator"_qs);
    QCOMPARE(store.ReadString(Password), u"*****"_qs);
    QCOMPARE(store.ReadString(Serveur), QString());
    QCOMPARE(store.ReadString(Alert(3)), QString());
    QCOMPARE(store.ReadBool(SoundOnOff), false);
    QCOMPARE(store.ReadInteger(Left), 100);
    QCOMPARE(store.ReadInteger(Top), 100);
    QCOMPARE(store.ReadInteger(Width), 760);
    QCOMPARE(store.ReadInteger(Height), 690);
    QCOMPARE(store.ReadString(BtnName(4)), u"Not programmed"_qs);
    QCOMPARE(store.ReadString(BtnCmd(4)), u"This button is not programmed"_qs);
    QCOMPARE(store.ReadString(BtnCmdInEditor(4)), QString());
    QCOMPARE(store.ReadBool(BtnPrg(4)), false);
    QVERIFY(!QFile::exists(storePath()));
}

void tst_SettingsStore::createdSectionsStayInTheFile()
{
    const auto headerCount = [this](const QByteArray& header) {
        return contentOf(storePath()).split('\n').count(header);
    };
    {
        SettingsStore store(storePath());
        store.CreateKey(DefaultSection);
        store.CreateKey(StationSection);
        store.CreateKey(StationSection);
        QCOMPARE(headerCount("[Default]"), 1);
        QCOMPARE(headerCount("[Station]"), 1);

        store.WriteString(Indicatif, u"F4ABC"_qs);
        store.WriteString(Prenom, u"Anne"_qs);
        QCOMPARE(headerCount("[Default]"), 1);
        QCOMPARE(headerCount("[Station]"), 1);
    }
    SettingsStore store(storePath());
    QCOMPARE(store.ReadString(Indicatif), u"F4ABC"_qs);
    store.CreateKey(StationSection);
    store.WriteString(Village, u"Lyon"_qs);
    QCOMPARE(headerCount("[Station]"), 1);
    QCOMPARE(store.ReadString(StationSection, Indicatif.name, {}), QString());
}

void tst_SettingsStore::theStoreIsPrivateToItsOwner_data()
{
    QTest::addColumn<bool>("existsWide");
    QTest::newRow("created by the store") << false;
    QTest::newRow("found with wider rights") << true;
}

void tst_SettingsStore::theStoreIsPrivateToItsOwner()
{
#ifndef Q_OS_UNIX
    QSKIP("owner-only rights are POSIX modes");
#endif
    QFETCH(bool, existsWide);
    const QString folder = QFileInfo(storePath()).path();
    QVERIFY(QFile::setPermissions(m_dir->path(), Wide));
    if (existsWide) {
        writeRawStore("[Default]\nPassword=secret\n");
        QVERIFY(QFile::setPermissions(folder, Wide));
        QVERIFY(QFile::setPermissions(storePath(), OwnerOnlyFile | QFile::ReadGroup | QFile::ReadOther));
    }

    SettingsStore store(storePath());
    store.CreateKey(DefaultSection);
    QCOMPARE(modeOf(storePath()), OwnerOnlyFile);
    QCOMPARE(modeOf(folder), OwnerOnlyFolder);
    for (int write = 1; write <= 3; ++write) {
        store.WriteString(Indicatif, u"F4ABC/"_qs + QString::number(write));
        QCOMPARE(modeOf(storePath()), OwnerOnlyFile);
        QCOMPARE(modeOf(folder), OwnerOnlyFolder);
    }
    QCOMPARE(modeOf(m_dir->path()), Wide);
    QCOMPARE(fromDisk().ReadString(Password), existsWide ? u"secret"_qs : u"*****"_qs);
}

void tst_SettingsStore::theUserStoreLivesInTheConfigurationFolder()
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    QSKIP("the user's store is the registry or the preferences here");
#endif
    const std::optional<QByteArray> configHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME")
                                                     ? std::optional(qgetenv("XDG_CONFIG_HOME"))
                                                     : std::nullopt;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->path()));
    SettingsStore store;
    configHome ? qputenv("XDG_CONFIG_HOME", *configHome) : qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(store.fileName(), storePath());

    QVERIFY(QFile::setPermissions(m_dir->path(), Wide));
    store.WriteString(Indicatif, u"F4ABC"_qs);
    QCOMPARE(fromDisk().ReadString(Indicatif), u"F4ABC"_qs);
    QCOMPARE(modeOf(m_dir->path()), Wide);
}

void tst_SettingsStore::aFailedWriteThrowsNamingTheFile_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<bool>("blockerIsFolder");
    const QString usual = u"QERNO Software/KORVANE.conf"_qs;
    QTest::newRow("its folder is a file") << usual << u"QERNO Software"_qs << false;
    QTest::newRow("a folder above is a file")
        << u"plain/QERNO Software/KORVANE.conf"_qs << u"plain"_qs << false;
    QTest::newRow("the file is a folder") << usual << usual << true;
}

void tst_SettingsStore::aFailedWriteThrowsNamingTheFile()
{
    QFETCH(QString, store);
    QFETCH(QString, blocker);
    QFETCH(bool, blockerIsFolder);
    QVERIFY(blockerIsFolder ? QDir().mkpath(m_dir->filePath(blocker))
                            : writeFile(m_dir->filePath(blocker), "x"));

    const QString path = m_dir->filePath(store);
    SettingsStore settings(path);
    const auto message = settingsError([&] { settings.WriteString(Indicatif, u"F4ABC"_qs); });
    QVERIFY(message);
    QVERIFY2(message->startsWith(u"Cannot write the settings file '"_qs + path + u"': "_qs),
             qPrintable(*message));
    QVERIFY(settingsError([&] { settings.CreateKey(StationSection); }));
}

void tst_SettingsStore::aFullDiskFailsOneWriteOnly()
{
#ifndef Q_OS_UNIX
    QSKIP("the full disk is played by a POSIX file size limit");
#else
    SettingsStore store(storePath());
    store.WriteString(Indicatif, u"F4ABC"_qs);
    {
        const FileSizeLimit fullDisk(16);
        const auto message = settingsError([&] { store.WriteString(Prenom, QString(200, u'a')); });
        QCOMPARE(message,
                 u"Cannot write the settings file '"_qs + storePath() + u"': access denied or disk full"_qs);
    }
    QVERIFY(contentOf(storePath()).contains("Indicatif=F4ABC"));
    QVERIFY(!contentOf(storePath()).contains("Prenom"));

    QCOMPARE(settingsError([&] { store.WriteString(Village, u"Lyon"_qs); }), std::nullopt);
    const SettingsStore stored = fromDisk();
    QCOMPARE(stored.ReadString(Indicatif), u"F4ABC"_qs);
    QCOMPARE(stored.ReadString(Village), u"Lyon"_qs);
#endif
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
