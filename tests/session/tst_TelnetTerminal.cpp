#include "TelnetTerminal.h"
#include "TerminalError.h"
#include "TerminalTexts.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

const QString Loopback = QStringLiteral("127.0.0.1");

// A cluster node on the loopback address: one connection, everything it receives kept.
class Node final : public QObject
{
public:
    Node()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            peer = m_server.nextPendingConnection();
            connect(peer, &QTcpSocket::readyRead, this, [this] { received += peer->readAll(); });
        });
    }

    bool isListening() const { return m_server.isListening(); }
    QString port() const { return QString::number(m_server.serverPort()); }

    QTcpSocket* peer = nullptr;
    QByteArray received;

private:
    QTcpServer m_server;
};

// A port on which nobody listens.
QString refusedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return QString::number(server.serverPort());
}

// The message of the TerminalError that call raises, or an empty text when it raises none.
QString errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const TerminalError& error) {
        return error.message();
    }
    return QString();
}

int rowOf(const VtScreen& screen, const QString& start, int from = 0)
{
    for (int row = from; row < screen.rows(); ++row) {
        if (screen.lineText(row).startsWith(start))
            return row;
    }
    return -1;
}

} // namespace

class TestTelnetTerminal final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void connectReportsConnected();
    void refusedAttemptReportsFailureThenClose();
    void nodeCloseDeliversPendingDataFirst();
    void closeInsideAHandlerDeliversEverything();
    void emptyHostDoesNothing();
    void connectErrors_data();
    void connectErrors();
    void connectWhileConnectedClosesFirst();
    void disconnectReportsBeforeReturning();
    void disconnectDuringAttempt();
    void sendTextBytes();
    void sendTextWithoutSession();
    void sendTextDuringAttemptAbandonsIt();
    void receivedBlocks();
    void dataAvailableBeforeThePaneShowsIt();
    void keyboard_data();
    void keyboard();
    void localEcho();
    void ctrlTabLeavesThePane();
    void mousePressed();
    void menuKeysPressTheRightButton_data();
    void menuKeysPressTheRightButton();
    void optionsDialogNeedsHostName();
    void optionsAreKeptPerHost();
    void storedOptionsOutOfRange();
    void accessibleScreenText();

private:
    void connectToNode();

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Node> m_node;
    std::unique_ptr<TelnetTerminal> m_terminal;
    QStringList m_events;
};

void TestTelnetTerminal::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_node = std::make_unique<Node>();
    QVERIFY(m_node->isListening());
    m_terminal = std::make_unique<TelnetTerminal>();
    m_terminal->setOptionsFolder(m_folder->path());
    m_events.clear();
    TelnetTerminal* terminal = m_terminal.get();
    connect(terminal, &TelnetTerminal::sessionConnected, this,
            [this, terminal] { m_events << QStringLiteral("connected %1").arg(terminal->Error()); });
    connect(terminal, &TelnetTerminal::sessionClosed, this,
            [this, terminal] { m_events << QStringLiteral("closed %1").arg(terminal->Error()); });
}

void TestTelnetTerminal::cleanup()
{
    m_terminal.reset();
    m_node.reset();
    m_folder.reset();
}

void TestTelnetTerminal::connectToNode()
{
    m_terminal->setHostName(Loopback);
    m_terminal->setPort(m_node->port());
    m_terminal->Connect();
    QTRY_VERIFY(m_terminal->isConnected());
    QTRY_VERIFY(m_node->peer != nullptr);
}

void TestTelnetTerminal::connectReportsConnected()
{
    m_terminal->setHostName(QStringLiteral(" 127.0.0.1\t"));
    m_terminal->setPort(u' ' + m_node->port() + u'\n');
    m_terminal->Connect();
    QCOMPARE(m_terminal->screen().lineText(0), QStringLiteral("Connecting to '127.0.0.1'"));
    QCOMPARE(m_terminal->focusWidget(), m_terminal.get());
    QVERIFY(m_events.isEmpty());

    QTRY_COMPARE(m_events, QStringList{"connected 0"});
    QCOMPARE(m_terminal->Error(), quint16(0));
    QCOMPARE(m_terminal->screen().lineText(1), TerminalTexts::Connected);
}

