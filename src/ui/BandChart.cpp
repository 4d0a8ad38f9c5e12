#include "BandChart.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Margin = 2;
constexpr double Gap = 4;
constexpr double TickLength = 4;
constexpr double MarkLine = 6;
constexpr double MarkPadding = 2;
constexpr double DepthShare = 0.25;      // of a bar's slot
constexpr double DepthLimitShare = 0.15; // of the plot's height, for charts of few or no bars
constexpr double BarShare = 0.7;         // of a bar's slot, the rest is the gap between bars
constexpr double SmallestScale = 5;
constexpr double TargetIntervals = 5;

const QColor BackgroundStart(0xFF, 0xFF, 0xFF);
const QColor BackgroundEnd(0xD6, 0xE2, 0xF0);
const QColor GridColor(0xA0, 0xA8, 0xB4);
const QColor MarkFill(0xFF, 0xFF, 0xE1);

// The smallest step of 1, 2 or 5 times a power of ten that cuts the range into about five parts.
double niceStep(double largest)
{
    const double rough = largest / TargetIntervals;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / magnitude;
    const double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    return std::max(1.0, nice * magnitude);
}

QFont titleFont(QFont font)
{
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    return font;
}

QString valueText(double value)
{
    return QString::number(std::llround(value));
}

QPolygonF parallelogram(QPointF a, QPointF b, QPointF offset)
{
    return QPolygonF({a, a + offset, b + offset, b});
}

} // namespace

// Where everything of the plot lies for the current size, bars and pan; painting, panning and
// the bars' accessible rectangles all measure with it.
struct BandChart::Geometry
{
    QRectF front;     // the front plane: value axis on its left edge, floor at its bottom
    double depth = 0; // how far the back wall lies up and to the right
    double slot = 0;  // the width that one bar and its gap take
    double low = 0;   // the value at the floor
    double high = 0;  // the value at the top of the front plane
    double step = 1;  // the value between two grid lines

    double y(double value) const { return front.bottom() - (value - low) / (high - low) * front.height(); }
    QPointF back() const { return {depth, -depth}; }
    QRectF plot() const { return front.adjusted(0, -depth, depth, 0); }

    QRectF bar(int index, int value) const
    {
        const double width = slot * BarShare;
        const double left = front.left() + index * slot + (slot - width) / 2;
        const double top = y(value);
        const double base = y(0);
        return {QPointF(left, std::min(top, base)), QPointF(left + width, std::max(top, base))};
    }
};

namespace {

// What a screen reader sees of one bar: "label: value" as its name. It reads the chart's bars
// live, so it stays right across setBars() for as long as its position exists.
class BarAccessible final : public QAccessibleInterface
{
public:
    BarAccessible(BandChart* chart, int index) : m_chart(chart), m_index(index) {}

    bool isValid() const override { return m_chart && m_index < m_chart->bars().size(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_chart); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name || !isValid())
            return {};
        const BandChart::Bar& bar = m_chart->bars().at(m_index);
        return QStringLiteral("%1: %2").arg(bar.label).arg(bar.value);
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect bar = m_chart->barRect(m_index);
        return {m_chart->mapToGlobal(bar.topLeft()), bar.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !isValid();
        return state;
    }

private:
    QPointer<BandChart> m_chart;
    int m_index;
};

// The chart as a screen reader sees it: named by its accessible name (or else its title), with
// one child per bar.
class ChartAccessible final : public QAccessibleWidget
{
public:
    explicit ChartAccessible(BandChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

    ~ChartAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(m_barIds))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(chart()->bars().size()); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        // One interface per bar position, made when first asked for: the bars are read live.
        while (m_barIds.size() <= index) {
            auto* bar = new BarAccessible(chart(), int(m_barIds.size()));
            m_barIds.append(QAccessible::registerAccessibleInterface(bar));
        }
        return QAccessible::accessibleInterface(m_barIds.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int index = 0; index < m_barIds.size() && index < childCount(); ++index) {
            if (QAccessible::accessibleInterface(m_barIds.at(index)) == child)
                return index;
        }
        return -1;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? chart()->title() : name;
    }

private:
    BandChart* chart() const { return static_cast<BandChart*>(widget()); }

    mutable QList<QAccessible::Id> m_barIds;
};

QAccessibleInterface* createChartAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1String(BandChart::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new ChartAccessible(static_cast<BandChart*>(object));
}

