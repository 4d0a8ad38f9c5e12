#include "FixedInternetProbe.h"
#include "Main.h"
#include "MessageBox.h"
#include "RecordingSoundPlayer.h"
#include "SettingsStore.h"
#include "SplashFrm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Start-up in its order, the settings kept between runs, the server choice, and shutdown with the
// export of the spot list.
class tst_MainShell final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void firstRunShowsTheDefaults();
    void settingsComeBackAsStored();
    void trimmingRulesOnClose();
    void aNonTextValueIsReported();
    void serverChoiceFillsAddressAndPort();
    void startUpReadsTheServerListAndCreatesIt();
    void closingWithSpotsAsksAndExports();
    void closingWithoutSpotsAsksNothing();
    void aFileThatCannotBeWrittenKeepsTheWindowOpen();
    void startUpWithoutCountryTableWritesNothing();

private:
    template<typename T = QWidget> T* child(TTelForm& form, const char* name) const
    {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    std::unique_ptr<TTelForm> startWindow();
    QString settingsPath() const { return m_home->filePath(u"config/KORVANE.conf"_qs); }
    QStringList messageLines(TTelForm& form) const;
    bool close(TTelForm& form);

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<SettingsStore> m_settings;
    RecordingSoundPlayer m_sounds;
    FixedInternetProbe m_internet;
    QList<MessageRequest> m_asked;
    QMessageBox::StandardButton m_answer = QMessageBox::No;
};

void tst_MainShell::initTestCase()
{
    const TSplashForm splash; // BuildText
    setMessageResponder([this](const MessageRequest& request) {
        m_asked.append(request);
        return m_answer;
    });
}

void tst_MainShell::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QFile table(m_home->filePath(u"Dxcc.dta"_qs));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("JA,Japan,25,45,36.40,138.38,AS,339\r\n");
    table.close();
    QVERIFY(QDir::setCurrent(m_home->path()));
    m_settings = std::make_unique<SettingsStore>(settingsPath());
    m_asked.clear();
    m_answer = QMessageBox::No;
}

void tst_MainShell::cleanup()
{
    m_settings.reset();
    QDir::setCurrent(QDir::tempPath());
    m_home.reset();
}

std::unique_ptr<TTelForm> tst_MainShell::startWindow()
{
    auto form = std::make_unique<TTelForm>(FormServices{&m_sounds, &m_internet, m_settings.get(), [] {
                                                            return QDate(2026, 12, 11);
                                                        }});
    form->CreateForm();
    return form;
}

QStringList tst_MainShell::messageLines(TTelForm& form) const
{
    QStringList lines;
    const auto* pane = child<QListWidget>(form, "ErrorList");
    for (int i = 0; i < pane->count(); ++i)
        lines.append(pane->item(i)->text());
    return lines;
}

bool tst_MainShell::close(TTelForm& form)
{
    QCloseEvent event;
    QCoreApplication::sendEvent(&form, &event);
    return event.isAccepted();
}

