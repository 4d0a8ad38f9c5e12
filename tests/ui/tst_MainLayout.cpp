#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <memory>

#include "BandChart.h"
#include "AccessibleText.h"
#include "Fonts.h"
#include "Main.h"
#include "SplashFrm.h"
#include "StringGrid.h"

using Widths = QList<int>;

namespace {

const Widths DesignedBandWidths{52, 100, 75, 95, 351, 35, 64};
const QStringList SpotGridNames{"GridAll", "Grid160", "Grid80", "Grid40", "Grid30", "Grid20", "Grid17",
                                "Grid15",  "Grid12",  "Grid10", "Grid6",  "Grid2",  "Grid70", "Grid888"};

Widths columnWidths(const StringGrid* grid)
{
    Widths widths;
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        widths << (grid->isColumnHidden(column) ? 0 : grid->columnWidth(column));
    return widths;
}

} // namespace

class tst_MainLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void controlsExist_data();
    void controlsExist();
    void controlPageTabs();
    void spotPageTabs();
    void everyTabFits_data();
    void everyTabFits();
    void startStates();
    void tags_data();
    void tags();
    void designedPlaces_data();
    void designedPlaces();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void textColours();
    void messagePaneLines();
    void statusPanels();
    void commandsMemo();

    void resizeFormFigures_data();
    void resizeFormFigures();
    void macroButtonsNeedRoom_data();
    void macroButtonsNeedRoom();
    void spotPageNeedsRoom();
    void resizeOverridesSplitterDrag();
    void changeTabFitsBandGrids();
    void changeTabLeavesOtherTabsAlone();
    void resizeAnnonceGrid();

    void accessibleNames_data();
    void accessibleNames();
    void buddies_data();
    void buddies();
    void tabOrder_data();
    void tabOrder();

private:
    template<typename T = QWidget> T* child(const QString& name) const
    {
        T* found = m_form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    void resizeClient(int width, int height);

    std::unique_ptr<TTelForm> m_form;
};

void tst_MainLayout::initTestCase()
{
    registerFonts();
    const TSplashForm splash; // sets BuildText, as at program start
}

void tst_MainLayout::init()
{
    m_form = std::make_unique<TTelForm>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_MainLayout::cleanup()
{
    m_form.reset();
}

void tst_MainLayout::resizeClient(int width, int height)
{
    m_form->resize(width, height);
    QCOMPARE(m_form->size(), QSize(width, height));
}

// ---- Controls and their designed start state ------------------------------------------------------

void tst_MainLayout::controlsExist_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    const auto add = [](const QString& cls, const QStringList& names) {
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << name << cls;
    };
    add("QFrame", {"MAINPanel", "QSOPanel", "BtnPanel", "LowerPanel", "INFOPanel", "Terminal"});
    add("QTabWidget", {"ControlPage", "SpotPage"});
    add("QLineEdit",
        {"URLEdit",    "PORTEdit",    "INDEdit",  "NOMEdit", "PASSEdit", "AlertEdit1", "AlertEdit2",
         "AlertEdit3", "WavNameEdit", "QTHEdit",  "NAMEdit", "LOCEdit",  "SETEdit",    "SHDXEdit",
         "STEdit",     "SHOWEdit",    "SPOTEdit", "FRQEdit", "COMEdit",  "DXSpotEdit"});
    add("QComboBox", {"SERVCombo"});
    add("QSpinBox", {"DXSpin"});
    add("QCheckBox", {"AlertCheckBox", "SoundCheck"});
    add("QPushButton",
        {"ConnectBtn", "DisconnectBtn", "BitBtn1",   "BitBtn2",  "BitBtn3",     "ResetBtn",  "PlayBtn",
         "SETQTHBtn",  "SETNAMEBtn",    "SETLOCBtn", "SETBtn",   "SHOWUSERBtn", "SHOWDXBtn", "SHOWDX2Btn",
         "SHOWCOBtn",  "SHOWSTBtn",     "SHOWBtn",   "CONFBtn",  "DXBtn",       "ProgBtn",   "ProgBtn1",
         "ProgBtn2",   "ProgBtn3",      "ProgBtn4",  "RAZButton"});
    add("QLabel", {"INDPanel", "CQPanel", "ITUPanel", "WACPanel", "FRQPanel", "HOURPanel", "DXDPanel",
                   "LATPanel", "LNGPanel", "COMPanel", "PAYSPanel", "SETLabel", "SHOWLabel", "Label16",
                   "InfoLabel", "ConnectLabel", "InfoPanel0", "InfoPanel1", "InfoPanel2"});
    add("StringGrid", SpotGridNames + QStringList{"AnnGrid", "WcyGrid"});
    add("BandChart", {"Chart"});
    add("QTableWidget", {"ValueListEditor1"});
    add("QListWidget", {"ErrorList"});
    add("QSplitter", {"Splitter1", "Splitter2"});
    add("QStatusBar", {"InfoBar"});
    add("QWidget", {"BlinkLed"});
}

