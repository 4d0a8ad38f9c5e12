#include "LocalClusterNode.h"
#include "MessageBox.h"
#include "StringGrid.h"
#include "TelnetTerminal.h"
#include "WindowTestKit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The window and a cluster node on 127.0.0.1: connecting, the session's state on screen, what is
// sent, the node closing, failures; and the Internet watch.
class tst_MainSession final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void connectingShowsTheSessionOpen();
    void spotsFromTheNodeReachTheLists();
    void aWatchedCallFromTheNodeRaisesTheAlert();
    void loginButtonsSendOnceEach();
    void commandAndMacroLinesOnTheWire();
    void theNodeClosingShowsTheSessionClosed();
    void aRefusedAttemptReportsOnlyTheFailure();
    void anEmptyPortWhileConnectedEndsTheSession();
    void disconnectRestartsTheWatch();
    void sendingWithoutSessionIsOneMessageLine();
    void theWatchFollowsTheProbe();
    void noInternetAtStartUp();

private:
    template<typename T = QWidget> T* child(const char* name) const { return ::child<T>(m_form.get(), name); }
    QStringList messageLines() const { return ::messageLines(m_form.get()); }
    QString screenText() const { return child<TelnetTerminal>("Terminal")->screen().text(); }
    QTcpSocket* connectToServer() { return connectWindowToServer(m_form.get(), *m_server); }
    QByteArray receivedBy(QTcpSocket* node, qsizetype bytes);
    // Connects to the node and sends a callsign at its login prompt with the callsign's Send button.
    bool logInTo(const LocalClusterNode& node);

    WindowTestKit m_kit;
    RecordingSoundPlayer& m_sounds = m_kit.sounds;
    FixedInternetProbe& m_internet = m_kit.internet;
    std::unique_ptr<TTelForm> m_form;
    std::unique_ptr<QTcpServer> m_server;
};

void tst_MainSession::initTestCase()
{
    QVERIFY(m_kit.makeProgramFolder());
    setMessageResponder([](const MessageRequest&) { return QMessageBox::Ok; });
}

void tst_MainSession::init()
{
    m_sounds = RecordingSoundPlayer();
    m_internet.setOnline(true);
    m_internet.setFailing(false);
    m_kit.freshSettings();
    m_form = m_kit.startWindow();
    m_form->CheckInternet(); // the first tick enables the command tabs
    m_form->show();
    m_server = std::make_unique<QTcpServer>();
    QVERIFY(m_server->listen(QHostAddress::LocalHost));
}

void tst_MainSession::cleanup()
{
    m_form.reset();
    m_server.reset();
}

bool tst_MainSession::logInTo(const LocalClusterNode& node)
{
    QSignalSpy connected(child<TelnetTerminal>("Terminal"), &TelnetTerminal::sessionConnected);
    connectWindowTo(m_form.get(), node.port());
    if (!connected.wait(5000) || !QTest::qWaitFor([&] { return screenText().contains(u"login:"_qs); }))
        return false;
    child<QLineEdit>("INDEdit")->setText(u"F4TST"_qs);
    child<QPushButton>("BitBtn1")->click();
    return QTest::qWaitFor([&] { return screenText().contains(u"dxspider >"_qs); });
}

// The window writes from its event loop, so the loop runs while the node's side waits.
QByteArray tst_MainSession::receivedBy(QTcpSocket* node, qsizetype bytes)
{
    QByteArray got;
    QElapsedTimer waited;
    waited.start();
    while (got.size() < bytes && waited.elapsed() < 5000) {
        QTest::qWait(10);
        got += node->readAll();
    }
    return got;
}

void tst_MainSession::connectingShowsTheSessionOpen()
{
    QVERIFY(connectToServer());
    const QString connected = u"Connected to server  127.0.0.1 "_qs;
    QCOMPARE(m_form->statusPanel(0), connected);
    QCOMPARE(messageLines().last(), connected);
    QCOMPARE(child<QLabel>("ConnectLabel")->text(), u"Connected to server Test node"_qs);
    QCOMPARE(child("LowerPanel")->palette().color(QPalette::Window), QColor(0, 172, 17));
    for (const char* send : {"BitBtn1", "BitBtn2", "BitBtn3", "DisconnectBtn"})
        QVERIFY(child(send)->isEnabled());
    QVERIFY(!child("ConnectBtn")->isEnabled());
    QVERIFY(!m_form->clock().isActive());
    QCOMPARE(m_sounds.playedPaths(), QStringList{m_kit.programFile(u"Sounds/success.wav"_qs)});
    QVERIFY(screenText().contains(u"Connecting to '127.0.0.1'"_qs));
    QVERIFY(screenText().contains(u"Connected"_qs));
}

