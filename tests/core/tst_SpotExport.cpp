#include "SpotExport.h"
#include "TestFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QStringList HeaderRow{u"UTC"_qs,      u"CALLSIGN"_qs,     u"FREQUENCY"_qs, u"NOTIFIED BY"_qs,
                            u"COMMENTS"_qs, u"DXCC COUNTRY"_qs, u"PFX"_qs};

// text as UTF-16 little-endian code units, written out by hand so the test does not share the
// encoder of the code under test.
QByteArray utf16le(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes += char(c.unicode() & 0xff);
        bytes += char(c.unicode() >> 8);
    }
    return bytes;
}

QByteArray fileBytes(const QString& text)
{
    return "\xff\xfe" + utf16le(text);
}

std::optional<QString> exportError(const QString& path, const QList<QStringList>& rows)
{
    try {
        writeSpotFile(path, rows);
    } catch (const SpotExportError& error) {
        return error.message();
    }
    return std::nullopt;
}

} // namespace

class tst_SpotExport final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesTheFileByTheLocalDate_data();
    void namesTheFileByTheLocalDate();
    void writesEachCellByTheQuotingRules_data();
    void writesEachCellByTheQuotingRules();
    void writesUtf16WithBomAndCrLfAfterEveryLine();
    void writesTheHeaderRowThenTheSpots();
    void overwritesAnExistingFile();
    void aFailedWriteThrowsAndKeepsTheOldFile_data();
    void aFailedWriteThrowsAndKeepsTheOldFile();
};

void tst_SpotExport::namesTheFileByTheLocalDate_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("name");
    QTest::newRow("padded month and day") << QDate(2024, 3, 7) << u"20240307 - Spots.txt"_qs;
    QTest::newRow("last day of the year") << QDate(1999, 12, 31) << u"19991231 - Spots.txt"_qs;
}

void tst_SpotExport::namesTheFileByTheLocalDate()
{
    QFETCH(QDate, date);
    QFETCH(QString, name);
    QCOMPARE(spotFileName(date), name);
}

void tst_SpotExport::writesEachCellByTheQuotingRules_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << u"CQ DX"_qs << u"CQ DX"_qs;
    QTest::newRow("blanks kept") << u" 599 "_qs << u" 599 "_qs;
    QTest::newRow("empty") << QString() << u"\"\""_qs;
    QTest::newRow("comma") << u"tnx QSO, 73"_qs << u"\"tnx QSO, 73\""_qs;
    QTest::newRow("only a comma") << u","_qs << u"\",\""_qs;
    QTest::newRow("quote") << u"the \"big\" gun"_qs << u"\"the \"\"big\"\" gun\""_qs;
    QTest::newRow("only a quote") << u"\""_qs << u"\"\"\"\""_qs;
    QTest::newRow("quote and comma") << u"\"up 5\", pse"_qs << u"\"\"\"up 5\"\", pse\""_qs;
    QTest::newRow("cr lf and comma") << u"up 5,\r\nQRZ"_qs << u"\"up 5,\vQRZ\""_qs;
    // A line break written as such would split its row in two.
    QTest::newRow("cr lf alone") << u"up 5\r\nQRZ"_qs << u"up 5\vQRZ"_qs;
    QTest::newRow("cr lf and quote") << u"\"up\"\r\nQRZ"_qs << u"\"\"\"up\"\"\vQRZ\""_qs;
    QTest::newRow("lone lf") << u"up 5\nQRZ"_qs << u"up 5\vQRZ"_qs;
    QTest::newRow("lone cr and comma") << u"a,\rb"_qs << u"\"a,\vb\""_qs;
    QTest::newRow("lf cr is two breaks") << u"a\n\rb"_qs << u"a\v\vb"_qs;
    QTest::newRow("non-ASCII") << u"Česká Republika — 日本 🙂"_qs
                               << u"Česká Republika — 日本 🙂"_qs;
}

void tst_SpotExport::writesEachCellByTheQuotingRules()
{
    QFETCH(QString, cell);
    QFETCH(QString, written);
    QCOMPARE(spotFileBytes({{cell, u"end"_qs}}), fileBytes(written + u",end\r\n"_qs));
}