void tst_MainLayout::controlsExist()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    const QObject* control = m_form->findChild<QObject*>(name);
    QVERIFY2(control, qPrintable(name));
    QVERIFY2(control->inherits(qPrintable(className)), control->metaObject()->className());
}

void tst_MainLayout::controlPageTabs()
{
    const auto* page = child<QTabWidget>("ControlPage");
    const QStringList names{"CONNTab", "AlertTab", "SETTab", "SHOWTab", "DXTab"};
    const QStringList captions{"Connexion", "Alert", "SET Commands", "SHOW Commands", "DX Notification"};
    QCOMPARE(page->count(), names.size());
    for (int index = 0; index < page->count(); ++index) {
        QCOMPARE(page->widget(index)->objectName(), names[index]);
        QCOMPARE(page->tabText(index), captions[index]);
        // Disabled tabs can still be shown; only their controls take no input.
        QVERIFY(page->isTabEnabled(index));
        QCOMPARE(page->widget(index)->isEnabled(), index == 0);
    }
    QCOMPARE(page->currentIndex(), 0);
    QCOMPARE(page->geometry(), QRect(1, 1, 377, 174));
}

void tst_MainLayout::spotPageTabs()
{
    auto* page = child<QTabWidget>("SpotPage");
    QCOMPARE(page->currentIndex(), 0);
    const QStringList tabs{"TabAll", "Tab160", "Tab80",   "Tab40",  "Tabt30", "Tab20",
                           "Tab17",  "Tab15",  "Tab12",   "Tab10",  "Tab6",   "Tab2",
                           "Tab70",  "Tab888", "TabRama", "TabAnn", "TabWcy", "MemoTab"};
    const QStringList captions{"All",  "160m",   "80m",     "40m",      "30m", "20m",
                               "17m",  "15m",    "12m",     "10m",      "6m",  "2m",
                               "70cm", "Others", "Outlook", "Messages", "Wcy", "Commands memo"};
    const QStringList contents =
        SpotGridNames + QStringList{"Chart", "AnnGrid", "WcyGrid", "ValueListEditor1"};
    QCOMPARE(page->count(), tabs.size());
    for (int index = 0; index < page->count(); ++index) {
        QWidget* tab = page->widget(index);
        QCOMPARE(tab->objectName(), tabs[index]);
        QCOMPARE(page->tabText(index), captions[index]);
        QWidget* content = child(contents[index]);
        QCOMPARE(content->parentWidget(), tab);
        page->setCurrentIndex(index);
        QCOMPARE(content->geometry(), tab->rect()); // each list fills its page
    }
    // Every caption stays whole: hidden tabs scroll into view rather than being shortened.
    QCOMPARE(page->tabBar()->elideMode(), Qt::ElideNone);
    QVERIFY(page->tabBar()->usesScrollButtons());
}

void tst_MainLayout::everyTabFits_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("clientWidth");
    QTest::newRow("control tabs") << "ControlPage" << 900;
    QTest::newRow("spot tabs, designed width") << "SpotPage" << 900;
    QTest::newRow("spot tabs, first-start width") << "SpotPage" << 744;
}

void tst_MainLayout::everyTabFits()
{
    QFETCH(QString, page);
    QFETCH(int, clientWidth);
    resizeClient(clientWidth, 632);
    const QTabBar* bar = child<QTabWidget>(page)->tabBar();
    QVERIFY(bar->tabRect(0).left() >= 0);
    QVERIFY2(bar->tabRect(bar->count() - 1).right() < bar->width(), "the last tab is cut off");
}