void TestTelnetTerminal::refusedAttemptReportsFailureThenClose()
{
    m_terminal->setHostName(Loopback);
    m_terminal->setPort(refusedPort());
    m_terminal->Connect();
    QTRY_COMPARE(m_events, (QStringList{"connected 10061", "closed 10061"}));

    const VtScreen& screen = m_terminal->screen();
    const int failed = rowOf(screen, TerminalTexts::ConnectionFailed);
    QCOMPARE(rowOf(screen, TerminalTexts::Connecting), 0);
    QCOMPARE(failed, 1);
    QCOMPARE(rowOf(screen, TerminalTexts::ServerClosed, failed), 3);
    QVERIFY(!m_terminal->isConnected());
}

void TestTelnetTerminal::nodeCloseDeliversPendingDataFirst()
{
    connect(m_terminal.get(), &TelnetTerminal::dataAvailable, this, [this](const QByteArray& block) {
        m_events << QStringLiteral("data ") + QString::fromLatin1(block);
    });
    connectToNode();
    m_node->peer->write("DX de W3LPL:  14025.0  JA1ABC\r\n");
    m_node->peer->disconnectFromHost();

    QTRY_COMPARE(m_events.size(), 3);
    QCOMPARE(m_events, (QStringList{"connected 0", "data DX de W3LPL:  14025.0  JA1ABC\r\n", "closed 0"}));
    QTest::qWait(100);
    QCOMPARE(m_events.size(), 3);
    const VtScreen& screen = m_terminal->screen();
    QVERIFY(rowOf(screen, QStringLiteral("DX de W3LPL")) < rowOf(screen, TerminalTexts::ServerClosed));
}

// A handler that lets events run (the new-spot sound does) may see the node close meanwhile;
// what the node sent before its close is still delivered before sessionClosed.
void TestTelnetTerminal::closeInsideAHandlerDeliversEverything()
{
    connect(m_terminal.get(), &TelnetTerminal::dataAvailable, this, [this](const QByteArray& block) {
        m_events << QStringLiteral("data ") + QString::fromLatin1(block);
        if (block == "one\r\n") {
            m_node->peer->write("two\r\n");
            m_node->peer->disconnectFromHost();
            QTRY_COMPARE(m_events.size(), 4);
        }
    });
    connectToNode();
    m_node->peer->write("one\r\n");
    QTRY_COMPARE(m_events, (QStringList{"connected 0", "data one\r\n", "data two\r\n", "closed 0"}));
    QVERIFY(rowOf(m_terminal->screen(), QStringLiteral("one")) >= 0);
    QVERIFY(rowOf(m_terminal->screen(), QStringLiteral("two")) >= 0);
}

void TestTelnetTerminal::emptyHostDoesNothing()
{
    connectToNode();
    m_terminal->Disconnect();
    const QString before = m_terminal->screen().text();
    m_events.clear();

    m_terminal->setHostName(QString());
    m_terminal->Connect();
    QTest::qWait(50);
    QVERIFY(m_events.isEmpty());
    QCOMPARE(m_terminal->screen().text(), before);
}

void TestTelnetTerminal::connectErrors_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("exact");
    QTest::newRow("empty port") << Loopback << "" << QString(TerminalTexts::NoPort) << true;
    QTest::newRow("blank port") << Loopback << " \t\r\n" << QString(TerminalTexts::NoPort) << true;
    QTest::newRow("blank host") << " \t "
                                << "23" << QString(TerminalTexts::NoHost) << true;
    QTest::newRow("port checked first") << " "
                                        << " " << QString(TerminalTexts::NoPort) << true;
    QTest::newRow("unknown service") << Loopback << "no-such-service"
                                     << "connect: " << false;
    QTest::newRow("port out of range") << Loopback << "70000"
                                       << "connect: " << false;
    QTest::newRow("port zero") << Loopback << "0"
                               << "connect: " << false;
}

