#include "BlinkingLamp.h"

#include <QPainter>
#include <QTimer>

namespace {

constexpr QSize DesignedSize{78, 38};
constexpr int Margin = 2;
constexpr int Spacing = 3;
constexpr int FlashMilliseconds = 250;
constexpr auto Caption = "Alert";

} // namespace

BlinkingLamp::BlinkingLamp(QWidget* parent) : QWidget(parent), m_flashTimer(new QTimer(this))
{
    setFont(QFont(QStringLiteral("Tahoma"), 8, QFont::Bold));
    resize(DesignedSize);
    setAccessibleName(QStringLiteral("Alert lamp"));
    describeState();

    m_flashTimer->setObjectName(QStringLiteral("FlashTimer"));
    m_flashTimer->setInterval(FlashMilliseconds);
    connect(m_flashTimer, &QTimer::timeout, this, &BlinkingLamp::flash);
}

BlinkingLamp::~BlinkingLamp() = default;

void BlinkingLamp::setBlinking(bool blinking)
{
    if (blinking == isBlinking())
        return; // a repeat is no change: no event, and the flash rhythm goes on
    // Blinking starts lit so that the lamp shows at once, and always ends dark.
    m_lit = blinking;
    if (blinking)
        m_flashTimer->start();
    else
        m_flashTimer->stop();
    update();
    describeState();
}

bool BlinkingLamp::isBlinking() const
{
    return m_flashTimer->isActive();
}

QSize BlinkingLamp::sizeHint() const
{
    return DesignedSize;
}

void BlinkingLamp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QString caption = QString::fromLatin1(Caption);
    const QRect content = rect().marginsRemoved(QMargins(Margin, Margin, Margin, Margin));
    const QRect captionRect(content.topLeft(),
                            QSize(fontMetrics().horizontalAdvance(caption), content.height()));
    painter.setPen(Qt::black);
    painter.drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter, caption);

    const QRect lamp = content.adjusted(captionRect.width() + Spacing, 0, 0, 0);
    // A sunken bevel around the glass, as on a panel lamp.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(lamp.topLeft(), lamp.topRight());
    painter.drawLine(lamp.topLeft(), lamp.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(lamp.bottomLeft(), lamp.bottomRight());
    painter.drawLine(lamp.topRight(), lamp.bottomRight());
    painter.fillRect(lamp.adjusted(1, 1, -1, -1), m_lit ? Qt::red : Qt::black);
}

void BlinkingLamp::flash()
{
    m_lit = !m_lit;
    update();
}

// Setting the description raises the DescriptionChanged event: one per start or stop, none per flash.
void BlinkingLamp::describeState()
{
    setAccessibleDescription(isBlinking() ? QStringLiteral("Blinking") : QStringLiteral("Not blinking"));
}