void tst_MainLayout::startStates()
{
    for (const char* name : {"ConnectBtn", "DisconnectBtn", "BitBtn1", "BitBtn2", "BitBtn3", "SETBtn",
                             "SHOWBtn", "DXBtn", "ProgBtn1", "ProgBtn2", "ProgBtn3", "ProgBtn4"})
        QVERIFY2(!child(name)->isEnabled(), name);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(child<QPushButton>(QStringLiteral("ProgBtn%1").arg(i))->text(),
                 QStringLiteral("Not programmed"));
    QVERIFY(child("ProgBtn")->isEnabled());
    QVERIFY(child("RAZButton")->isEnabled());

    QVERIFY(child("INFOPanel")->isHidden());
    QVERIFY(child("BlinkLed")->isHidden());
    QCOMPARE(child("BlinkLed")->size(), QSize(78, 38));
    QVERIFY(!child<QCheckBox>("AlertCheckBox")->isChecked());
    QVERIFY(!child<QCheckBox>("SoundCheck")->isChecked());

    QCOMPARE(child<QLineEdit>("SETEdit")->text(), QStringLiteral("Command text"));
    QCOMPARE(child<QLineEdit>("SHOWEdit")->text(), QStringLiteral("Command text"));
    QCOMPARE(child<QLineEdit>("DXSpotEdit")->text(), QStringLiteral("DX Callsign  Frequency Comments"));
    QCOMPARE(child<QLineEdit>("SHDXEdit")->text(), QStringLiteral("Complement"));
    QCOMPARE(child<QLineEdit>("STEdit")->text(), QStringLiteral("CallSign"));
    for (const char* name : {"SPOTEdit", "FRQEdit", "COMEdit", "URLEdit", "PORTEdit", "AlertEdit1"})
        QVERIFY2(child<QLineEdit>(name)->text().isEmpty(), name);
    QCOMPARE(child<QLineEdit>("SPOTEdit")->maxLength(), 12);
    QCOMPARE(child<QLineEdit>("COMEdit")->maxLength(), 25);

    const auto* spin = child<QSpinBox>("DXSpin");
    QCOMPARE(spin->minimum(), 10);
    QCOMPARE(spin->maximum(), 250);
    QCOMPARE(spin->singleStep(), 1);
    QCOMPARE(spin->value(), 10);

    QVERIFY(child<QLabel>("SETLabel")->text().isEmpty());
    QVERIFY(child<QLabel>("SHOWLabel")->text().isEmpty());
    QVERIFY(child<QLabel>("SETLabel")->wordWrap());
    QVERIFY(child<QLabel>("SHOWLabel")->wordWrap());
    QVERIFY(child<QLabel>("SETLabel")->font().fixedPitch() ||
            QFontInfo(child("SETLabel")->font()).fixedPitch());
    QCOMPARE(
        child<QLabel>("Label16")->text(),
        QStringLiteral("Syntax: DX DXSPOT FREQUENCY COMMENTS - frequency format is 14025.0. Comments must be "
                       "very short for the program will add date, hour and prefix. Comments are optional "
                       "anyway."));
    QVERIFY(child<QLabel>("ConnectLabel")->text().isEmpty());
    for (const char* cell : {"INDPanel", "CQPanel", "COMPanel", "PAYSPanel"})
        QVERIFY2(child<QLabel>(cell)->text().isEmpty(), cell);

    auto* prog = child<QPushButton>("ProgBtn");
    QCOMPARE(prog->text(), QStringLiteral("Create a \r\nnew macro"));
    QCOMPARE(prog->toolTip(),
             QStringLiteral("Click on this button to create macros\r\nassociated with the buttons above"));
    // Two lines: the break is not drawn as a character.
    QVERIFY(prog->sizeHint().height() >= 2 * prog->fontMetrics().height());
    QCOMPARE(child<QPushButton>("RAZButton")->text(), QStringLiteral("Clear lists"));
    QCOMPARE(child<QPushButton>("RAZButton")->toolTip(), QStringLiteral("Empty all lists"));
    QCOMPARE(child<QCheckBox>("SoundCheck")->text(), QStringLiteral("Sound On/Off"));
    // Both check boxes carry their caption to the left of the box.
    QCOMPARE(child("SoundCheck")->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(child("AlertCheckBox")->layoutDirection(), Qt::RightToLeft);
}

void tst_MainLayout::tags_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tag");
    const QList<std::pair<const char*, int>> tags{
        {"BitBtn1", 1},    {"BitBtn2", 2},     {"BitBtn3", 3},     {"SETBtn", 20},    {"SHOWBtn", 30},
        {"DXBtn", 40},     {"SETQTHBtn", 21},  {"SETNAMEBtn", 22}, {"SETLOCBtn", 23}, {"SHOWUSERBtn", 31},
        {"SHOWDXBtn", 32}, {"SHOWDX2Btn", 33}, {"SHOWCOBtn", 34},  {"SHOWSTBtn", 35}, {"FRQEdit", 2},
        {"SPOTEdit", 3},   {"COMEdit", 4}};
    for (const auto& [name, tag] : tags)
        QTest::newRow(name) << QString::fromLatin1(name) << tag;
}