// The screen is cleared, no attempt starts and nothing is reported.
void TestTelnetTerminal::connectErrors()
{
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(QString, message);
    QFETCH(bool, exact);

    m_terminal->setHostName(host);
    m_terminal->setPort(port);
    const QString error = errorOf([this] { m_terminal->Connect(); });
    if (exact)
        QCOMPARE(error, message);
    else
        QVERIFY2(error.startsWith(message) && error.size() > message.size(), qPrintable(error));
    QCOMPARE(m_terminal->screen().text().trimmed(), QString());
    QTest::qWait(20);
    QVERIFY(m_events.isEmpty());
    QVERIFY(m_node->peer == nullptr);
}

void TestTelnetTerminal::connectWhileConnectedClosesFirst()
{
    connectToNode();
    QTcpSocket* firstPeer = m_node->peer;
    m_terminal->Connect();
    QCOMPARE(m_events, (QStringList{"connected 0", "closed 0"}));
    const VtScreen& screen = m_terminal->screen();
    QVERIFY(rowOf(screen, TerminalTexts::ServerClosed) >= 0);
    QVERIFY(rowOf(screen, TerminalTexts::ServerClosed) < rowOf(screen, TerminalTexts::Connecting));
    QTRY_COMPARE(m_events.size(), 3);
    QCOMPARE(m_events.last(), QStringLiteral("connected 0"));
    QTRY_VERIFY(m_node->peer != firstPeer);

    // With the port gone the session still ends first, then the error comes.
    m_terminal->setPort(QString());
    QCOMPARE(errorOf([this] { m_terminal->Connect(); }), TerminalTexts::NoPort);
    QCOMPARE(m_events.last(), QStringLiteral("closed 0"));
    QVERIFY(!m_terminal->isConnected());
}

