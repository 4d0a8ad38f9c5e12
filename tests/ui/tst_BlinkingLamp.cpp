#include <QAccessible>
#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "AccessibleText.h"
#include "BlinkingLamp.h"
#include "Fonts.h"

namespace {

constexpr QPoint LampMiddle{56, 19};

QColor lampColour(BlinkingLamp& lamp)
{
    return lamp.grab().toImage().pixelColor(LampMiddle);
}

} // namespace

class tst_BlinkingLamp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void designedLook();
    void captionLeftOfLamp();
    void startsDark();
    void flashesEveryQuarterSecond();
    void stopEndsDark();
    void accessibleStateFollowsBlinking();
};

void tst_BlinkingLamp::initTestCase()
{
    registerFonts();
}

void tst_BlinkingLamp::designedLook()
{
    const BlinkingLamp lamp;
    QCOMPARE(lamp.size(), QSize(78, 38));
    QCOMPARE(lamp.sizeHint(), QSize(78, 38));
    const QFontInfo font(lamp.font());
    QCOMPARE(font.family(), QStringLiteral("Tahoma"));
    QCOMPARE(font.pointSize(), 8);
    QVERIFY(font.bold());
}

// The caption is drawn in black left of the lamp; the lamp keeps a 2-pixel margin to the right.
void tst_BlinkingLamp::captionLeftOfLamp()
{
    BlinkingLamp lamp;
    lamp.setBlinking(true);
    const QImage image = lamp.grab().toImage();
    bool captionInk = false;
    for (int x = 0; x < 30; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor pixel = image.pixelColor(x, y);
            QVERIFY2(pixel != QColor(Qt::red), "the lamp overlaps the caption");
            captionInk = captionInk || pixel.lightness() < 60;
        }
    }
    QVERIFY(captionInk);
    QCOMPARE(image.pixelColor(74, 19), QColor(Qt::red));
    for (int x : {76, 77})
        QVERIFY(image.pixelColor(x, 19) != QColor(Qt::red));
}

void tst_BlinkingLamp::startsDark()
{
    BlinkingLamp lamp;
    QVERIFY(!lamp.isBlinking());
    QCOMPARE(lampColour(lamp), QColor(Qt::black));
}

void tst_BlinkingLamp::flashesEveryQuarterSecond()
{
    BlinkingLamp lamp;
    lamp.setBlinking(true);
    QVERIFY(lamp.isBlinking());
    QCOMPARE(lampColour(lamp), QColor(Qt::red)); // lit at once

    const auto* timer = lamp.findChild<QTimer*>("FlashTimer");
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 250);
    QSignalSpy flashes(timer, &QTimer::timeout);
    QVERIFY(flashes.wait(1000));
    QCOMPARE(lampColour(lamp), QColor(Qt::black));
    QVERIFY(flashes.wait(1000));
    QCOMPARE(lampColour(lamp), QColor(Qt::red));

    lamp.setBlinking(true); // asked again, e.g. when the lamp moves to another entry
    QVERIFY(lamp.isBlinking());
    QCOMPARE(lampColour(lamp), QColor(Qt::red));
}

void tst_BlinkingLamp::stopEndsDark()
{
    BlinkingLamp lamp;
    lamp.setBlinking(true);
    lamp.setBlinking(false);
    QVERIFY(!lamp.isBlinking());
    QVERIFY(!lamp.findChild<QTimer*>("FlashTimer")->isActive());
    QCOMPARE(lampColour(lamp), QColor(Qt::black));
}

// What a screen reader hears. (Offscreen, Qt raises no accessibility events to watch.)
void tst_BlinkingLamp::accessibleStateFollowsBlinking()
{
    BlinkingLamp lamp;
    QCOMPARE(accessibleText(&lamp, QAccessible::Name), QStringLiteral("Alert lamp"));
    QCOMPARE(accessibleText(&lamp, QAccessible::Description), QStringLiteral("Not blinking"));
    lamp.setBlinking(true);
    QCOMPARE(accessibleText(&lamp, QAccessible::Description), QStringLiteral("Blinking"));
    lamp.setBlinking(false);
    QCOMPARE(accessibleText(&lamp, QAccessible::Description), QStringLiteral("Not blinking"));
}

QTEST_MAIN(tst_BlinkingLamp)
#include "tst_BlinkingLamp.moc"