void tst_MainLayout::tags()
{
    QFETCH(QString, name);
    QFETCH(int, tag);
    const QVariant value = child(name)->property("tag");
    QCOMPARE(value.typeId(), QMetaType::Int);
    QCOMPARE(value.toInt(), tag);
}

void tst_MainLayout::designedPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    const QList<std::pair<const char*, QRect>> places{
        {"MAINPanel", {0, 0, 900, 176}},     {"QSOPanel", {378, 1, 381, 174}},
        {"BtnPanel", {760, 1, 139, 174}},    {"ProgBtn1", {6, 5, 126, 30}},
        {"ProgBtn2", {6, 35, 126, 30}},      {"ProgBtn3", {6, 64, 126, 30}},
        {"ProgBtn4", {6, 93, 126, 30}},      {"ProgBtn", {6, 128, 126, 41}},
        {"INDPanel", {0, 0, 381, 38}},       {"PAYSPanel", {0, 154, 381, 20}},
        {"CQPanel", {6, 60, 56, 21}},        {"ITUPanel", {63, 60, 56, 21}},
        {"WACPanel", {120, 60, 56, 21}},     {"FRQPanel", {177, 60, 61, 21}},
        {"HOURPanel", {239, 60, 46, 21}},    {"DXDPanel", {286, 60, 88, 21}},
        {"LATPanel", {6, 102, 49, 21}},      {"LNGPanel", {56, 102, 51, 21}},
        {"COMPanel", {108, 102, 265, 21}},   {"Row1Outline", {5, 59, 370, 23}},
        {"CQOutline", {5, 59, 58, 23}},      {"HOUROutline", {238, 59, 48, 23}},
        {"COMOutline", {107, 101, 268, 23}}, {"HeaderStrip1", {5, 45, 370, 15}},
        {"HeaderStrip2", {5, 87, 370, 15}},  {"SoundCheck", {279, 134, 95, 17}},
        {"AlertCheckBox", {3, 3, 190, 100}}, {"AlertEdit1", {269, 7, 99, 24}},
        {"AlertEdit2", {269, 34, 99, 24}},   {"AlertEdit3", {269, 62, 99, 24}},
        {"ResetBtn", {198, 93, 62, 23}},     {"PlayBtn", {305, 93, 60, 23}},
        {"LowerPanel", {0, 579, 900, 35}},   {"ConnectLabel", {0, 0, 900, 35}},
        {"RAZButton", {795, 4, 99, 27}},     {"InfoBar", {0, 614, 900, 18}},
    };
    for (const auto& [name, place] : places)
        QTest::newRow(name) << QString::fromLatin1(name) << place;
}

void tst_MainLayout::designedPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QCOMPARE(child(name)->geometry(), place);
}

void tst_MainLayout::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("window") << "TTelForm"
                            << "Tahoma" << 8 << false;
    QTest::newRow("value cell") << "CQPanel"
                                << "Tahoma" << 10 << true;
    QTest::newRow("caption") << "CQCaption"
                             << "Tahoma" << 8 << false;
    QTest::newRow("callsign strip") << "INDPanel"
                                    << "Liberation Sans" << 20 << true;
    QTest::newRow("country strip") << "PAYSPanel"
                                   << "Liberation Sans" << 10 << true;
    QTest::newRow("session state") << "ConnectLabel"
                                   << "Liberation Serif" << 20 << true;
    QTest::newRow("alert switch") << "AlertCheckBox"
                                  << "Liberation Serif" << 14 << false;
    QTest::newRow("watch field") << "AlertEdit1"
                                 << "Tahoma" << 10 << true;
    QTest::newRow("clear lists") << "RAZButton"
                                 << "MS Sans Serif" << 8 << false;
    QTest::newRow("new macro") << "ProgBtn"
                               << "Tahoma" << 9 << false;
    QTest::newRow("message pane") << "ErrorList"
                                  << "Tahoma" << 8 << false;
}

