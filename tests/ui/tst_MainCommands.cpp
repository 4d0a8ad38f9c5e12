#include "MessageBox.h"
#include "ProgBtn.h"
#include "WindowTestKit.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The composer tabs: the command lines, the Send buttons' life, help texts and prompts; and the
// macro editor with the refresh of the macro buttons.
class tst_MainCommands final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void composerButtonsFillTheCommandLine_data();
    void composerButtonsFillTheCommandLine();
    void helpFollowsTheMouseAndStays();
    void aDxFieldTakingTheFocusIsErased();
    void spinFieldLimits();
    void okStoresAndProgramsTheButtons();
    void cancelStoresNothingButRefreshes();
    void aBlankCommandIsNotProgrammed();

private:
    template<typename T = QWidget> T* child(const char* name) const { return ::child<T>(m_form.get(), name); }
    // Opens the macro editor and lets edit work on it before it is closed with OK or Cancel.
    void editMacros(const std::function<void(TProgBtnForm&)>& edit, bool ok);

    WindowTestKit m_kit;
    std::unique_ptr<SettingsStore>& m_settings = m_kit.settings;
    std::unique_ptr<TTelForm> m_form;
};

void tst_MainCommands::initTestCase()
{
    QVERIFY(m_kit.makeProgramFolder());
    setMessageResponder([](const MessageRequest&) { return QMessageBox::Ok; });
}

void tst_MainCommands::init()
{
    m_kit.freshSettings();
    m_form = m_kit.startWindow();
    m_form->CheckInternet();
    m_form->show();
}

void tst_MainCommands::cleanup()
{
    m_form.reset();
}

void tst_MainCommands::composerButtonsFillTheCommandLine_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("send");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SET/QTH") << u"SETQTHBtn"_qs << u"SETEdit"_qs << u"SETBtn"_qs << u"SET/QTH  Paris "_qs;
    QTest::newRow("SET/NAME") << u"SETNAMEBtn"_qs << u"SETEdit"_qs << u"SETBtn"_qs << u"SET/NAME Fred"_qs;
    QTest::newRow("SET/LOC") << u"SETLOCBtn"_qs << u"SETEdit"_qs << u"SETBtn"_qs << u"SET/LOC JN18"_qs;
    QTest::newRow("SH/USERS") << u"SHOWUSERBtn"_qs << u"SHOWEdit"_qs << u"SHOWBtn"_qs << u"SHOW/USERS"_qs;
    QTest::newRow("SH/DX number") << u"SHOWDXBtn"_qs << u"SHOWEdit"_qs << u"SHOWBtn"_qs << u"SHOW/DX/10"_qs;
    QTest::newRow("SH/DX complement")
        << u"SHOWDX2Btn"_qs << u"SHOWEdit"_qs << u"SHOWBtn"_qs << u"SHOW/DX/ 14"_qs;
    QTest::newRow("SH/COM") << u"SHOWCOBtn"_qs << u"SHOWEdit"_qs << u"SHOWBtn"_qs << u"SHOW/COMMANDS"_qs;
    QTest::newRow("SH/ST") << u"SHOWSTBtn"_qs << u"SHOWEdit"_qs << u"SHOWBtn"_qs << u"SHOW/ST CallSign"_qs;
    QTest::newRow("DX, an empty comment")
        << u"CONFBtn"_qs << u"DXSpotEdit"_qs << u"DXBtn"_qs << u"DX JA1ABC 14025.0 "_qs;
}

void tst_MainCommands::composerButtonsFillTheCommandLine()
{
    QFETCH(QString, button);
    QFETCH(QString, commandLine);
    QFETCH(QString, send);
    QFETCH(QString, expected);
    child<QLineEdit>("QTHEdit")->setText(u" Paris "_qs);
    child<QLineEdit>("NAMEdit")->setText(u"Fred"_qs);
    child<QLineEdit>("LOCEdit")->setText(u"JN18"_qs);
    child<QLineEdit>("SHDXEdit")->setText(u"14"_qs);
    child<QLineEdit>("SPOTEdit")->setText(u"JA1ABC"_qs);
    child<QLineEdit>("FRQEdit")->setText(u"14025.0"_qs);
    auto* line = m_form->findChild<QLineEdit*>(commandLine);
    auto* sendButton = m_form->findChild<QPushButton*>(send);
    line->setText(u"typed by hand"_qs);
    QVERIFY(!sendButton->isEnabled());
    m_form->findChild<QPushButton*>(button)->click();
    QCOMPARE(line->text(), expected);
    QVERIFY(sendButton->isEnabled());
    // Sending disables it (here without a session: one error line) until a composer button refills.
    sendButton->click();
    QVERIFY(!sendButton->isEnabled());
    line->setText(u"edited"_qs);
    QVERIFY(!sendButton->isEnabled());
}

void tst_MainCommands::helpFollowsTheMouseAndStays()
{
    auto* controls = child<QTabWidget>("ControlPage");
    controls->setCurrentWidget(child("SETTab"));
    auto* setQth = child<QPushButton>("SETQTHBtn");
    QTest::mouseMove(setQth);
    QCOMPARE(
        child<QLabel>("SETLabel")->text(),
        u"Syntax: SEt/QTH city or village\r\nThis command allows you to enter your QTH in the cluster. This "
        u"information can be retrieved by using the command SHOW/USER callsign."_qs);
    QTest::mouseMove(child("SETEdit"));
    QVERIFY(child<QLabel>("SETLabel")->text().startsWith(u"Syntax: SEt/QTH"_qs));

    controls->setCurrentWidget(child("SHOWTab"));
    m_form->activateWindow();
    child("SHOWSTBtn")->setFocus(); // the keyboard shows the same help
    QCOMPARE(
        child<QLabel>("SHOWLabel")->text(),
        u"Syntaxe: SHow/STation callsign\r\nDisplays all informations available about the spacified station"_qs);
}