void tst_MainSession::spotsFromTheNodeReachTheLists()
{
    LocalClusterNode node;
    QVERIFY(node.listen());
    QVERIFY(logInTo(node));

    node.sendSpot(
        {14025.0, u"JA1ABC"_qs, u"from the node"_qs, u"W3LPL"_qs, QDateTime::currentDateTimeUtc(), {}});
    StringGrid* all = child<StringGrid>("GridAll");
    QTRY_COMPARE(all->rowCount(), 2);
    QCOMPARE(all->cell(1, 1), u"JA1ABC"_qs);
    QCOMPARE(all->cell(5, 1), u"Japan"_qs);
    QCOMPARE(child<StringGrid>("Grid20")->rowCount(), 2);
}

void tst_MainSession::aWatchedCallFromTheNodeRaisesTheAlert()
{
    LocalClusterNode node;
    QVERIFY(node.listen());
    QVERIFY(logInTo(node));

    child<QLineEdit>("AlertEdit2")->setText(u"3B8XX"_qs);
    child<QCheckBox>("AlertCheckBox")->click();
    child<QCheckBox>("SoundCheck")->setChecked(true);
    child<QLineEdit>("WavNameEdit")->setText(u"alert.wav"_qs);
    const QDateTime at(QDate(2026, 12, 11), QTime(12, 34), Qt::UTC);
    node.sendSpot({50313.0, u"3B8XX"_qs, u"FT8"_qs, u"OH2BH"_qs, at, {}});
    QTRY_VERIFY(messageLines().contains(u"3B8XX alert at 12:34Z"_qs));
    const QStringList played = m_sounds.playedPaths();
    QCOMPARE(played.mid(played.size() - 2),
             (QStringList{m_kit.programFile(u"Sounds/NewDX.wav"_qs), u"alert.wav"_qs}));
}

void tst_MainSession::loginButtonsSendOnceEach()
{
    QTcpSocket* node = connectToServer();
    QVERIFY(node);
    child<QLineEdit>("INDEdit")->setText(u" \tF4TST \r"_qs);
    child<QLineEdit>("NOMEdit")->setText(u"Andr\u00e9"_qs);
    child<QLineEdit>("PASSEdit")->setText(QString());
    for (const char* send : {"BitBtn1", "BitBtn2", "BitBtn3"}) {
        child<QPushButton>(send)->click();
        QVERIFY(!child(send)->isEnabled());
    }
    QCOMPARE(receivedBy(node, 16), QByteArray("F4TST\r\nAndr\xe9\r\n\r\n"));
    QCOMPARE(messageLines().last(), u"Connected to server  127.0.0.1 "_qs);
}

void tst_MainSession::commandAndMacroLinesOnTheWire()
{
    QTcpSocket* node = connectToServer();
    QVERIFY(node);
    child<QLineEdit>("SETEdit")->setText(u"  SET/QTH Paris  \t"_qs);
    child<QPushButton>("SETBtn")->setEnabled(true);
    child<QPushButton>("SETBtn")->click();
    QVERIFY(!child("SETBtn")->isEnabled());
    auto* macro = child<QPushButton>("ProgBtn1");
    macro->setToolTip(u" SH/DX 5 \u20ac "_qs);
    macro->setEnabled(true);
    macro->click();
    macro->click();
    QVERIFY(macro->isEnabled());
    QCOMPARE(receivedBy(node, 37), QByteArray("SET/QTH Paris\r\nSH/DX 5 ?\r\nSH/DX 5 ?\r\n"));
}

void tst_MainSession::theNodeClosingShowsTheSessionClosed()
{
    QTcpSocket* node = connectToServer();
    QVERIFY(node);
    QSignalSpy closed(child<TelnetTerminal>("Terminal"), &TelnetTerminal::sessionClosed);
    node->write("last words without an end");
    node->flush();
    node->disconnectFromHost();
    QVERIFY(closed.wait(5000));

    QVERIFY(screenText().contains(u"*** Server has closed ***"_qs));
    const QString disconnected = u"Disconnected from server  127.0.0.1 "_qs;
    QCOMPARE(m_form->statusPanel(0), disconnected);
    QCOMPARE(messageLines().last(), disconnected);
    QCOMPARE(child<QLabel>("ConnectLabel")->text(), disconnected);
    QCOMPARE(child("LowerPanel")->palette().color(QPalette::Window), QColor(255, 0, 0));
    QVERIFY(child("ConnectBtn")->isEnabled());
    for (const char* off : {"DisconnectBtn", "BitBtn1", "BitBtn2", "BitBtn3", "ProgBtn1", "ProgBtn4"})
        QVERIFY(!child(off)->isEnabled());
    QVERIFY(!m_form->clock().isActive()); // the watch stays stopped until "Disconnect"
    QCOMPARE(m_sounds.playedPaths().last(), m_kit.programFile(u"Sounds/failure.wav"_qs));
}

