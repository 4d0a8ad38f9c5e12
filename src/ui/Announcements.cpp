#include "Announcements.h"

#include "Tel_Init.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMainWindow>
#include <QStatusBar>

namespace {

QAccessibleInterface* createAnnouncerAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1StringView(Announcer::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

void installAccessibleFactoryOnce()
{
    static const bool installed = (QAccessible::installFactory(&createAnnouncerAccessible), true);
    Q_UNUSED(installed)
}

QString spotText(const TSpotRec& spot)
{
    return QStringLiteral("%1 %2 by %3").arg(spot.CALL, spot.FRQ, spot.DXDE);
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    installAccessibleFactoryOnce();
    resize(0, 0); // heard, never seen
    hide();       // until the first announcement: nothing to read before
    m_sayOnce.setSingleShot(true);
    connect(&m_sayOnce, &QTimer::timeout, this, &Announcer::say);
    m_spotPause.setInterval(SpotPause);
    connect(&m_spotPause, &QTimer::timeout, this, &Announcer::sayWaitingSpots);
}

Announcer::~Announcer() = default;

Announcer& Announcer::of(QMainWindow* window)
{
    QStatusBar* bar = window->statusBar();
    auto* announcer = bar->findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly);
    return announcer ? *announcer : *new Announcer(bar);
}

void Announcer::announce(const QString& text)
{
    m_text = text;
    m_sayOnce.start();
    m_spotPause.start();
}

void Announcer::announceSpot(const TSpotRec& spot)
{
    m_newestSpot = spotText(spot);
    ++m_waitingSpots;
    if (!m_spotPause.isActive())
        sayWaitingSpots();
}

void Announcer::sayWaitingSpots()
{
    if (m_waitingSpots == 0) {
        m_spotPause.stop();
        return;
    }
    const QString text =
        m_waitingSpots == 1 ? m_newestSpot
                            : QStringLiteral("%1 new spots, newest %2").arg(m_waitingSpots).arg(m_newestSpot);
    m_waitingSpots = 0;
    announce(text);
}

void Announcer::say()
{
    setAccessibleName(m_text);
    hide();
    show();
}
