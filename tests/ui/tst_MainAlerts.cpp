#include "BlinkingLamp.h"
#include "MessageBox.h"
#include "StringGrid.h"
#include "WindowTestKit.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Watched callsigns: which entry fires, the alert's steps and their order, the lamp, the switches,
// and the new-spot sound.
class tst_MainAlerts final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void theFirstEqualEntryFires_data();
    void theFirstEqualEntryFires();
    void anAlertPlaysPaintsShowsAndWrites();
    void everySpotOfAWatchedCallAlertsAgain();
    void theLampMovesToTheLatestEntry();
    void aClickIntoAFieldClearsOnlyThatField();
    void theSwitchFollowsTheEntries();
    void bothSoundsWarnOncePerTurningOn();
    void withTheSwitchOffNothingIsTested();
    void theNewSpotSoundComesFirstAndLetsBlocksWait();

private:
    QLineEdit* field(int k) const
    {
        return m_form->findChild<QLineEdit*>(u"AlertEdit"_qs + QString::number(k));
    }
    QCheckBox* check(const char* name) const
    {
        return m_form->findChild<QCheckBox*>(QString::fromLatin1(name));
    }
    BlinkingLamp* lamp() const { return m_form->findChild<BlinkingLamp*>(u"BlinkLed"_qs); }
    QStringList messageLines() const { return ::messageLines(m_form.get()); }
    bool isRed(int k) const { return field(k)->palette().color(QPalette::Base) == QColor(255, 0, 0); }
    void spot(const char* call, const char* time = "1227Z");
    void watch(const QString& e1, const QString& e2 = {}, const QString& e3 = {});

    WindowTestKit m_kit;
    RecordingSoundPlayer& m_sounds = m_kit.sounds;
    std::unique_ptr<TTelForm> m_form;
    QList<MessageRequest> m_asked;
};

void tst_MainAlerts::initTestCase()
{
    QVERIFY(m_kit.makeProgramFolder());
    setMessageResponder([this](const MessageRequest& request) {
        m_asked.append(request);
        return QMessageBox::Ok;
    });
}

void tst_MainAlerts::init()
{
    m_sounds = RecordingSoundPlayer();
    m_asked.clear();
    m_kit.freshSettings();
    m_form = m_kit.startWindow();
    m_form->CheckInternet();
    m_form->show();
    field(1)->clear();
    field(2)->clear();
    field(3)->clear();
}

void tst_MainAlerts::cleanup()
{
    m_form.reset();
}

void tst_MainAlerts::spot(const char* call, const char* time)
{
    QByteArray line = QByteArray("DX de W3LPL:     14025.0  ") + QByteArray(call).leftJustified(13) +
                      QByteArray("cw").leftJustified(30) + time + "\r\n";
    m_form->DataAvailable(line);
}

void tst_MainAlerts::watch(const QString& e1, const QString& e2, const QString& e3)
{
    field(1)->setText(e1);
    field(2)->setText(e2);
    field(3)->setText(e3);
    check("AlertCheckBox")->click();
    QVERIFY(check("AlertCheckBox")->isChecked());
}

void tst_MainAlerts::theFirstEqualEntryFires_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("fired"); // 0: none
    QTest::newRow("exact") << QStringList{u"JA1ABC"_qs, {}, {}} << 1;
    QTest::newRow("blanks around an entry are ignored") << QStringList{u"x"_qs, u"  JA1ABC \t"_qs, {}} << 2;
    QTest::newRow("case-sensitive") << QStringList{u"ja1abc"_qs, {}, {}} << 0;
    QTest::newRow("a prefix does not match") << QStringList{u"JA1"_qs, {}, {}} << 0;
    QTest::newRow("without the suffix it does not match") << QStringList{u"JA1ABC/P"_qs, {}, {}} << 0;
    QTest::newRow("the same call twice: the first") << QStringList{u"x"_qs, u"JA1ABC"_qs, u"JA1ABC"_qs} << 2;
}

void tst_MainAlerts::theFirstEqualEntryFires()
{
    QFETCH(QStringList, entries);
    QFETCH(int, fired);
    watch(entries[0], entries[1], entries[2]);
    spot("JA1ABC");
    for (int k = 1; k <= 3; ++k)
        QCOMPARE(isRed(k), k == fired);
    QCOMPARE(!lamp()->isHidden(), fired != 0);
    QCOMPARE(messageLines().contains(u"JA1ABC alert at 12:27Z"_qs), fired != 0);
}

void tst_MainAlerts::anAlertPlaysPaintsShowsAndWrites()
{
    m_form->findChild<QLineEdit*>(u"WavNameEdit"_qs)->setText(u" my alert.wav"_qs);
    watch({}, u"JA1ABC"_qs);
    bool redDuringSound = true;
    m_sounds.setDuringPlay([&](const QString&) { redDuringSound = isRed(2) || !lamp()->isHidden(); });
    spot("JA1ABC", "1234Z");
    QCOMPARE(m_sounds.playedPaths(), QStringList{u" my alert.wav"_qs}); // the file name as typed
    QVERIFY(!redDuringSound);                                           // the sound plays to its end first
    QVERIFY(isRed(2));
    QCOMPARE(field(2)->palette().color(QPalette::Text), QColor(Qt::white));
    QVERIFY(!lamp()->isHidden() && lamp()->isBlinking());
    QCOMPARE(lamp()->y(), 27);
    QCOMPARE(messageLines().last(), u"JA1ABC alert at 12:34Z"_qs);
}

