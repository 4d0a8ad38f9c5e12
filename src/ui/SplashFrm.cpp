#include "SplashFrm.h"
#include "ui_SplashFrm.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>

#include <cmath>

#include "Tel_Init.h"

namespace {

constexpr int SplashMilliseconds = 2500;
constexpr QSize PictureSize{400, 258};

void paintSky(QPainter& painter)
{
    QLinearGradient sky(0, 0, 0, PictureSize.height());
    sky.setColorAt(0.0, QColor(4, 8, 28));
    sky.setColorAt(0.6, QColor(14, 36, 82));
    sky.setColorAt(1.0, QColor(6, 14, 36));
    painter.fillRect(QRect(QPoint(0, 0), PictureSize), sky);

    QRandomGenerator stars(2010); // a fixed seed draws the same sky every time
    for (int i = 0; i < 90; ++i) {
        painter.setPen(QColor(255, 255, 255, stars.bounded(60, 230)));
        painter.drawPoint(stars.bounded(PictureSize.width()), stars.bounded(PictureSize.height() - 70));
    }
}

// A globe of meridians and parallels, seen from the side.
void paintGlobe(QPainter& painter)
{
    const QPointF centre(300, 150);
    constexpr double radius = 92;
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0.0, QColor(40, 110, 170, 120));
    glow.setColorAt(1.0, QColor(20, 50, 100, 40));
    painter.setBrush(glow);
    painter.setPen(QPen(QColor(120, 190, 230, 150), 1.2));
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 190, 230, 90), 1));
    for (double k : {0.25, 0.55, 0.85})
        painter.drawEllipse(centre, radius * k, radius);
    for (double latitude : {-0.66, -0.33, 0.0, 0.33, 0.66}) {
        const double y = centre.y() + radius * latitude;
        const double halfWidth = radius * std::sqrt(1.0 - latitude * latitude);
        painter.drawLine(QPointF(centre.x() - halfWidth, y), QPointF(centre.x() + halfWidth, y));
    }
}

// A lattice tower with a beam antenna on top, sending waves towards the globe.
void paintAntenna(QPainter& painter)
{
    const QColor steel(190, 205, 225);
    painter.setPen(QPen(steel, 1.5));
    const QPointF top(70, 96);
    const QPointF leftFoot(50, 190);
    const QPointF rightFoot(90, 190);
    painter.drawLine(top, leftFoot);
    painter.drawLine(top, rightFoot);
    for (int step = 1; step <= 6; ++step) {
        const double t = step / 6.0;
        const QPointF left = top + (leftFoot - top) * t;
        const QPointF right = top + (rightFoot - top) * t;
        const QPointF previousRight = top + (rightFoot - top) * ((step - 1) / 6.0);
        painter.drawLine(left, right);
        painter.drawLine(left, previousRight);
    }
    painter.drawLine(QPointF(70, 96), QPointF(70, 80));
    painter.drawLine(QPointF(38, 84), QPointF(102, 84)); // boom
    for (double x : {42.0, 56.0, 70.0, 84.0, 98.0})
        painter.drawLine(QPointF(x, 76), QPointF(x, 92));

    for (int ring = 1; ring <= 3; ++ring) {
        painter.setPen(QPen(QColor(255, 200, 90, 200 - 50 * ring), 1.5));
        const double r = 18.0 * ring;
        painter.drawArc(QRectF(110 - r, 84 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    }
}

void paintName(QPainter& painter)
{
    QFont font(QStringLiteral("Arial"), 30, QFont::Black);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QPainterPath name;
    name.addText(QPointF(16, 56), font, QStringLiteral("KORVANE"));
    painter.setPen(QPen(QColor(255, 200, 90), 1));
    QLinearGradient fill(0, 24, 0, 56);
    fill.setColorAt(0.0, QColor(255, 236, 170));
    fill.setColorAt(1.0, QColor(230, 150, 40));
    painter.setBrush(fill);
    painter.drawPath(name);
}

// The bottom band darkens so that the notice stays readable over the picture.
void paintNoticeBand(QPainter& painter)
{
    QLinearGradient band(0, 178, 0, PictureSize.height());
    band.setColorAt(0.0, QColor(0, 0, 0, 0));
    band.setColorAt(0.3, QColor(0, 0, 0, 150));
    band.setColorAt(1.0, QColor(0, 0, 0, 190));
    painter.fillRect(QRect(0, 178, PictureSize.width(), PictureSize.height() - 178), band);
}

QPixmap paintSplashPicture()
{
    QPixmap picture(PictureSize);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSky(painter);
    paintGlobe(painter);
    paintAntenna(painter);
    paintName(painter);
    paintNoticeBand(painter);
    return picture;
}

} // namespace

QString buildTextFor(const QString& fileVersion)
{
    return fileVersion.isEmpty() ? QString() : QStringLiteral("Build ") + fileVersion;
}

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::TSplashForm>()),
      m_splashTimer(new QTimer(this))
{
    m_ui->setupUi(this);
    m_ui->SplashImage->setPixmap(paintSplashPicture());
    const QColor windowColour = palette().color(QPalette::Base);
    for (QLabel* label : {m_ui->Label1, m_ui->InfoLabel}) {
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::WindowText, windowColour);
        label->setPalette(labelPalette);
    }
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    m_splashTimer->setObjectName(QStringLiteral("SplashTimer"));
    m_splashTimer->setInterval(SplashMilliseconds);
    connect(m_splashTimer, &QTimer::timeout, this, &TSplashForm::EndTimer);
    m_splashTimer->start();
    FormCreate();
}

TSplashForm::~TSplashForm() = default;

void TSplashForm::FormCreate()
{
    BuildText = buildTextFor(QStringLiteral(KORVANE_VERSION));
}

void TSplashForm::EndTimer()
{
    m_splashTimer->stop();
}
