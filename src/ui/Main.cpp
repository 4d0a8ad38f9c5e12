#include "Main.h"
#include "ui_Main.h"

#include <QApplication>
#include <QDate>
#include <QHeaderView>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>
#include <numeric>

#include "BandChart.h"
#include "Colours.h"
#include "CommandsMemo.h"
#include "InterfaceInternetProbe.h"
#include "SettingsStore.h"
#include "WavSoundPlayer.h"
#include "StringGrid.h"

namespace {

// uic drops carriage returns, so these two texts are set here rather than in the form.
constexpr auto ProgBtnCaption = "Create a \r\nnew macro";
constexpr auto ProgBtnHint = "Click on this button to create macros\r\nassociated with the buttons above";
constexpr auto ChartTitle = "DX Outlook";
constexpr int ClockInterval = 5000; // ms between two Internet tests

// Windows colour values, $00BBGGRR.
constexpr ColorRef PaleYellow = 0x00C4FFFF;   // value cells, message pane, help areas, commands memo
constexpr ColorRef PromptYellow = 0x00A8ECFD; // the DX tab's prompt area
constexpr ColorRef SpotHeaderAmber = 0x0026B0D9;
constexpr ColorRef MemoHeaderEnd = 0x002C99D3;
constexpr ColorRef MoneyGreen = 0x00C0DCC0;
constexpr ColorRef WcyAlternate = 0x00BBFFFF;
// Windows system colours that Qt's palette has no role for, at their Windows default values.
constexpr ColorRef GradientActiveCaption = 0x00EAD1B9;
constexpr ColorRef ScrollBarColour = 0x00C8C8C8;

const QList<int> AllSpotsWidths{52, 100, 75, 95, 347, 156, 64};
const QList<int> BandSpotsWidths{52, 100, 75, 95, 351, 35, 64};
const QList<int> MessageWidths{100, 678};
constexpr int MemoCommandWidth = 150;
constexpr int MemoActionWidth = 719;

constexpr int MessageDateWidth = 100;
constexpr int MessageTextMargin = 122;

// Fusion pads each tab caption by 24 pixels, twice the classic look the window is designed for. With
// the classic padding all five control tabs and all eighteen spot tabs fit at the designed size.
class ClassicTabStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        constexpr int ClassicTabPadding = 10;
        return metric == PM_TabBarTabHSpace ? ClassicTabPadding
                                            : QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// A computed size of zero or less hides the widget; a positive one shows it again.
bool showIfRoom(QWidget* widget, int size)
{
    widget->setVisible(size > 0);
    return size > 0;
}

void setWidthOrHide(QWidget* widget, int width)
{
    if (showIfRoom(widget, width))
        widget->resize(width, widget->height());
}

// Gives one pane of a two-pane splitter its computed size; the other pane, which carries the
// stretch factor, takes the rest.
void setPaneSize(QSplitter* splitter, QWidget* pane, int size)
{
    if (!showIfRoom(pane, size))
        return;
    const int length = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
    const int rest = std::max(1, length - splitter->handleWidth() - size);
    splitter->setSizes(splitter->indexOf(pane) == 0 ? QList<int>{size, rest} : QList<int>{rest, size});
}

struct GridLook
{
    QList<int> columnWidths;
    StringGrid::Look look;
    QColor gridLines;
    QColor headerStart;
    QColor headerEnd;
};

void applyLook(StringGrid* grid, const GridLook& look)
{
    grid->setColumnWidths(look.columnWidths);
    grid->setLook(look.look);
    grid->setGridLineColor(look.gridLines);
    grid->setHeaderGradient(look.headerStart, look.headerEnd);
}

} // namespace

namespace {

std::unique_ptr<SoundPlayer> defaultSounds(SoundPlayer* given)
{
    return given ? nullptr : std::make_unique<WavSoundPlayer>(&QApplication::beep);
}

std::unique_ptr<InternetProbe> defaultInternet(InternetProbe* given)
{
    return given ? nullptr : std::make_unique<InterfaceInternetProbe>();
}

std::unique_ptr<SettingsStore> defaultSettings(SettingsStore* given)
{
    return given ? nullptr : std::make_unique<SettingsStore>();
}

} // namespace

TTelForm::TTelForm(const FormServices& services, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::TTelForm>()),
      m_ownSounds(defaultSounds(services.sounds)), m_ownInternet(defaultInternet(services.internet)),
      m_ownSettings(defaultSettings(services.settings)),
      m_sounds(services.sounds ? *services.sounds : *m_ownSounds),
      m_internet(services.internet ? *services.internet : *m_ownInternet),
      m_settings(services.settings ? *services.settings : *m_ownSettings),
      m_today(services.today ? services.today : std::function<QDate()>(&QDate::currentDate)),
      m_intake([this](const QString& line) { ProcessClusterText(line); })
{
    m_ui->setupUi(this);
    setUpTexts();
    setUpColours();
    setUpIcons();
    setUpTabBars();
    setUpStatusBar();
    setUpGrids();
    setUpCommandsMemo();
    connectHandlers();
    m_clock.setInterval(ClockInterval);
    m_clock.start();
}