void tst_MainShell::firstRunShowsTheDefaults()
{
    auto form = startWindow();
    QCOMPARE(child<QLineEdit>(*form, "INDEdit")->text(), u"Callsign"_qs);
    QCOMPARE(child<QLineEdit>(*form, "NOMEdit")->text(), u"Name"_qs);
    QCOMPARE(child<QLineEdit>(*form, "NAMEdit")->text(), u"Name"_qs);
    QCOMPARE(child<QLineEdit>(*form, "QTHEdit")->text(), u"City"_qs);
    QCOMPARE(child<QLineEdit>(*form, "LOCEdit")->text(), u"Locator"_qs);
    QCOMPARE(child<QLineEdit>(*form, "PASSEdit")->text(), u"*****"_qs);
    QCOMPARE(child<QLineEdit>(*form, "URLEdit")->text(), QString());
    QCOMPARE(child<QComboBox>(*form, "SERVCombo")->currentText(), QString());
    QVERIFY(!child<QCheckBox>(*form, "SoundCheck")->isChecked());
    QCOMPARE(form->pos(), QPoint(100, 100));
    for (const char* macro : {"ProgBtn1", "ProgBtn4"}) {
        QCOMPARE(child<QPushButton>(*form, macro)->text(), u"Not programmed"_qs);
        QCOMPARE(child<QPushButton>(*form, macro)->toolTip(), u"This button is not programmed"_qs);
        QVERIFY(!child(*form, macro)->isEnabled());
    }
    QCOMPARE(child<QLineEdit>(*form, "AlertEdit1")->text(), QString());
    // The store holds both sections from the first start on.
    QFile stored(settingsPath());
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const QByteArray text = stored.readAll();
    QVERIFY(text.contains("[Station]"));
    QCOMPARE(stored.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
}

void tst_MainShell::settingsComeBackAsStored()
{
    {
        auto form = startWindow();
        child<QLineEdit>(*form, "INDEdit")->setText(u"F4TST"_qs);
        child<QLineEdit>(*form, "NOMEdit")->setText(QString()); // emptied: comes back empty
        child<QLineEdit>(*form, "NAMEdit")->setText(u"typed only here"_qs);
        child<QLineEdit>(*form, "URLEdit")->setText(u"dx.example.net"_qs);
        child<QLineEdit>(*form, "PORTEdit")->setText(u"7300"_qs);
        child<QComboBox>(*form, "SERVCombo")->setEditText(u"My node"_qs);
        child<QCheckBox>(*form, "SoundCheck")->setChecked(true);
        child<QLineEdit>(*form, "AlertEdit2")->setText(u" JA1ABC "_qs);
        QVERIFY(close(*form));
    }
    auto form = startWindow();
    QCOMPARE(child<QLineEdit>(*form, "INDEdit")->text(), u"F4TST"_qs);
    QCOMPARE(child<QLineEdit>(*form, "NOMEdit")->text(), QString());
    QCOMPARE(child<QLineEdit>(*form, "NAMEdit")->text(), QString());
    QCOMPARE(child<QLineEdit>(*form, "URLEdit")->text(), u"dx.example.net"_qs);
    QCOMPARE(child<QLineEdit>(*form, "PORTEdit")->text(), u"7300"_qs);
    QCOMPARE(child<QComboBox>(*form, "SERVCombo")->currentText(), u"My node"_qs);
    QVERIFY(child<QCheckBox>(*form, "SoundCheck")->isChecked());
    QCOMPARE(child<QLineEdit>(*form, "AlertEdit2")->text(), u" JA1ABC "_qs);
    QVERIFY(m_asked.isEmpty());
}

void tst_MainShell::trimmingRulesOnClose()
{
    auto form = startWindow();
    child<QLineEdit>(*form, "QTHEdit")->setText(u"  Paris \t"_qs);
    child<QLineEdit>(*form, "PASSEdit")->setText(u" secret "_qs);
    child<QLineEdit>(*form, "WavNameEdit")->setText(u" /sounds/alert.wav "_qs);
    child<QLineEdit>(*form, "AlertEdit1")->setText(u" DL1ABC"_qs);
    QVERIFY(close(*form));
    using namespace SettingsKeys;
    QCOMPARE(m_settings->ReadString(Village), u"Paris"_qs);
    QCOMPARE(m_settings->ReadString(Password), u"secret"_qs);
    QCOMPARE(m_settings->ReadString(AlertSound), u" /sounds/alert.wav "_qs);
    QCOMPARE(m_settings->ReadString(Alert(1)), u" DL1ABC"_qs);
    QCOMPARE(m_settings->ReadInteger(Width), form->frameGeometry().width());
}

void tst_MainShell::aNonTextValueIsReported()
{
    m_settings->WriteString(SettingsKeys::Indicatif, u"F4TST"_qs);
    m_settings.reset();
    QFile stored(settingsPath());
    QVERIFY(stored.open(QIODevice::Append));
    stored.write("Village=Paris, Lyon\n"); // an INI list, not a text
    stored.close();
    m_settings = std::make_unique<SettingsStore>(settingsPath());

    auto form = startWindow();
    QCOMPARE(messageLines(*form).last(), u"Invalid data type for 'Village'"_qs);
    QCOMPARE(child<QLineEdit>(*form, "INDEdit")->text(), u"F4TST"_qs);
    // The rest of the start-up reads was skipped.
    QCOMPARE(child<QLineEdit>(*form, "PASSEdit")->text(), QString());
    QCOMPARE(child<QPushButton>(*form, "ProgBtn1")->text(), u"Not programmed"_qs);
}

void tst_MainShell::serverChoiceFillsAddressAndPort()
{
    QFile servers(m_home->filePath(u"Cluster.dta"_qs));
    QVERIFY(servers.open(QIODevice::WriteOnly));
    servers.write("Node A,a.example,7300\r\nNode B,b.example\r\nNode A,c.example,23\r\n");
    servers.close();
    auto form = startWindow();
    auto* combo = child<QComboBox>(*form, "SERVCombo");
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(2), u"Node A"_qs);
    child(*form, "ConnectBtn")->setEnabled(false);

    form->SERVComboChange(2);
    QCOMPARE(child<QLineEdit>(*form, "URLEdit")->text(), u"c.example"_qs);
    QCOMPARE(child<QLineEdit>(*form, "PORTEdit")->text(), u"23"_qs);
    QVERIFY(child(*form, "ConnectBtn")->isEnabled());
    form->SERVComboChange(1);
    QCOMPARE(child<QLineEdit>(*form, "PORTEdit")->text(), u"b.example"_qs);

    // Typing a name changes nothing.
    child(*form, "ConnectBtn")->setEnabled(false);
    combo->setEditText(u"Node A"_qs);
    QTest::keyClicks(combo, u"x"_qs);
    QCOMPARE(child<QLineEdit>(*form, "URLEdit")->text(), u"b.example"_qs);
    QVERIFY(!child(*form, "ConnectBtn")->isEnabled());
}