// What was queued just before still reaches the node.
void TestTelnetTerminal::disconnectReportsBeforeReturning()
{
    connectToNode();
    m_terminal->SendText(QStringLiteral("BYE\r\n"));
    m_terminal->Disconnect();
    QCOMPARE(m_events, (QStringList{"connected 0", "closed 0"}));
    QCOMPARE(rowOf(m_terminal->screen(), TerminalTexts::ServerClosed), 3);
    QTRY_COMPARE(m_node->peer->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(m_node->received, QByteArray("BYE\r\n"));

    m_terminal->Disconnect();
    QCOMPARE(m_events.size(), 2);
}

void TestTelnetTerminal::disconnectDuringAttempt()
{
    m_terminal->setHostName(Loopback);
    m_terminal->setPort(m_node->port());
    m_terminal->Connect();
    m_terminal->Disconnect();
    QCOMPARE(m_events, QStringList{"closed 0"});
    QTest::qWait(100);
    QCOMPARE(m_events, QStringList{"closed 0"});
}

void TestTelnetTerminal::sendTextBytes()
{
    connectToNode();
    m_terminal->SendText(QStringLiteral(u"SH/DX K\u00f6ln \u00ff\u20ac\r\n"));
    m_terminal->SendText(QStringLiteral("BYE\r\n"));
    QTRY_COMPARE(m_node->received, QByteArray("SH/DX K\xf6ln \xff\xff?\r\nBYE\r\n"));
}

void TestTelnetTerminal::sendTextWithoutSession()
{
    QCOMPARE(errorOf([this] { m_terminal->SendText(QStringLiteral("SH/DX\r\n")); }),
             TerminalTexts::NotConnected);
    connectToNode();
    m_terminal->Disconnect();
    QCOMPARE(errorOf([this] { m_terminal->SendText(QStringLiteral("SH/DX\r\n")); }),
             TerminalTexts::NotConnected);

    // Nothing is kept for the next session.
    connectToNode();
    m_terminal->SendText(QStringLiteral("X"));
    QTRY_COMPARE(m_node->received, QByteArray("X"));
}

void TestTelnetTerminal::sendTextDuringAttemptAbandonsIt()
{
    m_terminal->setHostName(Loopback);
    m_terminal->setPort(m_node->port());
    m_terminal->Connect();
    const QString error = errorOf([&] { m_terminal->SendText(QStringLiteral("SH/DX\r\n")); });
    QCOMPARE(error, TerminalTexts::NotConnected);
    QCOMPARE(m_events, QStringList{"closed 10057"});
    QTest::qWait(100);
    QCOMPARE(m_events, QStringList{"closed 10057"});
}

// Telnet is taken out, a doubled 255 stays one, no block is longer than one read of 2048, and a
// flood larger than the socket's read buffer arrives whole.
void TestTelnetTerminal::receivedBlocks()
{
    QByteArrayList blocks;
    connect(m_terminal.get(), &TelnetTerminal::dataAvailable, this,
            [&blocks](const QByteArray& block) { blocks << block; });
    connectToNode();

    const QByteArray text = QByteArray("0123456789\r\n").repeated(100000);
    m_node->peer->write(QByteArray("\xff\xfd\x18"
                                   "hi\xff\xff") +
                        text);
    QTRY_COMPARE(blocks.join().size(), 3 + text.size());
    QCOMPARE(blocks.join(), QByteArray("hi\xff") + text);
    for (const QByteArray& block : blocks)
        QVERIFY(block.size() <= 2048);
    QTRY_COMPARE(m_node->received, QByteArray("\xff\xfb\x18"));
}

void TestTelnetTerminal::dataAvailableBeforeThePaneShowsIt()
{
    QStringList shownAtEvent;
    connect(m_terminal.get(), &TelnetTerminal::dataAvailable, this,
            [&] { shownAtEvent << m_terminal->screen().lineText(2); });
    connectToNode();
    m_node->peer->write("login: ");
    QTRY_COMPARE(m_terminal->screen().lineText(2), QStringLiteral("login:"));
    QCOMPARE(shownAtEvent, QStringList{QString()});
}

void TestTelnetTerminal::keyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("upperLock");
    QTest::addColumn<QByteArray>("bytes");

    const int none = Qt::NoModifier;
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << false << QByteArray("a");
    QTest::newRow("Shift letter") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "a" << false
                                  << QByteArray("A");
    QTest::newRow("Caps Lock letter") << int(Qt::Key_A) << none << "A" << false << QByteArray("A");
    QTest::newRow("upper-case lock") << int(Qt::Key_Q) << none << "q" << true << QByteArray("Q");
    QTest::newRow("digit") << int(Qt::Key_5) << none << "5" << false << QByteArray("5");
    QTest::newRow("Latin-1 letter") << int(Qt::Key_Odiaeresis) << none << QString(QChar(0xF6)) << false
                                    << QByteArray("\xf6");
    QTest::newRow("sharp s under Shift") << int(Qt::Key_ssharp) << int(Qt::ShiftModifier)
                                         << QString(QChar(0xDF)) << false << QByteArray("\xdf");
    QTest::newRow("beyond Latin-1") << int(Qt::Key_unknown) << none << QString(QChar(0x20AC)) << false
                                    << QByteArray("?");
    QTest::newRow("main Enter") << int(Qt::Key_Return) << none << "\r" << false << QByteArray("\r\n");
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << false
                                  << QByteArray("\r");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << false << QByteArray("\b");
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << false << QByteArray("\t");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b" << false << QByteArray("\x1b");
    QTest::newRow("Ctrl A") << int(Qt::Key_A) << int(Qt::ControlModifier) << "\x01" << false
                            << QByteArray("\x01");
    QTest::newRow("Ctrl Z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << "\x1a" << false
                            << QByteArray("\x1a");
    QTest::newRow("Up") << int(Qt::Key_Up) << none << "" << false << QByteArray("\x1b[A");
    QTest::newRow("Down") << int(Qt::Key_Down) << none << "" << false << QByteArray("\x1b[B");
    QTest::newRow("Right") << int(Qt::Key_Right) << none << "" << false << QByteArray("\x1b[C");
    QTest::newRow("Left") << int(Qt::Key_Left) << none << "" << false << QByteArray("\x1b[D");
    QTest::newRow("Page up") << int(Qt::Key_PageUp) << none << "" << false << QByteArray("\x1b[5~");
    QTest::newRow("Page down") << int(Qt::Key_PageDown) << none << "" << false << QByteArray("\x1b[6~");
    QTest::newRow("Insert") << int(Qt::Key_Insert) << none << "" << false << QByteArray("\x1b[2~");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << false << QByteArray("\x7f");
    QTest::newRow("F1") << int(Qt::Key_F1) << none << "" << false << QByteArray("\x1bOP");
    QTest::newRow("F2") << int(Qt::Key_F2) << none << "" << false << QByteArray("\x1bOQ");
    QTest::newRow("F3") << int(Qt::Key_F3) << none << "" << false << QByteArray("\x1bOR");
    QTest::newRow("F4") << int(Qt::Key_F4) << none << "" << false << QByteArray("\x1bOS");
    QTest::newRow("F11") << int(Qt::Key_F11) << none << "" << false << QByteArray("\x1b[28~");
    QTest::newRow("F12") << int(Qt::Key_F12) << none << "" << false << QByteArray("\x1b[29~");
    QTest::newRow("F5 sends nothing") << int(Qt::Key_F5) << none << "" << false << QByteArray();
}

// Each key press with the text the platform gives it; the node receives the bytes at once.
void TestTelnetTerminal::keyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, upperLock);
    QFETCH(QByteArray, bytes);

    QTest::keyClick(m_terminal.get(), Qt::Key_A); // no session yet: nothing goes anywhere
    connectToNode();
    m_terminal->setUpperLock(upperLock);
    QTest::sendKeyEvent(QTest::Click, m_terminal.get(), Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    m_terminal->SendText(QStringLiteral("|")); // marks the end of what the key sent
    QTRY_COMPARE(m_node->received, bytes + '|');
}