void tst_MainLayout::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(int, points);
    QFETCH(bool, bold);
    QWidget* widget = name == "TTelForm" ? m_form.get() : child(name);
    const QFontInfo resolved(widget->font());
    QCOMPARE(resolved.family(), family);
    QCOMPARE(widget->font().pointSize(), points);
    QCOMPARE(resolved.bold(), bold);
}

void tst_MainLayout::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("where"); // a point of the widget, or (-1, -1) for its middle
    QTest::addColumn<QColor>("colour");
    const QColor paleYellow(255, 255, 196);
    const QPoint middle(-1, -1);
    QTest::newRow("value cell") << "CQPanel" << middle << paleYellow;
    QTest::newRow("comment cell") << "COMPanel" << middle << paleYellow;
    QTest::newRow("outline pen") << "CQOutline" << QPoint(0, 0) << QColor(Qt::black);
    QTest::newRow("outline fill") << "Row1Outline" << QPoint(369, 1) << QColor(Qt::black); // right edge
    QTest::newRow("header strip") << "HeaderStrip2" << QPoint(368, 7) << QColor(Qt::black);
    QTest::newRow("message pane") << "ErrorList" << middle << paleYellow;
    QTest::newRow("commands memo") << "ValueListEditor1" << middle << paleYellow;
    QTest::newRow("SET help") << "SETLabel" << middle << paleYellow;
    QTest::newRow("SHOW help") << "SHOWLabel" << middle << paleYellow;
    QTest::newRow("prompt area") << "INFOPanel" << middle << QColor(253, 236, 168);
    QTest::newRow("session pane") << "Terminal" << middle << QColor(0, 128, 0);
}

// Samples what the widget draws, so that a style sheet or a missing fill cannot hide a wrong colour.
void tst_MainLayout::colours()
{
    QFETCH(QString, name);
    QFETCH(QPoint, where);
    QFETCH(QColor, colour);
    QWidget* widget = child(name);
    const QImage drawn = widget->grab().toImage();
    const QPoint point = where == QPoint(-1, -1) ? widget->rect().center() : where;
    QCOMPARE(drawn.pixelColor(point), colour);
}

void tst_MainLayout::textColours()
{
    // The header captions are white on black; the session state is written in the window colour.
    QCOMPARE(child("LNGCaption")->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(child("ConnectLabel")->palette().color(QPalette::WindowText),
             QApplication::palette().color(QPalette::Base));
    QVERIFY(!child("ConnectLabel")->autoFillBackground()); // the banner's colour shows through
    QVERIFY(child("LowerPanel")->autoFillBackground());
}

void tst_MainLayout::messagePaneLines()
{
    auto* pane = child<QListWidget>("ErrorList");
    pane->addItem("Connected to server dxc.example.org");
    pane->addItem("No Internet connection");
    QCOMPARE(pane->visualItemRect(pane->item(0)).height(), 13);
    QCOMPARE(pane->visualItemRect(pane->item(1)).top(), 13);
}

void tst_MainLayout::statusPanels()
{
    auto* bar = child<QStatusBar>("InfoBar");
    QCOMPARE(bar->height(), 18);
    QCOMPARE(child("InfoPanel0")->width(), 250);
    QCOMPARE(child("InfoPanel1")->width(), 120);
    // The last panel reaches the right edge: it takes whatever width the window gains.
    QWidget* last = child("InfoPanel2");
    QVERIFY(last->width() >= 50);
    const int lastAt900 = last->width();
    resizeClient(1100, 632);
    QCOMPARE(last->width(), lastAt900 + 200);

    m_form->setStatusPanel(0, "Access established to the Internet");
    m_form->setStatusPanel(2, "www");
    QCOMPARE(m_form->statusPanel(0), QStringLiteral("Access established to the Internet"));
    QCOMPARE(child<QLabel>("InfoPanel0")->text(), QStringLiteral("Access established to the Internet"));
    QCOMPARE(m_form->statusPanel(2), QStringLiteral("www"));
    QVERIFY(m_form->statusPanel(1).isEmpty());
    m_form->setStatusPanel(3, "nowhere"); // a panel that does not exist is ignored
    m_form->setStatusPanel(-1, "nowhere");
    QVERIFY(m_form->statusPanel(3).isEmpty());
}

void tst_MainLayout::commandsMemo()
{
    const auto* memo = child<QTableWidget>("ValueListEditor1");
    QCOMPARE(memo->columnCount(), 2);
    QCOMPARE(memo->horizontalHeaderItem(0)->text(), QStringLiteral("COMMAND"));
    QCOMPARE(memo->horizontalHeaderItem(1)->text(), QStringLiteral("ACTION"));
    QCOMPARE(memo->columnWidth(0), 150);
    QCOMPARE(memo->columnWidth(1), 719);
    QCOMPARE(memo->rowCount(), 101);
    QVERIFY(memo->horizontalHeader()->styleSheet().contains(QColor(211, 153, 44).name()));
}

// ---- Layout rules ---------------------------------------------------------------------------------

void tst_MainLayout::resizeFormFigures_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("errorListWidth");
    QTest::addColumn<int>("spotPageHeight");
    QTest::addColumn<int>("clearLeft");
    QTest::addColumn<int>("btnPanelWidth");
    QTest::addColumn<int>("buttonWidth");
    QTest::addColumn<Widths>("allColumns");
    QTest::newRow("designed 900 x 632")
        << QSize(900, 632) << 300 << 268 << 795 << 139 << 126 << Widths{61, 122, 91, 122, 271, 180, 42};
    QTest::newRow("narrowed to 744") << QSize(744, 632) << 248 << 268 << 639 << 0 << 0
                                     << Widths{50, 101, 75, 101, 223, 148, 35};
    QTest::newRow("wide and tall") << QSize(1201, 901) << 400 << 447 << 1096 << 440 << 427
                                   << Widths{81, 163, 122, 163, 364, 240, 57};
}