TTelForm::~TTelForm() = default;

// ---- Building the designed start state ------------------------------------------------------------

void TTelForm::setUpTexts()
{
    m_ui->ProgBtn->setText(QString::fromLatin1(ProgBtnCaption));
    m_ui->ProgBtn->setToolTip(QString::fromLatin1(ProgBtnHint));
}

void TTelForm::setUpColours()
{
    const QColor paleYellow = fromColorRef(PaleYellow);
    for (QLabel* cell : {m_ui->CQPanel, m_ui->ITUPanel, m_ui->WACPanel, m_ui->FRQPanel, m_ui->HOURPanel,
                         m_ui->DXDPanel, m_ui->LATPanel, m_ui->LNGPanel, m_ui->COMPanel})
        setColour(cell, QPalette::Window, paleYellow);
    for (QFrame* outline :
         {m_ui->Row1Outline, m_ui->CQOutline, m_ui->ITUOutline, m_ui->WACOutline, m_ui->FRQOutline,
          m_ui->HOUROutline, m_ui->LATOutline, m_ui->LNGOutline, m_ui->COMOutline})
        setColours(outline, Qt::white, Qt::black);
    // The header captions are children of their strips and take the strip's colours.
    setColours(m_ui->HeaderStrip1, Qt::black, Qt::white);
    setColours(m_ui->HeaderStrip2, Qt::black, Qt::white);

    setColour(m_ui->SETLabel, QPalette::Window, paleYellow);
    setColour(m_ui->SHOWLabel, QPalette::Window, paleYellow);
    setColour(m_ui->INFOPanel, QPalette::Window, fromColorRef(PromptYellow));
    // Its lines are 13 pixels high; as a style sheet overrides the palette, the sheet carries the colour.
    m_ui->ErrorList->setStyleSheet(
        QStringLiteral("QListWidget { background: %1; } QListWidget::item { height: 13px; }")
            .arg(paleYellow.name()));
    setColour(m_ui->ValueListEditor1, QPalette::Base, paleYellow);
    setColour(m_ui->ConnectLabel, QPalette::WindowText, palette().color(QPalette::Base));
}

void TTelForm::setUpIcons()
{
    m_ui->ResetBtn->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    m_ui->PlayBtn->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_ui->RAZButton->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
}

void TTelForm::setUpTabBars()
{
    auto* tabStyle = new ClassicTabStyle(QApplication::style()->name());
    tabStyle->setParent(this);
    for (QTabWidget* tabs : {m_ui->ControlPage, m_ui->SpotPage})
        tabs->tabBar()->setStyle(tabStyle);
}

void TTelForm::setUpStatusBar()
{
    constexpr std::array<int, StatusPanelCount> widths{250, 120, 50};
    for (int index = 0; index < StatusPanelCount; ++index) {
        auto* panel = new QLabel(m_ui->InfoBar);
        panel->setObjectName(QStringLiteral("InfoPanel%1").arg(index));
        panel->setAccessibleName(tr("Status"));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(widths[index]);
        const bool last = index == StatusPanelCount - 1;
        if (!last)
            panel->setMaximumWidth(widths[index]);
        m_ui->InfoBar->addWidget(panel, last ? 1 : 0); // the last panel reaches the right edge
        m_statusPanels[index] = panel;
    }
}

void TTelForm::setUpGrids()
{
    m_spotGrids = {m_ui->GridAll, m_ui->Grid160, m_ui->Grid80, m_ui->Grid40, m_ui->Grid30,
                   m_ui->Grid20,  m_ui->Grid17,  m_ui->Grid15, m_ui->Grid12, m_ui->Grid10,
                   m_ui->Grid6,   m_ui->Grid2,   m_ui->Grid70, m_ui->Grid888};
    const QColor caption = fromColorRef(GradientActiveCaption);

    applyLook(m_ui->GridAll,
              {AllSpotsWidths, StringGrid::Look::Spots, Qt::white, Qt::white, fromColorRef(SpotHeaderAmber)});
    const GridLook band{BandSpotsWidths, StringGrid::Look::Spots, palette().color(QPalette::Base), caption,
                        caption};
    for (StringGrid* grid : m_spotGrids)
        if (grid != m_ui->GridAll)
            applyLook(grid, band);

    const GridLook messages{MessageWidths, StringGrid::Look::Messages, fromColorRef(ScrollBarColour), caption,
                            caption};
    applyLook(m_ui->AnnGrid, messages);
    applyLook(m_ui->WcyGrid, messages);
    m_ui->AnnGrid->setAlternateRowColor(fromColorRef(MoneyGreen));
    m_ui->WcyGrid->setAlternateRowColor(fromColorRef(WcyAlternate));
    m_ui->AnnGrid->installEventFilter(this);
    m_ui->WcyGrid->installEventFilter(this);

    m_ui->Chart->setTitle(QString::fromLatin1(ChartTitle));
}