void tst_MainSession::aRefusedAttemptReportsOnlyTheFailure()
{
    const quint16 closedPort = m_server->serverPort();
    m_server->close();
    QSignalSpy closed(child<TelnetTerminal>("Terminal"), &TelnetTerminal::sessionClosed);
    connectWindowTo(m_form.get(), closedPort);
    QVERIFY(closed.wait(5000));

    const QString screen = screenText();
    const qsizetype connecting = screen.indexOf(u"Connecting to '"_qs);
    const qsizetype failed = screen.indexOf(u"Connection failed: "_qs);
    const qsizetype serverClosed = screen.indexOf(u"*** Server has closed ***"_qs);
    QVERIFY(connecting >= 0 && connecting < failed && failed < serverClosed);
    QVERIFY(!messageLines().join(u'\n').contains(u"Connected to server"_qs));
    QCOMPARE(messageLines().last(), u"Disconnected from server  127.0.0.1 "_qs);
    QCOMPARE(m_sounds.playedPaths(), QStringList{m_kit.programFile(u"Sounds/failure.wav"_qs)});
    QVERIFY(!child("BitBtn1")->isEnabled());
}

void tst_MainSession::anEmptyPortWhileConnectedEndsTheSession()
{
    QVERIFY(connectToServer());
    child<QLineEdit>("PORTEdit")->setText(u"  "_qs);
    child<QPushButton>("ConnectBtn")->setEnabled(true);
    child<QPushButton>("ConnectBtn")->click();
    const QStringList lines = messageLines();
    QCOMPARE(lines.mid(lines.size() - 2),
             (QStringList{u"Disconnected from server  127.0.0.1 "_qs, u"Connect: No Port Specified"_qs}));
    QVERIFY(child("ConnectBtn")->isEnabled());
    QVERIFY(!child("DisconnectBtn")->isEnabled());
}

void tst_MainSession::disconnectRestartsTheWatch()
{
    QVERIFY(connectToServer());
    QSignalSpy closed(child<TelnetTerminal>("Terminal"), &TelnetTerminal::sessionClosed);
    child<QPushButton>("DisconnectBtn")->click();
    QCOMPARE(closed.size(), 1); // inside the click
    QVERIFY(m_form->clock().isActive());
    QVERIFY(child("ConnectBtn")->isEnabled());
    QVERIFY(!child("DisconnectBtn")->isEnabled());
}

void tst_MainSession::sendingWithoutSessionIsOneMessageLine()
{
    const qsizetype before = messageLines().size();
    child<QLineEdit>("SHOWEdit")->setText(u"SHOW/USERS"_qs);
    child<QPushButton>("SHOWBtn")->setEnabled(true);
    child<QPushButton>("SHOWBtn")->click();
    QCOMPARE(messageLines().size(), before + 1);
    QVERIFY(messageLines().last().contains(u"10057"_qs));
    QVERIFY(!child("SHOWBtn")->isEnabled());
}

void tst_MainSession::theWatchFollowsTheProbe()
{
    m_internet.setOnline(true);
    m_form->CheckInternet();
    QCOMPARE(m_form->statusPanel(0), u"Access established to the Internet"_qs);
    QVERIFY(child("ConnectBtn")->isEnabled());
    for (const char* tab : {"AlertTab", "SETTab", "SHOWTab", "DXTab"})
        QVERIFY(child(tab)->isEnabled());

    const qsizetype before = messageLines().size();
    m_internet.setOnline(false);
    m_form->CheckInternet();
    QCOMPARE(m_form->statusPanel(0), u"No Internet connection"_qs);
    QCOMPARE(messageLines().size(), before + 1);
    QCOMPARE(messageLines().last(), u"No Internet connection"_qs);
    QVERIFY(!child("ConnectBtn")->isEnabled());
    for (const char* tab : {"AlertTab", "SETTab", "SHOWTab", "DXTab"})
        QVERIFY(!child(tab)->isEnabled());

    // A test that fails counts as no Internet, without a line.
    m_internet.setFailing(true);
    m_form->CheckInternet();
    QCOMPARE(messageLines().size(), before + 1);
    QVERIFY(!child("ConnectBtn")->isEnabled());
}

void tst_MainSession::noInternetAtStartUp()
{
    m_internet.setOnline(false);
    TTelForm form(m_kit.services());
    form.CreateForm();
    QCOMPARE(form.statusPanel(0), u"No Internet access"_qs);
    QVERIFY(form.clock().isActive());
    auto* pane = form.findChild<QListWidget*>(u"ErrorList"_qs);
    QCOMPARE(pane->count(), 1);
    QCOMPARE(pane->item(0)->text(), u"No Internet connection"_qs);
}

QTEST_MAIN(tst_MainSession)
#include "tst_MainSession.moc"