void tst_MainLayout::resizeFormFigures()
{
    QFETCH(QSize, client);
    QFETCH(int, errorListWidth);
    QFETCH(int, spotPageHeight);
    QFETCH(int, clearLeft);
    QFETCH(int, btnPanelWidth);
    QFETCH(int, buttonWidth);
    QFETCH(Widths, allColumns);

    resizeClient(client.width(), client.height());
    QCOMPARE(child("ErrorList")->width(), errorListWidth);
    QCOMPARE(child("ErrorList")->geometry().right(), client.width() - 1); // right-aligned
    QCOMPARE(child("SpotPage")->height(), spotPageHeight);
    QCOMPARE(child("SpotPage")->width(), client.width());
    QCOMPARE(child("RAZButton")->geometry(), QRect(clearLeft, 4, 99, 27));
    QCOMPARE(columnWidths(child<StringGrid>("GridAll")), allColumns);
    if (btnPanelWidth > 0) {
        QCOMPARE(child("BtnPanel")->geometry(),
                 QRect(client.width() - 1 - btnPanelWidth, 1, btnPanelWidth, 174));
        for (const char* name : {"ProgBtn", "ProgBtn1", "ProgBtn2", "ProgBtn3", "ProgBtn4"})
            QCOMPARE(child(name)->width(), buttonWidth);
    }
    // The terminal band takes the rest: session pane, 4-pixel divider, message pane.
    QCOMPARE(child("Terminal")->width() + 4 + errorListWidth, client.width());
    QCOMPARE(child("Splitter1")->y() - spotPageHeight, 5);
}

void tst_MainLayout::macroButtonsNeedRoom_data()
{
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<bool>("panelShown");
    QTest::addColumn<bool>("buttonsShown");
    QTest::newRow("760, the first-start width") << 760 << false << false;
    QTest::newRow("761") << 761 << false << false;
    QTest::newRow("762") << 762 << true << false;
    QTest::newRow("774") << 774 << true << false;
    QTest::newRow("775") << 775 << true << true;
}

void tst_MainLayout::macroButtonsNeedRoom()
{
    QFETCH(int, clientWidth);
    QFETCH(bool, panelShown);
    QFETCH(bool, buttonsShown);
    resizeClient(clientWidth, 632);
    QCOMPARE(child("BtnPanel")->isVisibleTo(m_form.get()), panelShown);
    for (const char* name : {"ProgBtn", "ProgBtn1", "ProgBtn2", "ProgBtn3", "ProgBtn4"}) {
        QCOMPARE(child(name)->isVisibleTo(child("BtnPanel")), buttonsShown);
        if (buttonsShown)
            QCOMPARE(child(name)->width(), clientWidth - 774);
    }
    // The details panel keeps its place and size whatever room is left.
    QCOMPARE(child("QSOPanel")->geometry(), QRect(378, 1, 381, 174));

    resizeClient(900, 632); // and everything comes back
    QVERIFY(child("BtnPanel")->isVisible());
    QVERIFY(child("ProgBtn4")->isVisible());
    QCOMPARE(child("ProgBtn4")->width(), 126);
}