void TTelForm::setUpCommandsMemo()
{
    QTableWidget* memo = m_ui->ValueListEditor1;
    memo->setColumnWidth(0, MemoCommandWidth);
    memo->setColumnWidth(1, MemoActionWidth);
    memo->verticalHeader()->hide();
    fillCommandsMemo(memo);
    memo->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                       "stop:0 white, stop:1 %1); border: none; border-right: 1px solid %2; padding: 2px; }")
            .arg(fromColorRef(MemoHeaderEnd).name(), palette().color(QPalette::Mid).name()));
}

// ---- Status bar -----------------------------------------------------------------------------------

QLabel* TTelForm::statusLabel(int index) const
{
    return index >= 0 && index < StatusPanelCount ? m_statusPanels[index] : nullptr;
}

void TTelForm::setStatusPanel(int index, const QString& text)
{
    if (QLabel* panel = statusLabel(index))
        panel->setText(text);
}

QString TTelForm::statusPanel(int index) const
{
    const QLabel* panel = statusLabel(index);
    return panel ? panel->text() : QString();
}

// ---- Layout rules ---------------------------------------------------------------------------------

void TTelForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    ResizeForm();
}

bool TTelForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && (watched == m_ui->AnnGrid || watched == m_ui->WcyGrid))
        ResizeAnnonceGrid();
    watchedEvent(watched, event);
    return QMainWindow::eventFilter(watched, event);
}

void TTelForm::ResizeForm()
{
    // A main window without menu has no frame of its own: its size is the client area.
    const int clientWidth = width();
    const int clientHeight = height();
    setPaneSize(m_ui->Splitter1, m_ui->ErrorList, clientWidth / 3);
    setPaneSize(m_ui->Splitter2, m_ui->SpotPage, ((clientHeight - 230) * 2) / 3);
    m_ui->RAZButton->move(spotPageWidth() - 105, m_ui->RAZButton->y());
    FitSpotColumns(m_ui->GridAll);
    placeBtnPanel(clientWidth - 761);
    for (QPushButton* button : macroButtons())
        setWidthOrHide(button, clientWidth - 774);
}

void TTelForm::ResizeAnnonceGrid()
{
    for (StringGrid* grid : {m_ui->AnnGrid, m_ui->WcyGrid}) {
        grid->setColumnWidth(0, MessageDateWidth);
        grid->setColumnWidth(1, grid->width() - MessageTextMargin);
    }
}

void TTelForm::FitSpotColumns(StringGrid* grid)
{
    const int pageWidth = spotPageWidth();
    const auto share = [pageWidth](double divisor) {
        return static_cast<int>(pageWidth / divisor);
    };
    QList<int> widths{share(14.7), share(7.35), share(9.8), share(7.35), 0, share(5), share(21)};
    widths[4] = pageWidth - std::accumulate(widths.cbegin(), widths.cend(), 0) - 11;
    grid->setColumnWidths(widths);
}

void TTelForm::ChangeTab(int index)
{
    if (index >= 0 && index < SpotGridCount)
        FitSpotColumns(m_spotGrids[index]);
}

// ---- Layout helpers -------------------------------------------------------------------------------

// SpotPage spans the client width. Reading it from the window keeps the rules right while the page is
// hidden, and while the window is being shown and its children are not laid out yet.
int TTelForm::spotPageWidth() const
{
    return width();
}

// BtnPanel is right-aligned inside MAINPanel's edge.
void TTelForm::placeBtnPanel(int panelWidth)
{
    QFrame* panel = m_ui->BtnPanel;
    if (!showIfRoom(panel, panelWidth))
        return;
    const int edge = m_ui->MAINPanel->frameWidth();
    panel->setGeometry(width() - edge - panelWidth, edge, panelWidth, panel->height());
}

std::array<QPushButton*, 5> TTelForm::macroButtons() const
{
    return {m_ui->ProgBtn, m_ui->ProgBtn1, m_ui->ProgBtn2, m_ui->ProgBtn3, m_ui->ProgBtn4};
}