void tst_MainCommands::aDxFieldTakingTheFocusIsErased()
{
    child<QTabWidget>("ControlPage")->setCurrentWidget(child("DXTab"));
    QVERIFY(!child("INFOPanel")->isVisibleTo(m_form.get()));
    auto* frequency = child<QLineEdit>("FRQEdit");
    frequency->setText(u"14025.0"_qs);
    m_form->activateWindow();
    frequency->setFocus();
    QTRY_VERIFY(frequency->text().isEmpty());
    QCOMPARE(child<QLabel>("InfoLabel")->text(), u"Enter the frequency here. Format 14230.0"_qs);
    QVERIFY(child("INFOPanel")->isVisibleTo(m_form.get()));
    child("COMEdit")->setFocus();
    QCOMPARE(child<QLabel>("InfoLabel")->text(), u"Enter your comments here (very short)"_qs);
    QCOMPARE(child<QLineEdit>("COMEdit")->maxLength(), 25);
    QCOMPARE(child<QLineEdit>("SPOTEdit")->maxLength(), 12);
}

void tst_MainCommands::spinFieldLimits()
{
    auto* spin = child<QSpinBox>("DXSpin");
    QCOMPARE(spin->value(), 10);
    spin->setValue(1000);
    child<QPushButton>("SHOWDXBtn")->click();
    QCOMPARE(child<QLineEdit>("SHOWEdit")->text(), u"SHOW/DX/250"_qs);
    spin->setValue(1);
    QCOMPARE(spin->value(), 10);
}

void tst_MainCommands::editMacros(const std::function<void(TProgBtnForm&)>& edit, bool ok)
{
    QTimer::singleShot(0, this, [&] {
        auto* editor = qobject_cast<TProgBtnForm*>(QApplication::activeModalWidget());
        QVERIFY(editor);
        edit(*editor);
        ok ? editor->accept() : editor->reject();
    });
    child<QPushButton>("ProgBtn")->click();
}

void tst_MainCommands::okStoresAndProgramsTheButtons()
{
    QString shownCommand = u"unset"_qs;
    editMacros(
        [&](TProgBtnForm& editor) {
            shownCommand = editor.command(2); // never stored: the editor shows it empty
            QCOMPARE(editor.name(1), u"Not programmed"_qs);
            editor.setMacro(1, u"Last 5"_qs, u" SH/DX 5 "_qs);
            editor.setMacro(3, QString(), u"BYE"_qs);
        },
        true);
    QCOMPARE(shownCommand, QString());
    using namespace SettingsKeys;
    QCOMPARE(m_settings->ReadString(BtnCmd(1)), u" SH/DX 5 "_qs);
    QVERIFY(m_settings->ReadBool(BtnPrg(1)));
    auto* first = child<QPushButton>("ProgBtn1");
    QCOMPARE(first->text(), u"Last 5"_qs);
    QCOMPARE(first->toolTip(), u" SH/DX 5 "_qs);
    QVERIFY(first->isEnabled()); // usable at once, even with no session
    QCOMPARE(child<QPushButton>("ProgBtn3")->text(), QString());
    QVERIFY(!child("ProgBtn2")->isEnabled());
    QCOMPARE(m_settings->ReadString(BtnCmdInEditor(2)), u"This button is not programmed"_qs);

    // The next opening starts from the stored values.
    editMacros([&](TProgBtnForm& editor) { shownCommand = editor.command(2); }, false);
    QCOMPARE(shownCommand, u"This button is not programmed"_qs);
}

void tst_MainCommands::cancelStoresNothingButRefreshes()
{
    using namespace SettingsKeys;
    m_settings->WriteString(BtnName(4), u"Stored"_qs);
    m_settings->WriteString(BtnCmd(4), u"SH/WWV"_qs);
    m_settings->WriteBool(BtnPrg(4), true);
    m_settings->WriteString(BtnName(2), u"Left over"_qs);
    editMacros([](TProgBtnForm& editor) { editor.setMacro(4, u"typed"_qs, u"typed"_qs); }, false);
    QCOMPARE(m_settings->ReadString(BtnName(4)), u"Stored"_qs);
    QVERIFY(child("ProgBtn4")->isEnabled());
    QCOMPARE(child<QPushButton>("ProgBtn4")->toolTip(), u"SH/WWV"_qs);
    QCOMPARE(m_settings->ReadString(BtnName(2)), u"Not programmed"_qs); // unprogrammed: reset
}

void tst_MainCommands::aBlankCommandIsNotProgrammed()
{
    using namespace SettingsKeys;
    editMacros([](TProgBtnForm& editor) { editor.setMacro(1, u"Old"_qs, u"SH/DX"_qs); }, true);
    QVERIFY(child("ProgBtn1")->isEnabled());
    editMacros([](TProgBtnForm& editor) { editor.setMacro(1, u"Old"_qs, u" \t "_qs); }, true);
    QVERIFY(!m_settings->ReadBool(BtnPrg(1)));
    QVERIFY(!child("ProgBtn1")->isEnabled());
    QCOMPARE(child<QPushButton>("ProgBtn1")->text(), u"Old"_qs); // keeps its caption until the next start
    QCOMPARE(m_settings->ReadString(BtnName(1)), u"Not programmed"_qs);
}

QTEST_MAIN(tst_MainCommands)
#include "tst_MainCommands.moc"