void tst_MainLayout::spotPageNeedsRoom()
{
    resizeClient(900, 230);
    QVERIFY(child("SpotPage")->isHidden());
    resizeClient(900, 231); // (1 * 2) / 3 is still 0
    QVERIFY(child("SpotPage")->isHidden());
    resizeClient(900, 632);
    QVERIFY(child("SpotPage")->isVisible());
    QCOMPARE(child("SpotPage")->height(), 268);
    QCOMPARE(child("RAZButton")->x(), 795);
}

void tst_MainLayout::resizeOverridesSplitterDrag()
{
    auto* splitter = child<QSplitter>("Splitter2");
    const auto* handle = splitter->handle(1);
    QCOMPARE(splitter->handleWidth(), 5);
    QCOMPARE(handle->cursor().shape(), Qt::SplitVCursor);
    QCOMPARE(child<QSplitter>("Splitter1")->handleWidth(), 4);

    splitter->setSizes({300, 98}); // as a drag of the divider leaves them
    child<QSplitter>("Splitter1")->setSizes({800, 96});
    QCOMPARE(child("SpotPage")->height(), 300);
    QCOMPARE(child("ErrorList")->width(), 96);
    resizeClient(900, 633);
    QCOMPARE(child("SpotPage")->height(), 268);
    QCOMPARE(child("ErrorList")->width(), 300);
}

void tst_MainLayout::changeTabFitsBandGrids()
{
    auto* page = child<QTabWidget>("SpotPage");
    auto* grid160 = child<StringGrid>("Grid160");
    resizeClient(744, 632);
    QCOMPARE(columnWidths(grid160), DesignedBandWidths); // never shown yet

    const Widths fitted744{50, 101, 75, 101, 223, 148, 35};
    page->setCurrentIndex(1);
    QCOMPARE(columnWidths(grid160), fitted744);
    page->setCurrentIndex(13);
    QCOMPARE(columnWidths(child<StringGrid>("Grid888")), fitted744);

    // A band grid not shown since the last resize keeps its older widths.
    page->setCurrentIndex(0);
    resizeClient(900, 632);
    QCOMPARE(columnWidths(grid160), fitted744);
    QCOMPARE(columnWidths(child<StringGrid>("GridAll")), (Widths{61, 122, 91, 122, 271, 180, 42}));
    page->setCurrentIndex(1);
    QCOMPARE(columnWidths(grid160), (Widths{61, 122, 91, 122, 271, 180, 42}));
}

void tst_MainLayout::changeTabLeavesOtherTabsAlone()
{
    auto* page = child<QTabWidget>("SpotPage");
    resizeClient(744, 632);
    QList<Widths> before;
    for (const QString& name : SpotGridNames)
        before << columnWidths(child<StringGrid>(name));
    for (int index = 14; index <= 17; ++index) {
        page->setCurrentIndex(index);
        m_form->ChangeTab(index);
        for (int grid = 0; grid < SpotGridNames.size(); ++grid)
            QCOMPARE(columnWidths(child<StringGrid>(SpotGridNames[grid])), before[grid]);
    }
    m_form->ChangeTab(-1); // no tab: nothing happens
    m_form->ChangeTab(18);
}

void tst_MainLayout::resizeAnnonceGrid()
{
    auto* page = child<QTabWidget>("SpotPage");
    auto* ann = child<StringGrid>("AnnGrid");
    auto* wcy = child<StringGrid>("WcyGrid");
    QCOMPARE(columnWidths(ann), (Widths{100, 678}));

    page->setCurrentIndex(15); // the page gets its size, which resizes the grid
    QCOMPARE(ann->width(), page->currentWidget()->width());
    QCOMPARE(columnWidths(ann), (Widths{100, ann->width() - 122}));
    page->setCurrentIndex(16);
    QCOMPARE(columnWidths(wcy), (Widths{100, wcy->width() - 122}));

    const int before = wcy->width();
    resizeClient(1000, 632);
    QCOMPARE(wcy->width(), before + 100);
    QCOMPARE(columnWidths(wcy), (Widths{100, wcy->width() - 122}));
    // Either grid's resize sets both, each from its own width.
    wcy->resize(700, wcy->height());
    QCOMPARE(columnWidths(wcy), (Widths{100, 700 - 122}));
    QCOMPARE(columnWidths(ann), (Widths{100, ann->width() - 122}));
}

// ---- Accessibility --------------------------------------------------------------------------------