void tst_SpotExport::writesUtf16WithBomAndCrLfAfterEveryLine()
{
    const QByteArray expected("\xff\xfe"
                              "U\0T\0C\0,\0\xdc\0\r\0\n\0"
                              "\"\0\"\0\r\0\n\0",
                              24);
    QCOMPARE(spotFileBytes({{u"UTC"_qs, u"Ü"_qs}, {QString()}}), expected);
    QCOMPARE(spotFileBytes({}), QByteArray("\xff\xfe"));
}

void tst_SpotExport::writesTheHeaderRowThenTheSpots()
{
    const QList<QStringList> rows{
        HeaderRow,
        {u"1203Z"_qs, u"VK0EK"_qs, u"14025.0"_qs, u"F5XYZ"_qs, u"up 2, listening"_qs, u"Heard Island"_qs,
         u"VK0H"_qs},
        {u"1204Z"_qs, u"SV2ASP/A"_qs, u"7003.5"_qs, u"DL1ABC"_qs, QString(), u"Mount Athos"_qs, u"SV/a"_qs},
    };
    QCOMPARE(spotFileBytes(rows),
             fileBytes(u"UTC,CALLSIGN,FREQUENCY,NOTIFIED BY,COMMENTS,DXCC COUNTRY,PFX\r\n"
                       "1203Z,VK0EK,14025.0,F5XYZ,\"up 2, listening\",Heard Island,VK0H\r\n"
                       "1204Z,SV2ASP/A,7003.5,DL1ABC,\"\",Mount Athos,SV/a\r\n"_qs));
}

void tst_SpotExport::overwritesAnExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(spotFileName(QDate(2024, 3, 7)));
    writeSpotFile(path, {HeaderRow, {u"1203Z"_qs, u"VK0EK"_qs}, {u"1204Z"_qs, u"SV2ASP/A"_qs}});
    const QList<QStringList> shorter{HeaderRow};
    writeSpotFile(path, shorter);
    QCOMPARE(contentOf(path), spotFileBytes(shorter));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{spotFileName(QDate(2024, 3, 7))});
}

void tst_SpotExport::aFailedWriteThrowsAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("oldFile");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("readOnly");
    const QString spots = u"20240307 - Spots.txt"_qs;
    QTest::newRow("read-only folder") << spots << spots << QString() << true;
    QTest::newRow("missing folder") << u"missing/"_qs + spots << QString() << QString() << false;
    QTest::newRow("folder is a file") << u"plain/"_qs + spots << u"plain"_qs << QString() << false;
    QTest::newRow("name is a folder") << spots << QString() << spots << false;
    // No temporary file fits beside it, so the file cannot be replaced.
    const QString longName(250, u's');
    QTest::newRow("name too long to replace") << longName << longName << QString() << false;
}

void tst_SpotExport::aFailedWriteThrowsAndKeepsTheOldFile()
{
    QFETCH(QString, name);
    QFETCH(QString, oldFile);
    QFETCH(QString, folder);
    QFETCH(bool, readOnly);
    QTemporaryDir dir;
    const QByteArray old = "the spots of the last export";
    if (!oldFile.isEmpty())
        QVERIFY(writeFile(dir.filePath(oldFile), old));
    if (!folder.isEmpty())
        QVERIFY(QDir(dir.path()).mkdir(folder));
    const QFile::Permissions rights = QFile::permissions(dir.path());
    const auto restoreRights = qScopeGuard([&] { QFile::setPermissions(dir.path(), rights); });
    if (readOnly) {
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(dir.path()).isWritable())
            QSKIP("this user writes into read-only folders");
    }

    const QString path = dir.filePath(name);
    const QString prefix = u"Cannot write the file '"_qs + path + u"': "_qs;
    const std::optional<QString> message = exportError(path, {HeaderRow});
    QVERIFY(message);
    QVERIFY2(message->startsWith(prefix) && message->size() > prefix.size(), qPrintable(*message));
    if (!oldFile.isEmpty())
        QCOMPARE(contentOf(dir.filePath(oldFile)), old);
}

QTEST_GUILESS_MAIN(tst_SpotExport)
#include "tst_SpotExport.moc"