void tst_MainShell::startUpReadsTheServerListAndCreatesIt()
{
    auto form = startWindow();
    QVERIFY(QFile::exists(m_home->filePath(u"Cluster.dta"_qs)));
    QCOMPARE(child<QComboBox>(*form, "SERVCombo")->count(), 0);
    QCOMPARE(form->statusPanel(1).isEmpty(), false);
    QCOMPARE(form->statusPanel(2).isEmpty(), false);
    QCOMPARE(form->programDir(), m_home->path());
}

void tst_MainShell::closingWithSpotsAsksAndExports()
{
    auto form = startWindow();
    form->DataAvailable("DX de W3LPL:     14025.0  JA1ABC       CW, 599 \"tnx\"                 1227Z\r\n"
                        "DX de W3LPL:     14026.0  JA2ABC       say \"hi\"                      1228Z\r\n"
                        "DX de W3LPL:     14027.0  XX9XX                                        1229Z\r\n");
    m_answer = QMessageBox::Yes;
    QVERIFY(close(*form));
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.first().caption, u"Question"_qs);
    QCOMPARE(m_asked.first().text, u"Save these DX Spots list ?"_qs);
    QCOMPARE(m_asked.first().defaultButton, QMessageBox::No);

    QFile exported(m_home->filePath(u"20261211 - Spots.txt"_qs));
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QString expected = u"UTC,CALLSIGN,FREQUENCY,NOTIFIED BY,COMMENTS,DXCC COUNTRY,PFX\r\n"
                             u"12:27Z,JA1ABC,14025.0, W3LPL,\"CW, 599 \"\"tnx\"\"\",Japan,JA\r\n"
                             u"12:28Z,JA2ABC,14026.0, W3LPL,\"say \"\"hi\"\"\",Japan,JA\r\n"
                             u"12:29Z,XX9XX,14027.0, W3LPL,\"\",\"\",X\r\n"_qs;
    QByteArray bytes("\xff\xfe", 2);
    bytes += QByteArray(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2);
    QCOMPARE(exported.readAll(), bytes);
}

void tst_MainShell::closingWithoutSpotsAsksNothing()
{
    auto form = startWindow();
    m_answer = QMessageBox::Yes;
    QVERIFY(close(*form));
    QVERIFY(m_asked.isEmpty());
    QVERIFY(!QFile::exists(m_home->filePath(u"20261211 - Spots.txt"_qs)));
}

void tst_MainShell::aFileThatCannotBeWrittenKeepsTheWindowOpen()
{
    auto form = startWindow();
    form->DataAvailable("DX de W3LPL:     14025.0  JA1ABC       x\r\n");
    QVERIFY(QDir(m_home->path()).mkdir(u"20261211 - Spots.txt"_qs)); // a folder where the file goes
    m_answer = QMessageBox::Yes;
    QVERIFY(!close(*form));
    QVERIFY(messageLines(*form).last().contains(u"20261211 - Spots.txt"_qs));
    QCOMPARE(m_settings->ReadString(SettingsKeys::Indicatif), u"Callsign"_qs); // written first
}

void tst_MainShell::startUpWithoutCountryTableWritesNothing()
{
    QVERIFY(QFile::remove(m_home->filePath(u"Dxcc.dta"_qs)));
    auto form = startWindow();
    QVERIFY(form->endRequested());
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.first().text,
             u"The file [Dxcc.dta] was not found...\r\nKORVANE can not work without this file.\r\n"
             u"Check the program's root folder."_qs);
    // The rest of the start-up still ran; nothing but the two sections reached the store.
    QCOMPARE(child<QLineEdit>(*form, "INDEdit")->text(), u"Callsign"_qs);
    QVERIFY(!m_settings->ReadString(SettingsKeys::DefaultSection, u"Indicatif"_qs, {}).size());
}

QTEST_MAIN(tst_MainShell)
#include "tst_MainShell.moc"