void installAccessibleFactoryOnce()
{
    static const bool installed = (QAccessible::installFactory(&createChartAccessible), true);
    Q_UNUSED(installed)
}

} // namespace

BandChart::BandChart(QWidget* parent) : QWidget(parent)
{
    installAccessibleFactoryOnce();
}

BandChart::~BandChart() = default;

void BandChart::setBars(const QList<Bar>& bars)
{
    m_bars = bars;
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void BandChart::setTitle(const QString& title)
{
    m_title = title;
    update();
}

QRect BandChart::barRect(int index) const
{
    if (index < 0 || index >= m_bars.size())
        return {};
    return plotGeometry().bar(index, m_bars.at(index).value).toAlignedRect();
}

QSize BandChart::sizeHint() const
{
    return {480, 260};
}

BandChart::Geometry BandChart::plotGeometry() const
{
    const QFontMetricsF metrics(font());
    const auto largestBar = std::max_element(m_bars.cbegin(), m_bars.cend(),
                                             [](const Bar& a, const Bar& b) { return a.value < b.value; });
    const double largest = std::max(SmallestScale, largestBar == m_bars.cend() ? 0.0 : largestBar->value);

    Geometry geometry;
    geometry.step = niceStep(largest);
    geometry.low = m_pan;
    geometry.high = std::ceil(largest / geometry.step) * geometry.step + m_pan;

    const QRectF content = QRectF(rect()).adjusted(Margin, Margin, -Margin, -Margin);
    const double titleHeight = m_title.isEmpty() ? 0 : QFontMetricsF(titleFont(font())).height() + Gap;
    const double markHeight = metrics.height() + 2 * MarkPadding + MarkLine;
    const double tickTextWidth = std::max(metrics.horizontalAdvance(valueText(std::floor(geometry.low))),
                                          metrics.horizontalAdvance(valueText(std::ceil(geometry.high))));
    const double left = content.left() + tickTextWidth + Gap + TickLength;
    const double top = content.top() + titleHeight + markHeight;
    const double bottom = content.bottom() - metrics.height() - Gap;
    const int slots = std::max(1, int(m_bars.size()));
    const double width = content.right() - left;

    geometry.depth =
        std::max(0.0, std::min(width / (slots + DepthShare) * DepthShare, (bottom - top) * DepthLimitShare));
    geometry.slot = (width - geometry.depth) / slots;
    geometry.front =
        QRectF(QPointF(left, top + geometry.depth), QPointF(content.right() - geometry.depth, bottom));
    return geometry;
}

void BandChart::panBy(double values)
{
    const Geometry current = plotGeometry();
    const double span = current.high - current.low;
    m_pan = std::clamp(m_pan + values, -span, span);
    update();
}

void BandChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBackground(painter);
    paintTitle(painter);
    const Geometry plot = plotGeometry();
    if (plot.front.width() <= 0 || plot.front.height() <= 0)
        return;
    paintWalls(painter, plot);
    paintValueAxis(painter, plot);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.setClipRect(plot.plot());
    for (int index = 0; index < m_bars.size(); ++index)
        paintBar(painter, plot, index);
    painter.restore();
    for (int index = 0; index < m_bars.size(); ++index) {
        paintMark(painter, plot, index);
        paintLabel(painter, plot, index);
    }
}

void BandChart::paintBackground(QPainter& painter) const
{
    QLinearGradient shading(rect().topLeft(), rect().bottomRight());
    shading.setColorAt(0, BackgroundStart);
    shading.setColorAt(1, BackgroundEnd);
    painter.fillRect(rect(), shading);
}

void BandChart::paintTitle(QPainter& painter) const
{
    if (m_title.isEmpty())
        return;
    painter.setFont(titleFont(font()));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(rect()).adjusted(Margin, Margin, -Margin, -Margin), Qt::AlignLeft | Qt::AlignTop,
                     m_title);
    painter.setFont(font());
}

void BandChart::paintWalls(QPainter& painter, const Geometry& plot) const
{
    const QRectF& front = plot.front;
    painter.setPen(GridColor);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawRect(front.translated(plot.back()));
    painter.setBrush(QColor(225, 230, 238, 170));
    painter.drawPolygon(parallelogram(front.topLeft(), front.bottomLeft(), plot.back()));
    painter.setBrush(QColor(200, 206, 216, 170));
    painter.drawPolygon(parallelogram(front.bottomLeft(), front.bottomRight(), plot.back()));
    painter.setBrush(Qt::NoBrush);
}