void TestTelnetTerminal::localEcho()
{
    connectToNode();
    QTest::keyClick(m_terminal.get(), Qt::Key_X);
    QCOMPARE(m_terminal->screen().lineText(2), QString());

    m_terminal->setLocalEcho(true);
    QTest::keyClicks(m_terminal.get(), QStringLiteral("sh"));
    QTest::keyClick(m_terminal.get(), Qt::Key_Return);
    QTest::keyClick(m_terminal.get(), Qt::Key_Y);
    QCOMPARE(m_terminal->screen().lineText(2), QStringLiteral("sh"));
    QCOMPARE(m_terminal->screen().lineText(3), QStringLiteral("y"));
    QTRY_COMPARE(m_node->received, QByteArray("xsh\r\ny"));
}

void TestTelnetTerminal::ctrlTabLeavesThePane()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit;
    auto* after = new QLineEdit;
    auto* terminal = new TelnetTerminal;
    layout->addWidget(before);
    layout->addWidget(terminal);
    layout->addWidget(after);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    terminal->setFocus();
    QTest::keyClick(terminal, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), terminal);
    QTest::keyClick(terminal, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), after);
    terminal->setFocus();
    QTest::keyClick(terminal, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), before);
}

void TestTelnetTerminal::mousePressed()
{
    QSignalSpy pressed(m_terminal.get(), &TelnetTerminal::mousePressed);
    m_terminal->resize(m_terminal->sizeHint());
    QTest::mousePress(m_terminal.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(40, 30));
    QCOMPARE(pressed.size(), 1);
    QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(pressed.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(pressed.at(0).at(2).toPoint(), QPoint(40, 30));
}

void TestTelnetTerminal::menuKeysPressTheRightButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("clicks");

    QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier) << true;
    QTest::newRow("Shift F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << true;
    QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << false;
    QTest::newRow("Ctrl Shift F10") << int(Qt::Key_F10) << int(Qt::ControlModifier | Qt::ShiftModifier)
                                    << false;
}

