#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "SplashFrm.h"
#include "Tel_Init.h"

class tst_Splash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildText_data();
    void buildText();
    void creationSetsBuildText();
    void timerFiresOnce();
    void look();
};

void tst_Splash::buildText_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");
    QTest::newRow("the program's version") << "1.5.2.78"
                                           << "Build 1.5.2.78";
    QTest::newRow("no version information") << ""
                                            << "";
}

void tst_Splash::buildText()
{
    QFETCH(QString, version);
    QFETCH(QString, expected);
    QCOMPARE(buildTextFor(version), expected);
}

void tst_Splash::creationSetsBuildText()
{
    BuildText.clear();
    const TSplashForm splash;
    QCOMPARE(BuildText, QStringLiteral("Build 1.5.2.78"));
}

void tst_Splash::timerFiresOnce()
{
    TSplashForm splash;
    const QTimer* timer = splash.SplashTimer();
    QCOMPARE(timer, splash.findChild<QTimer*>("SplashTimer"));
    QVERIFY(timer->isActive()); // enabled from creation
    QCOMPARE(timer->interval(), 2500);

    QSignalSpy fired(timer, &QTimer::timeout);
    QVERIFY(fired.wait(5000));
    QVERIFY(!timer->isActive());
    QTest::qWait(3000); // a second interval passes without a second tick
    QCOMPARE(fired.count(), 1);
}

void tst_Splash::look()
{
    TSplashForm splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.size(), QSize(400, 258));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.geometry().center(), splash.screen()->availableGeometry().center());
    QCOMPARE(splash.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(splash.font().pointSize(), 8);

    const auto* image = splash.findChild<QLabel*>("SplashImage");
    QVERIFY(image);
    QCOMPARE(image->geometry(), splash.rect());
    QCOMPARE(image->pixmap().size(), QSize(400, 258));

    const auto* version = splash.findChild<QLabel*>("Label1");
    QVERIFY(version);
    QCOMPARE(version->text(), QStringLiteral("Version 1.5a (August 2010)"));
    QCOMPARE(version->pos(), QPoint(216, 68));
    QVERIFY(version->font().bold());
    QVERIFY(!version->autoFillBackground());
    QCOMPARE(version->palette().color(QPalette::WindowText), QColor(Qt::white));

    const auto* notice = splash.findChild<QLabel*>("InfoLabel");
    QVERIFY(notice);
    QCOMPARE(notice->geometry(), QRect(4, 190, 390, 65));
    QVERIFY(notice->wordWrap());
    QVERIFY(!notice->text().isEmpty());
    QCOMPARE(notice->palette().color(QPalette::WindowText), QColor(Qt::white));
    // The notice fits its box.
    QVERIFY(notice->heightForWidth(notice->width()) <= notice->height());
}

QTEST_MAIN(tst_Splash)
#include "tst_Splash.moc"