void BandChart::paintValueAxis(QPainter& painter, const Geometry& plot) const
{
    const QRectF& front = plot.front;
    const QRectF back = front.translated(plot.back());
    const double textHeight = QFontMetricsF(font()).height();
    const double textRight = front.left() - TickLength - Gap / 2;
    for (double value = std::ceil(plot.low / plot.step) * plot.step; value <= plot.high + 0.5;
         value += plot.step) {
        const double y = plot.y(value);
        painter.setPen(GridColor);
        painter.drawLine(QPointF(front.left(), y), QPointF(back.left(), y - plot.depth));
        painter.drawLine(QPointF(back.left(), y - plot.depth), QPointF(back.right(), y - plot.depth));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(front.left() - TickLength, y), QPointF(front.left(), y));
        painter.drawText(QRectF(Margin, y - textHeight / 2, textRight - Margin, textHeight),
                         Qt::AlignRight | Qt::AlignVCenter, valueText(value));
    }
    painter.drawLine(front.topLeft(), front.bottomLeft());
    painter.drawLine(front.bottomLeft(), front.bottomRight());
}

void BandChart::paintBar(QPainter& painter, const Geometry& plot, int index) const
{
    const Bar& bar = m_bars.at(index);
    const QRectF face = plot.bar(index, bar.value);
    painter.setPen(bar.color.darker(200));
    painter.setBrush(bar.color.darker(130));
    painter.drawPolygon(parallelogram(face.topRight(), face.bottomRight(), plot.back()));
    painter.setBrush(bar.color.lighter(115));
    painter.drawPolygon(parallelogram(face.topLeft(), face.topRight(), plot.back()));
    QLinearGradient shading(face.topLeft(), face.bottomLeft());
    shading.setColorAt(0, bar.color);
    shading.setColorAt(1, bar.color.darker(150));
    painter.setBrush(shading);
    painter.drawRect(face);
    painter.setBrush(Qt::NoBrush);
}

// The value in a small box above the middle of the bar's top face, joined to it by a short line.
void BandChart::paintMark(QPainter& painter, const Geometry& plot, int index) const
{
    const int value = m_bars.at(index).value;
    const double top = plot.y(value);
    if (top < plot.front.top() - 0.5 || top > plot.front.bottom() + 0.5)
        return;
    const QPointF anchor(plot.bar(index, value).center().x() + plot.depth / 2, top - plot.depth / 2);
    const QPointF lineEnd = anchor - QPointF(0, MarkLine);
    const QString text = valueText(value);
    const QFontMetricsF metrics(font());
    const QSizeF box(metrics.horizontalAdvance(text) + 2 * MarkPadding, metrics.height() + 2 * MarkPadding);
    const QRectF mark(QPointF(lineEnd.x() - box.width() / 2, lineEnd.y() - box.height()), box);
    painter.setPen(Qt::black);
    painter.drawLine(anchor, lineEnd);
    painter.setBrush(MarkFill);
    painter.drawRect(mark);
    painter.setBrush(Qt::NoBrush);
    painter.drawText(mark, Qt::AlignCenter, text);
}

void BandChart::paintLabel(QPainter& painter, const Geometry& plot, int index) const
{
    const QFontMetricsF metrics(font());
    const QRectF room(plot.front.left() + index * plot.slot, plot.front.bottom() + Gap / 2, plot.slot,
                      metrics.height());
    painter.setPen(Qt::black);
    painter.drawText(room, Qt::AlignHCenter | Qt::AlignTop,
                     metrics.elidedText(m_bars.at(index).label, Qt::ElideRight, plot.slot));
}

void BandChart::mousePressEvent(QMouseEvent* event)
{
    m_dragY = event->position().y();
}

// Dragging moves the bars with the mouse: the value under the pointer stays under it.
void BandChart::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const Geometry plot = plotGeometry();
    const double y = event->position().y();
    if (plot.front.height() > 0)
        panBy((y - m_dragY) * (plot.high - plot.low) / plot.front.height());
    m_dragY = y;
}

void BandChart::mouseDoubleClickEvent(QMouseEvent*)
{
    m_pan = 0;
    update();
}

void BandChart::wheelEvent(QWheelEvent* event)
{
    panBy(event->angleDelta().y() / 120.0 * plotGeometry().step);
    event->accept();
}
