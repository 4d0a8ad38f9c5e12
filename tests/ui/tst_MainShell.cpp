#include "MessageBox.h"
#include "SplashFrm.h"
#include "WindowTestKit.h"

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
    void aNonTextValueIsReported_data();
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
        return ::child<T>(&form, name);
    }
    std::unique_ptr<TTelForm> startWindow()
    {
        return m_kit->startWindow([] { return QDate(2026, 12, 11); });
    }
    QString settingsPath() const { return m_kit->settingsPath(); }
    QStringList messageLines(TTelForm& form) const { return ::messageLines(&form); }
    bool close(TTelForm& form);

    std::unique_ptr<WindowTestKit> m_kit; // a program folder and a store of their own for every test
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
    m_kit = std::make_unique<WindowTestKit>();
    QVERIFY(m_kit->makeProgramFolder());
    m_kit->freshSettings();
    m_asked.clear();
    m_answer = QMessageBox::No;
}

void tst_MainShell::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    m_kit.reset();
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
    QCOMPARE(m_kit->settings->ReadString(Village), u"Paris"_qs);
    QCOMPARE(m_kit->settings->ReadString(Password), u"secret"_qs);
    QCOMPARE(m_kit->settings->ReadString(AlertSound), u" /sounds/alert.wav "_qs);
    QCOMPARE(m_kit->settings->ReadString(Alert(1)), u" DL1ABC"_qs);
    QCOMPARE(m_kit->settings->ReadInteger(Width), form->frameGeometry().width());
}

void tst_MainShell::aNonTextValueIsReported_data()
{
    // Which of the later start-up reads still happened: the password, the second macro's name, the
    // third watch field.
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("passwordRead");
    QTest::addColumn<bool>("macroRead");
    QTest::addColumn<bool>("alertRead");
    QTest::newRow("a text") << u"Village"_qs << false << false << false;
    QTest::newRow("a boolean") << u"SoundOnOff"_qs << true << false << false;
    QTest::newRow("an integer") << u"Left"_qs << true << false << false;
    QTest::newRow("a macro's name") << u"BtnName1"_qs << true << false << false;
    QTest::newRow("a watch field") << u"Alert1"_qs << true << true << false;
}

void tst_MainShell::aNonTextValueIsReported()
{
    QFETCH(QString, name);
    QFETCH(bool, passwordRead);
    QFETCH(bool, macroRead);
    QFETCH(bool, alertRead);
    using namespace SettingsKeys;
    m_kit->settings->WriteString(Indicatif, u"F4TST"_qs);
    m_kit->settings->WriteString(Password, u"pw"_qs);
    m_kit->settings->WriteString(BtnName(2), u"Mine"_qs);
    m_kit->settings->WriteString(Alert(3), u"DL1ABC"_qs);
    m_kit->settings.reset();
    QFile stored(settingsPath());
    QVERIFY(stored.open(QIODevice::Append));
    stored.write(name.toLatin1() + "=Paris, Lyon\n"); // an INI list, not a text
    stored.close();
    m_kit->settings = std::make_unique<SettingsStore>(settingsPath());

    auto form = startWindow();
    QCOMPARE(messageLines(*form).last(), u"Invalid data type for '%1'"_qs.arg(name));
    QCOMPARE(child<QLineEdit>(*form, "INDEdit")->text(), u"F4TST"_qs);
    // The rest of the start-up reads was skipped.
    QCOMPARE(child<QLineEdit>(*form, "PASSEdit")->text() == u"pw"_qs, passwordRead);
    QCOMPARE(child<QPushButton>(*form, "ProgBtn2")->text() == u"Mine"_qs, macroRead);
    QCOMPARE(child<QLineEdit>(*form, "AlertEdit3")->text() == u"DL1ABC"_qs, alertRead);
}

void tst_MainShell::serverChoiceFillsAddressAndPort()
{
    QFile servers(m_kit->folder.filePath(u"Cluster.dta"_qs));
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
    QVERIFY(QFile::exists(m_kit->folder.filePath(u"Cluster.dta"_qs)));
    QCOMPARE(child<QComboBox>(*form, "SERVCombo")->count(), 0);
    QCOMPARE(form->statusPanel(1).isEmpty(), false);
    QCOMPARE(form->statusPanel(2).isEmpty(), false);
    QCOMPARE(form->programDir(), m_kit->folder.path());
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

    QFile exported(m_kit->folder.filePath(u"20261211 - Spots.txt"_qs));
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
    QVERIFY(!QFile::exists(m_kit->folder.filePath(u"20261211 - Spots.txt"_qs)));
}

void tst_MainShell::aFileThatCannotBeWrittenKeepsTheWindowOpen()
{
    auto form = startWindow();
    form->DataAvailable("DX de W3LPL:     14025.0  JA1ABC       x\r\n");
    QVERIFY(QDir(m_kit->folder.path()).mkdir(u"20261211 - Spots.txt"_qs)); // a folder where the file goes
    m_answer = QMessageBox::Yes;
    QVERIFY(!close(*form));
    QVERIFY(messageLines(*form).last().contains(u"20261211 - Spots.txt"_qs));
    QCOMPARE(m_kit->settings->ReadString(SettingsKeys::Indicatif), u"Callsign"_qs); // written first
}

void tst_MainShell::startUpWithoutCountryTableWritesNothing()
{
    QVERIFY(QFile::remove(m_kit->folder.filePath(u"Dxcc.dta"_qs)));
    auto form = startWindow();
    QVERIFY(form->endRequested());
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.first().text,
             u"The file [Dxcc.dta] was not found...\r\nKORVANE can not work without this file.\r\n"
             u"Check the program's root folder."_qs);
    // The rest of the start-up still ran; nothing but the two sections reached the store.
    QCOMPARE(child<QLineEdit>(*form, "INDEdit")->text(), u"Callsign"_qs);
    QVERIFY(!m_kit->settings->ReadString(SettingsKeys::DefaultSection, u"Indicatif"_qs, {}).size());
}

QTEST_MAIN(tst_MainShell)
#include "tst_MainShell.moc"