void tst_MainLayout::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessible");
    const QList<std::pair<const char*, const char*>> names{
        {"URLEdit", "Adress"},
        {"PORTEdit", "Remote port"},
        {"SERVCombo", "Server"},
        {"PASSEdit", "Password"},
        {"ConnectBtn", "Connect"},
        {"AlertEdit2", "Watched callsign 2"},
        {"AlertCheckBox", "Alert me if one of these callsigns is signaled on the Cluster"},
        {"INDPanel", "Spotted callsign"},
        {"WACPanel", "WAC zone"},
        {"DXDPanel", "Notified by"},
        {"PAYSPanel", "DXCC country"},
        {"GridAll", "All spots"},
        {"Grid70", "70cm spots"},
        {"Grid888", "Other spots"},
        {"AnnGrid", "Messages"},
        {"WcyGrid", "WCY reports"},
        {"Chart", "DX Outlook"},
        {"BlinkLed", "Alert lamp"},
        {"ErrorList", "Messages pane"},
        {"Terminal", "Cluster session"},
        {"ConnectLabel", "Session state"},
        {"InfoPanel0", "Status"},
        {"ValueListEditor1", "Commands memo"},
        {"ProgBtn", "Create a new macro"},
        {"RAZButton", "Clear lists"},
        {"DXSpin", "Number of spots"},
        {"WavNameEdit", "Alert sound file"},
    };
    for (const auto& [name, accessible] : names)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(accessible);
}

void tst_MainLayout::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessible);
    QCOMPARE(accessibleText(child(name)), accessible);
}

void tst_MainLayout::buddies_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("buddy");
    QTest::addColumn<QString>("caption");
    QTest::newRow("server") << "SERVLabel"
                            << "SERVCombo"
                            << "Server";
    QTest::newRow("address") << "URLLabel"
                             << "URLEdit"
                             << "Adress";
    QTest::newRow("port") << "PORTLabel"
                          << "PORTEdit"
                          << "Remote port";
    QTest::newRow("callsign") << "INDLabel"
                              << "INDEdit"
                              << "Callsign";
    QTest::newRow("name") << "NOMLabel"
                          << "NOMEdit"
                          << "Name";
    QTest::newRow("password") << "PASSLabel"
                              << "PASSEdit"
                              << "Password";
}

void tst_MainLayout::buddies()
{
    QFETCH(QString, label);
    QFETCH(QString, buddy);
    QFETCH(QString, caption);
    const auto* found = child<QLabel>(label);
    QCOMPARE(found->text(), caption);
    QCOMPARE(found->buddy(), child(buddy));
}

void tst_MainLayout::tabOrder_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("Connexion") << "CONNTab"
                               << QStringList{"SERVCombo",     "URLEdit",  "PORTEdit", "ConnectBtn",
                                              "DisconnectBtn", "INDEdit",  "BitBtn1",  "NOMEdit",
                                              "BitBtn2",       "PASSEdit", "BitBtn3"};
    QTest::newRow("Alert") << "AlertTab"
                           << QStringList{"AlertCheckBox", "AlertEdit1", "AlertEdit2",  "AlertEdit3",
                                          "ResetBtn",      "PlayBtn",    "WavNameEdit", "WavBrowseBtn"};
    QTest::newRow("SET") << "SETTab" << QStringList{"SETQTHBtn", "QTHEdit", "SETNAMEBtn", "NAMEdit",
                                                    "SETLOCBtn", "LOCEdit", "SETEdit",    "SETBtn"};
    QTest::newRow("SHOW") << "SHOWTab"
                          << QStringList{"SHOWUSERBtn", "SHOWDXBtn", "DXSpin", "SHOWDX2Btn", "SHDXEdit",
                                         "SHOWCOBtn",   "SHOWSTBtn", "STEdit", "SHOWEdit",   "SHOWBtn"};
    QTest::newRow("DX") << "DXTab"
                        << QStringList{"SPOTEdit", "FRQEdit", "COMEdit", "CONFBtn", "DXSpotEdit", "DXBtn"};
}

void tst_MainLayout::tabOrder()
{
    QFETCH(QString, page);
    QFETCH(QStringList, order);
    QWidget* tab = child(page);
    // Walk the focus chain from the first control and keep the page's own tab stops.
    QStringList walked;
    QWidget* widget = child(order.first());
    do {
        if (tab->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy())
            walked << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != child(order.first()));
    QCOMPARE(walked, order);
}

QTEST_MAIN(tst_MainLayout)
#include "tst_MainLayout.moc"