// The keyboard's right click, at the text cursor; the node gets nothing of it.
void TestTelnetTerminal::menuKeysPressTheRightButton()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, clicks);

    connectToNode();
    m_terminal->resize(m_terminal->sizeHint());
    m_node->peer->write("login: ");
    QTRY_COMPARE(m_terminal->screen().cursor().x(), 7);
    QSignalSpy pressed(m_terminal.get(), &TelnetTerminal::mousePressed);
    QTest::keyClick(m_terminal.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    m_terminal->SendText(QStringLiteral("|"));
    QTRY_COMPARE(m_node->received, QByteArray("|"));
    QCOMPARE(pressed.size(), clicks ? 1 : 0);
    if (!clicks)
        return;
    QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    const QPoint cursor = m_terminal->screen().cursor();
    QCOMPARE(pressed.at(0).at(2).toPoint(), m_terminal->cellRect(cursor.y(), cursor.x()).center());
}

void TestTelnetTerminal::optionsDialogNeedsHostName()
{
    bool opened = false;
    QTimer::singleShot(0, this, [&opened] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = true;
            dialog->close();
        }
    });
    m_terminal->ShowOptionsDialog();
    QTest::qWait(20);
    QVERIFY(!opened);
}

// Options edited for a host are stored under its name and come back when connecting to it.
void TestTelnetTerminal::optionsAreKeptPerHost()
{
    m_terminal->setHostName(Loopback);
    QString title;
    QTimer::singleShot(0, this, [&title] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        dialog->findChild<QCheckBox*>(QStringLiteral("LocalEcho"))->setChecked(true);
        dialog->findChild<QCheckBox*>(QStringLiteral("Monochrome"))->setChecked(true);
        dialog->findChild<QSpinBox*>(QStringLiteral("Rows"))->setValue(30);
        dialog->accept();
    });
    m_terminal->ShowOptionsDialog();
    QCOMPARE(title, TerminalTexts::OptionsTitle);
    QVERIFY(m_terminal->LocalEcho());
    QCOMPARE(m_terminal->screen().rows(), 30);

    QSettings stored(m_folder->filePath(TerminalTexts::OptionsFile), QSettings::IniFormat);
    QCOMPARE(stored.value(Loopback + QStringLiteral("/LocalEcho")).toBool(), true);
    QCOMPARE(stored.value(Loopback + QStringLiteral("/Rows")).toInt(), 30);

    TelnetTerminal other;
    other.setOptionsFolder(m_folder->path());
    other.setHostName(Loopback);
    other.setPort(m_node->port());
    QVERIFY(!other.LocalEcho());
    other.Connect();
    QVERIFY(other.LocalEcho());
    QCOMPARE(other.screen().rows(), 30);
}

// A hand-edited file cannot make the screen huge or the zoom meaningless.
void TestTelnetTerminal::storedOptionsOutOfRange()
{
    {
        QSettings stored(m_folder->filePath(TerminalTexts::OptionsFile), QSettings::IniFormat);
        stored.setValue(Loopback + QStringLiteral("/Rows"), 1000000);
        stored.setValue(Loopback + QStringLiteral("/Columns"), QStringLiteral("many"));
        stored.setValue(Loopback + QStringLiteral("/LineZoom"), QStringLiteral("nan"));
    }
    connectToNode();
    QCOMPARE(m_terminal->screen().rows(), TerminalOptions::MaxRows);
    QCOMPARE(m_terminal->screen().columns(), 80);
    QCOMPARE(m_terminal->LineZoom(), 1.0);
}

void TestTelnetTerminal::accessibleScreenText()
{
    QCOMPARE(m_terminal->accessibleName(), TerminalTexts::AccessibleName);
    connectToNode();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_terminal.get());
    QVERIFY(accessible && accessible->textInterface());
    QAccessibleTextInterface* text = accessible->textInterface();
    QCOMPARE(text->characterCount(), 25 * 81);
    QCOMPARE(text->text(81, 81 + 9), TerminalTexts::Connected);
    QCOMPARE(text->cursorPosition(), 2 * 81);
}

QTEST_MAIN(TestTelnetTerminal)
#include "tst_TelnetTerminal.moc"