void tst_MainAlerts::everySpotOfAWatchedCallAlertsAgain()
{
    watch(u"JA1ABC"_qs);
    spot("JA1ABC", "1200Z");
    spot("JA1ABC", "1201Z");
    QCOMPARE(m_sounds.playedPaths().size(), 2);
    QCOMPARE(messageLines().mid(messageLines().size() - 2),
             (QStringList{u"JA1ABC alert at 12:00Z"_qs, u"JA1ABC alert at 12:01Z"_qs}));
}

void tst_MainAlerts::theLampMovesToTheLatestEntry()
{
    watch(u"JA1ABC"_qs, {}, u"JA2XYZ"_qs);
    spot("JA1ABC");
    QCOMPARE(lamp()->y(), 0);
    spot("JA2XYZ");
    QCOMPARE(lamp()->y(), 55);
    QVERIFY(isRed(1) && isRed(3));
}

void tst_MainAlerts::aClickIntoAFieldClearsOnlyThatField()
{
    watch(u"JA1ABC"_qs, {}, u"JA2XYZ"_qs);
    spot("JA1ABC");
    spot("JA2XYZ");
    QTest::keyClicks(field(1), u"X"_qs); // typing is no click
    QVERIFY(isRed(1) && !lamp()->isHidden());
    QTest::mouseClick(field(1), Qt::LeftButton);
    QVERIFY(!isRed(1));
    QCOMPARE(field(1)->palette().color(QPalette::Text), QColor(Qt::black));
    QVERIFY(isRed(3));
    QVERIFY(!!lamp()->isHidden() && !lamp()->isBlinking());

    QTest::keyClick(field(3), Qt::Key_Escape); // the keyboard's way of the same
    QVERIFY(!isRed(3));

    spot("JA2XYZ");
    m_form->ResetBtnClick();
    QVERIFY(!isRed(3) && lamp()->isHidden());
}

void tst_MainAlerts::theSwitchFollowsTheEntries()
{
    QCheckBox* alert = check("AlertCheckBox");
    QCheckBox* sound = check("SoundCheck");
    sound->setChecked(true);
    alert->click(); // nothing watched: stays off
    QVERIFY(!alert->isChecked());
    QVERIFY(!sound->isChecked()); // any click switches the new-spot sound off
    QVERIFY(m_asked.isEmpty());

    field(3)->setText(u" "_qs); // a single blank counts
    alert->click();
    QVERIFY(alert->isChecked());
    alert->click(); // cannot be turned off while an entry holds text
    QVERIFY(alert->isChecked());

    field(3)->setText(u"JA1ABC"_qs);
    spot("JA1ABC");
    QVERIFY(isRed(3));
    field(3)->clear(); // emptied while on: stays on until clicked
    QVERIFY(alert->isChecked());
    alert->click();
    QVERIFY(!alert->isChecked());
    QVERIFY(!isRed(3) && !!lamp()->isHidden());
}

void tst_MainAlerts::bothSoundsWarnOncePerTurningOn()
{
    watch(u"JA1ABC"_qs);
    QCheckBox* sound = check("SoundCheck");
    sound->click();
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.first().caption, u"Warning !"_qs);
    QCOMPARE(m_asked.first().text,
             u"The CallSign alert is already ON. Both alerts could be overlapping and create confusion."_qs);
    QVERIFY(sound->isChecked());
    sound->click(); // turning it off says nothing
    QCOMPARE(m_asked.size(), 1);
    sound->click();
    QCOMPARE(m_asked.size(), 2);
}

void tst_MainAlerts::withTheSwitchOffNothingIsTested()
{
    field(1)->setText(u"JA1ABC"_qs);
    spot("JA1ABC");
    QVERIFY(!isRed(1));
    QVERIFY(m_sounds.playedPaths().isEmpty());
}

void tst_MainAlerts::theNewSpotSoundComesFirstAndLetsBlocksWait()
{
    watch(u"JA1ABC"_qs);
    check("SoundCheck")->setChecked(true);
    StringGrid* all = m_form->findChild<StringGrid*>(u"GridAll"_qs);
    int rowsWhenAlerting = -1;
    bool fedLater = false;
    m_sounds.setDuringPlay([&](const QString& path) {
        if (path.endsWith(u"NewDX.wav"_qs) && !fedLater) {
            fedLater = true;
            spot("JA9LATE", "1300Z"); // a block that arrives while the sound lets events run
        } else if (path == QString()) {
            rowsWhenAlerting = all->rowCount();
        }
    });
    spot("JA1ABC");
    const QString newSpot = m_kit.programFile(u"Sounds/NewDX.wav"_qs);
    QCOMPARE(m_sounds.playedPaths(), (QStringList{newSpot, QString(), newSpot}));
    QCOMPARE(rowsWhenAlerting, 2); // the later line waited behind the whole of this one
    QCOMPARE(all->rowCount(), 3);
    QCOMPARE(all->cell(1, 2), u"JA9LATE"_qs);
    QCOMPARE(messageLines().last(), u"JA1ABC alert at 12:27Z"_qs);
}

QTEST_MAIN(tst_MainAlerts)
#include "tst_MainAlerts.moc"
