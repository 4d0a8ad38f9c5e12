#include "BandChart.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <climits>

Q_DECLARE_METATYPE(BandChart::Bar)

namespace {

// The thirteen bars of the counts chart, with the given values in band order.
QList<BandChart::Bar> bandBars(const QList<int>& values)
{
    static const QStringList labels = {"160m", "80m", "40m", "30m", "20m",  "17m",   "15m",
                                       "12m",  "10m", "6m",  "2m",  "70cm", "Others"};
    QList<BandChart::Bar> bars;
    for (int band = 0; band < labels.size(); ++band)
        bars.append({labels.at(band), QColor::fromHsv(band * 27, 120, 255), values.value(band)});
    return bars;
}

} // namespace

class tst_BandChart final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void barsAreReplacedNotAppended();
    void barHeightsFollowTheValues();
    void accessibleChildrenNameTheBars();
    void panningMovesTheBarsAndDoubleClickResets();
    void paintsAnyContent_data();
    void paintsAnyContent();
};

void tst_BandChart::barsAreReplacedNotAppended()
{
    BandChart chart;
    QVERIFY(chart.bars().isEmpty());
    chart.setBars(bandBars({12, 3}));
    chart.setBars(bandBars({1, 2, 3}));
    QCOMPARE(chart.bars().size(), 13);
    QCOMPARE(chart.bars().at(0).value, 1);
    QCOMPARE(chart.bars().at(3).value, 0);
    chart.setBars({{"160m", Qt::red, 7}});
    QCOMPARE(chart.bars().size(), 1);
    QCOMPARE(chart.bars().at(0).value, 7);
}

void tst_BandChart::barHeightsFollowTheValues()
{
    BandChart chart;
    chart.resize(700, 300);
    chart.setBars(bandBars({40, 20, 0, 10}));
    const QRect tallest = chart.barRect(0);
    QVERIFY(tallest.height() > 100);
    QCOMPARE(chart.barRect(1).bottom(), tallest.bottom());
    QVERIFY(qAbs(chart.barRect(1).height() - tallest.height() / 2) <= 2);
    QVERIFY(qAbs(chart.barRect(3).height() - tallest.height() / 4) <= 2);
    QVERIFY(chart.barRect(2).height() <= 1);
    QVERIFY(chart.barRect(0).right() < chart.barRect(1).left());
    QVERIFY(chart.barRect(13).isNull());
}

void tst_BandChart::accessibleChildrenNameTheBars()
{
    BandChart chart;
    chart.setTitle("DX Outlook");
    chart.setBars(bandBars({12, 5}));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Chart);
    QCOMPARE(accessible->text(QAccessible::Name), QString("DX Outlook"));
    chart.setAccessibleName("Spot counts per band");
    QCOMPARE(accessible->text(QAccessible::Name), QString("Spot counts per band"));

    QCOMPARE(accessible->childCount(), 13);
    QAccessibleInterface* first = accessible->child(0);
    QVERIFY(first);
    QCOMPARE(first->text(QAccessible::Name), QString("160m: 12"));
    QCOMPARE(accessible->child(12)->text(QAccessible::Name), QString("Others: 0"));
    QCOMPARE(accessible->indexOfChild(accessible->child(1)), 1);
    QCOMPARE(first->parent(), accessible);

    chart.setBars({{"160m", Qt::red, 13}});
    QCOMPARE(accessible->childCount(), 1);
    QCOMPARE(first->text(QAccessible::Name), QString("160m: 13"));
    QVERIFY(!accessible->child(1));
}

void tst_BandChart::panningMovesTheBarsAndDoubleClickResets()
{
    BandChart chart;
    chart.resize(700, 300);
    chart.setBars(bandBars({40, 20}));
    const QRect resting = chart.barRect(1);

    QWheelEvent wheel(QPointF(300, 150), chart.mapToGlobal(QPointF(300, 150)), {}, QPoint(0, 120),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &wheel);
    QVERIFY(chart.barRect(1).bottom() > resting.bottom());

    QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(300, 150));
    QCOMPARE(chart.barRect(1), resting);

    // A drag carries the bars with the pointer.
    QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(300, 150));
    QMouseEvent drag(QEvent::MouseMove, QPointF(300, 130), chart.mapToGlobal(QPointF(300, 130)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(&chart, &drag);
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(300, 130));
    QVERIFY(qAbs(chart.barRect(1).top() - (resting.top() - 20)) <= 1);
}

void tst_BandChart::paintsAnyContent_data()
{
    QTest::addColumn<QList<BandChart::Bar>>("bars");
    QTest::addColumn<QSize>("size");
    QTest::newRow("no bars") << QList<BandChart::Bar>() << QSize(700, 300);
    QTest::newRow("thirteen bars") << bandBars({12, 80, 450, 3, 999, 0, 17, 1, 2, 0, 0, 5, 31})
                                   << QSize(700, 300);
    QTest::newRow("all zero") << bandBars({}) << QSize(700, 300);
    QTest::newRow("huge value") << bandBars({INT_MAX, 1}) << QSize(700, 300);
    QTest::newRow("negative value") << bandBars({-5, 3}) << QSize(700, 300);
    QTest::newRow("tiny widget") << bandBars({12, 5}) << QSize(12, 9);
}

// The top of each bar's front face is drawn in the bar's own colour, where barRect() says it is.
void tst_BandChart::paintsAnyContent()
{
    QFETCH(QList<BandChart::Bar>, bars);
    QFETCH(QSize, size);
    BandChart chart;
    chart.setTitle("DX Outlook");
    chart.resize(size);
    chart.setBars(bars);
    const QImage image = chart.grab().toImage();
    QCOMPARE(image.size(), size);
    for (int index = 0; index < bars.size(); ++index) {
        const QRect face = chart.barRect(index);
        if (face.height() < 40 || !image.rect().contains(face))
            continue;
        const QColor top = image.pixelColor(face.center().x(), face.top() + 2);
        const QColor expected = bars.at(index).color;
        QVERIFY2(qAbs(top.red() - expected.red()) + qAbs(top.green() - expected.green()) +
                         qAbs(top.blue() - expected.blue()) <
                     30,
                 qPrintable(bars.at(index).label));
    }
}

QTEST_MAIN(tst_BandChart)
#include "tst_BandChart.moc"
