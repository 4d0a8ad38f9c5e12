#include "Announcements.h"
#include "AccessibleText.h"
#include "WindowTestKit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

namespace {

// What a screen reader is told: the accessible name of the announcer each time it is shown, as Qt tells
// the platform (an ObjectShow event goes with every show event; the offscreen platform keeps Qt's
// accessibility inactive, so the events themselves are checked over AT-SPI, by walk_window.py).
class Listener final : public QObject
{
public:
    QStringList heard;

    void listenTo(Announcer& announcer) { announcer.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            heard.append(accessibleText(static_cast<QWidget*>(watched)));
        return false;
    }
};

TSpotRec spotOf(const char* call)
{
    TSpotRec spot;
    spot.CALL = QString::fromLatin1(call);
    spot.FRQ = QStringLiteral("14025.0");
    spot.DXDE = QStringLiteral("W3LPL");
    return spot;
}

constexpr int PauseAndMore = Announcer::SpotPause * 3; // generous: a busy machine may be late

} // namespace

// The announcer: what it says at once, how it gathers a burst of spots; and the window's announcements
// of the session, the alerts and the spots.
class tst_Announcements final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void anAnnouncementIsSaidAtOnceEveryTime();
    void ofOnePassTheLastIsSaid();
    void aBurstOfSpotsIsSaidAsOneLine();
    void aSpotWaitsForTheLineBefore();
    void aHiddenWindowSaysNothing();
    void theWindowAnnouncesSessionSpotsAndAlerts();

private:
    Announcer& announcer() { return Announcer::of(&m_window); }

    QMainWindow m_window;
    Listener m_listener;
    QStringList& heard = m_listener.heard;
};

void tst_Announcements::initTestCase()
{
    m_window.statusBar(); // made before the window is shown, as a window's own status bar is
    m_window.show();
}

void tst_Announcements::init()
{
    delete &announcer(); // a fresh one, with no pause running
    m_listener.listenTo(announcer());
    heard.clear();
}

void tst_Announcements::anAnnouncementIsSaidAtOnceEveryTime()
{
    QVERIFY(!announcer().isVisible()); // nothing to read before the first announcement
    announcer().announce(QStringLiteral("Connected to server 127.0.0.1"));
    QTRY_COMPARE(heard, QStringList({"Connected to server 127.0.0.1"}));
    announcer().announce(QStringLiteral("JA1ABC alert at 12:27Z"));
    QTRY_COMPARE(heard.size(), 2);
    announcer().announce(QStringLiteral("JA1ABC alert at 12:27Z"));
    QTRY_COMPARE(heard, QStringList({"Connected to server 127.0.0.1", "JA1ABC alert at 12:27Z",
                                     "JA1ABC alert at 12:27Z"}));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&announcer());
    QCOMPARE(face->role(), QAccessible::Notification);
    QCOMPARE(face->parent()->role(), QAccessible::StatusBar);
    QCOMPARE(announcer().size(), QSize(0, 0));
}

void tst_Announcements::ofOnePassTheLastIsSaid()
{
    announcer().announceSpot(spotOf("JA1ABC"));
    announcer().announce(QStringLiteral("JA1ABC alert at 12:27Z"));
    QTRY_COMPARE(heard, QStringList({"JA1ABC alert at 12:27Z"}));
    QTest::qWait(100);
    QCOMPARE(heard.size(), 1);
}

void tst_Announcements::aBurstOfSpotsIsSaidAsOneLine()
{
    announcer().announceSpot(spotOf("JA1ABC"));
    QTRY_COMPARE(heard, QStringList({"JA1ABC 14025.0 by W3LPL"}));
    for (const char* call : {"DL1XX", "3B8CF", "K1TTT"})
        announcer().announceSpot(spotOf(call));
    QCOMPARE(heard.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 2, PauseAndMore);
    QCOMPARE(heard.last(), QStringLiteral("3 new spots, newest K1TTT 14025.0 by W3LPL"));

    // After a quiet pause the next spot is said at once again.
    QTest::qWait(PauseAndMore);
    QCOMPARE(heard.size(), 2);
    announcer().announceSpot(spotOf("VK0EK"));
    QTRY_COMPARE(heard.size(), 3);
    QCOMPARE(heard.last(), QStringLiteral("VK0EK 14025.0 by W3LPL"));
}

void tst_Announcements::aSpotWaitsForTheLineBefore()
{
    announcer().announce(QStringLiteral("Connected to server 127.0.0.1"));
    announcer().announceSpot(spotOf("JA1ABC"));
    QTRY_COMPARE(heard, QStringList({"Connected to server 127.0.0.1"}));
    QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 2, PauseAndMore);
    QCOMPARE(heard.last(), QStringLiteral("JA1ABC 14025.0 by W3LPL"));
}

void tst_Announcements::aHiddenWindowSaysNothing()
{
    QMainWindow hidden;
    Listener listener;
    listener.listenTo(Announcer::of(&hidden));
    Announcer::of(&hidden).announce(QStringLiteral("Disconnected from server 127.0.0.1"));
    QTest::qWait(100);
    QCOMPARE(listener.heard, QStringList());
}

// The window's handlers through a real session with a node on 127.0.0.1.
void tst_Announcements::theWindowAnnouncesSessionSpotsAndAlerts()
{
    WindowTestKit kit;
    QVERIFY(kit.makeProgramFolder());
    kit.freshSettings();
    std::unique_ptr<TTelForm> form = kit.startWindow();
    form->CheckInternet();
    form->show();
    Listener listener;
    listener.listenTo(Announcer::of(form.get()));
    QStringList& heard = listener.heard;
    QTcpServer node;
    QVERIFY(node.listen(QHostAddress::LocalHost));
    child<QLineEdit>(form.get(), "URLEdit")->setText(QStringLiteral("127.0.0.1"));
    child<QLineEdit>(form.get(), "PORTEdit")->setText(QString::number(node.serverPort()));
    child<QPushButton>(form.get(), "ConnectBtn")->click();
    QTRY_COMPARE(heard, QStringList({"Connected to server 127.0.0.1"}));
    QTRY_VERIFY(node.hasPendingConnections());
    QTcpSocket* peer = node.nextPendingConnection();

    child<QLineEdit>(form.get(), "AlertEdit1")->setText(QStringLiteral("JA1ABC"));
    child<QCheckBox>(form.get(), "AlertCheckBox")->click();
    QTest::qWait(PauseAndMore); // past the pause after the connection
    peer->write("DX de DL1XX:     14025.0  3B8CF        cw                            1226Z\r\n");
    QTRY_COMPARE(heard.size(), 2);
    QCOMPARE(heard.last(), QStringLiteral("3B8CF 14025.0 by DL1XX"));
    QTest::qWait(PauseAndMore);
    peer->write("DX de W3LPL:     14025.0  JA1ABC       cw                            1227Z\r\n");
    QTRY_COMPARE(heard.size(), 3);
    QCOMPARE(heard.last(), QStringLiteral("JA1ABC alert at 12:27Z")); // the alert says it of this spot

    peer->close();
    QTRY_COMPARE(heard.size(), 4);
    QCOMPARE(heard.last(), QStringLiteral("Disconnected from server 127.0.0.1"));
}

QTEST_MAIN(tst_Announcements)
#include "tst_Announcements.moc"
