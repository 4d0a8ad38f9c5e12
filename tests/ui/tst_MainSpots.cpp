#include "BandChart.h"
#include "MessageBox.h"
#include "SplashFrm.h"
#include "StringGrid.h"
#include "WindowTestKit.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

// The window's road of a received spot: lists, header rows, colours, counts, chart, details panel,
// clearing and selection; and the start-up that loads the country table.
class tst_MainSpots final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void firstSpotMakesHeaderRowsOfItsGridsOnly();
    void rowsTakeTheBandColour();
    void countsAndBars();
    void blocksCarryManyAndSplitLines();
    void messagesGoToTheirLists();
    void clearingAsksFirst();
    void clearingEmptiesTheSpotLists();
    void newSpotMovesTheSelectionAndShowsIt();
    void selectingARowShowsTheNewestMatchingSpot();
    void aRowWithoutMatchingSpotLeavesThePanel();
    void startUpLoadsTheCountryTable();
    void startUpWithoutCountryTableEndsTheProgram();

private:
    template<typename T> T* child(const char* name) const { return ::child<T>(m_form.get(), name); }
    StringGrid* grid(const char* name) const { return child<StringGrid>(name); }
    QString panel(const char* name) const { return child<QLabel>(name)->text(); }
    QColor panelColour(const char* name) const
    {
        return child<QLabel>(name)->palette().color(QPalette::Window);
    }
    void receive(const QByteArray& bytes) { m_form->DataAvailable(bytes); }

    WindowTestKit m_kit;
    std::unique_ptr<TTelForm> m_form;
    QList<MessageRequest> m_asked;
    QMessageBox::StandardButton m_answer = QMessageBox::No;
};

namespace {

QByteArray spot(const char* spotter, const char* frequency, const char* call, const char* comment,
                const char* time = "1227Z")
{
    QByteArray head = QByteArray("DX de ") + spotter + ":";
    head = head.leftJustified(24 - int(qstrlen(frequency))) + frequency;
    return head.leftJustified(26) + QByteArray(call).leftJustified(13) +
           QByteArray(comment).leftJustified(30) + time + "\a\a\r\n";
}

QColor colour(ColorRef c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

const QStringList spotHeaders{u"UTC"_qs,      u"CALLSIGN"_qs,     u"FREQUENCY"_qs, u"NOTIFIED BY"_qs,
                              u"COMMENTS"_qs, u"DXCC COUNTRY"_qs, u"PFX"_qs};

QStringList rowOf(const StringGrid* grid, int row)
{
    QStringList cells;
    for (int column = 0; column < 7; ++column)
        cells.append(grid->cell(column, row));
    return cells;
}

} // namespace

void tst_MainSpots::initTestCase()
{
    const TSplashForm splash; // sets BuildText, as at program start
    // "Japan " with its blank: the lists show the table's text, the spot list keeps it trimmed.
    QVERIFY(m_kit.makeProgramFolder(QByteArray(WindowTestKit::countryTable).replace("Japan,", "Japan ,")));
    setMessageResponder([this](const MessageRequest& request) {
        m_asked.append(request);
        return m_answer;
    });
}

void tst_MainSpots::init()
{
    m_asked.clear();
    m_answer = QMessageBox::No;
    m_kit.freshSettings();
    m_form = m_kit.startWindow();
    m_form->resize(900, 632);
}

void tst_MainSpots::cleanup()
{
    m_form.reset();
}

void tst_MainSpots::firstSpotMakesHeaderRowsOfItsGridsOnly()
{
    for (const char* name : {"GridAll", "Grid20", "Grid40"})
        QVERIFY(grid(name)->rowCount() == 1 && !grid(name)->hasHeaderRow());

    receive(spot("W3LPL", "14025.0", "JA1ABC", "CW 599"));
    for (const char* name : {"GridAll", "Grid20"}) {
        const StringGrid* g = grid(name);
        QCOMPARE(g->rowCount(), 2);
        QVERIFY(g->hasHeaderRow());
        QCOMPARE(rowOf(g, 0), spotHeaders);
        QCOMPARE(rowOf(g, 1), (QStringList{u"12:27Z"_qs, u"JA1ABC"_qs, u"14025.0"_qs, u" W3LPL"_qs,
                                           u"CW 599"_qs, u"Japan "_qs, u"JA"_qs}));
        QCOMPARE(g->currentRow(), 1);
    }
    QCOMPARE(grid("Grid40")->rowCount(), 1);
    QVERIFY(!grid("Grid40")->hasHeaderRow());

    receive(spot("W3LPL", "7025.0", "DL1ABC", "second"));
    QCOMPARE(grid("GridAll")->rowCount(), 3);
    QCOMPARE(grid("Grid40")->rowCount(), 2);
    QCOMPARE(grid("Grid20")->rowCount(), 2);
    QCOMPARE(m_form->spotList().size(), 2);
    QCOMPARE(m_form->spotList().at(1).PYS, u"Germany"_qs);
}

void tst_MainSpots::rowsTakeTheBandColour()
{
    receive(spot("A1", "14025.0", "JA1ABC", "20 m"));
    receive(spot("A1", "10368100.0", "DL1ABC", "3 cm"));
    receive(spot("A1", "1296200.0", "DL2ABC", "23 cm"));
    QCOMPARE(grid("GridAll")->rowColor(1), colour(0x0079C0FF));
    QCOMPARE(grid("Grid20")->rowColor(1), colour(0x0079C0FF));
    // "Others" holds rows of several colours.
    QCOMPARE(grid("Grid888")->rowColor(1), colour(0x00B0BADF));
    QCOMPARE(grid("Grid888")->rowColor(2), colour(0x0078FFFF));
    QCOMPARE(grid("GridAll")->rowColor(3), colour(0x0078FFFF));
    // The details panel's two strips take the colour of the newest spot.
    QCOMPARE(panelColour("INDPanel"), colour(0x0078FFFF));
    QCOMPARE(panelColour("PAYSPanel"), colour(0x0078FFFF));
}

void tst_MainSpots::countsAndBars()
{
    const auto* chart = child<BandChart>("Chart");
    QVERIFY(chart->bars().isEmpty());
    receive(spot("A1", "14025.0", "JA1ABC", "") + spot("A1", "14030.0", "JA2ABC", "") +
            spot("A1", "50150.0", "JA3ABC", "") + spot("A1", "5357.0", "JA4ABC", ""));
    const QList<BandChart::Bar>& bars = chart->bars();
    QCOMPARE(bars.size(), 13);
    const QStringList labels{u"160m"_qs, u"80m"_qs, u"40m"_qs, u"30m"_qs, u"20m"_qs,  u"17m"_qs,   u"15m"_qs,
                             u"12m"_qs,  u"10m"_qs, u"6m"_qs,  u"2m"_qs,  u"70cm"_qs, u"Others"_qs};
    for (int i = 0; i < 13; ++i)
        QCOMPARE(bars[i].label, labels[i]);
    QCOMPARE(bars[4].value, 2);
    QCOMPARE(bars[9].value, 1);
    QCOMPARE(bars[12].value, 1);
    QCOMPARE(bars[0].value, 0);
    QCOMPARE(bars[0].color, colour(0x00C19AFF));
    QCOMPARE(bars[9].color, colour(0x0006C200));
    QCOMPARE(bars[12].color, QColor(Qt::white));
    QCOMPARE(m_form->bandCounts().count(20), 2);
}

void tst_MainSpots::blocksCarryManyAndSplitLines()
{
    const QByteArray two = spot("A1", "14025.0", "JA1ABC", "one") + spot("A1", "14026.0", "JA2ABC", "two");
    receive(two.left(50));
    QCOMPARE(grid("GridAll")->rowCount(), 1);
    receive(two.mid(50));
    QCOMPARE(grid("GridAll")->rowCount(), 3);
    QCOMPARE(grid("GridAll")->cell(4, 1), u"one"_qs);
    QCOMPARE(grid("GridAll")->cell(4, 2), u"two"_qs);
}

void tst_MainSpots::messagesGoToTheirLists()
{
    StringGrid* ann = grid("AnnGrid");
    StringGrid* wcy = grid("WcyGrid");
    receive(
        "To ALL de F4TST: hello everyone\a\a\r\nWCY de DK0WCY-1 <12> : K=3 expK=2\r\nTo LOCAL de X: no\r\n");
    QCOMPARE(ann->rowCount(), 2);
    QVERIFY(ann->hasHeaderRow());
    QCOMPARE(ann->cell(0, 0), u"CALLSIGN"_qs);
    QCOMPARE(ann->cell(1, 0), u"NOTIFICATION"_qs);
    QCOMPARE(ann->cell(0, 1), u"F4TST"_qs);
    QCOMPARE(ann->cell(1, 1), u"hello everyone"_qs);
    QCOMPARE(wcy->cell(1, 0), u"WCY NOTE"_qs);
    QCOMPARE(wcy->cell(0, 1), u"DK0WCY-1 <12>"_qs);
    QCOMPARE(wcy->cell(1, 1), u"K=3 expK=2"_qs);
    receive("To ALL de G4ABC: second\r\n");
    QCOMPARE(ann->rowCount(), 3);
    QCOMPARE(ann->currentRow(), 2);
    // Messages are no spots.
    QCOMPARE(grid("GridAll")->rowCount(), 1);
    QVERIFY(m_form->spotList().isEmpty());
}

void tst_MainSpots::clearingAsksFirst()
{
    receive(spot("A1", "14025.0", "JA1ABC", ""));
    child<QPushButton>("RAZButton")->click();
    QCOMPARE(m_asked.size(), 1);
    const MessageRequest& asked = m_asked.first();
    QCOMPARE(asked.caption, u"Confirmation"_qs);
    QCOMPARE(asked.text, u"Delete all Spots ?"_qs);
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(asked.defaultButton, QMessageBox::No);
    QCOMPARE(asked.icon, QMessageBox::Question);
    // No: nothing changes.
    QCOMPARE(grid("GridAll")->rowCount(), 2);
    QCOMPARE(m_form->spotList().size(), 1);
}

void tst_MainSpots::clearingEmptiesTheSpotLists()
{
    receive(spot("A1", "14025.0", "JA1ABC", "") + spot("A1", "7025.0", "DL1ABC", "") +
            "To ALL de F4TST: stays\r\n");
    const QString shownCall = panel("INDPanel");
    m_answer = QMessageBox::Yes;
    m_form->RAZButtonClick();

    for (const char* name : {"GridAll", "Grid20", "Grid40", "Grid160"}) {
        const StringGrid* g = grid(name);
        QCOMPARE(g->rowCount(), 1);
        QVERIFY(!g->hasHeaderRow());
    }
    QCOMPARE(rowOf(grid("GridAll"), 0), spotHeaders); // the old header stays as an ordinary row
    QVERIFY(m_form->spotList().isEmpty());
    QCOMPARE(m_form->bandCounts().count(20), 0);
    const QList<BandChart::Bar>& bars = child<BandChart>("Chart")->bars();
    QCOMPARE(bars.size(), 13);
    QCOMPARE(bars[12].color, colour(0x00ADDAC0));
    for (const BandChart::Bar& bar : bars)
        QCOMPARE(bar.value, 0);
    QCOMPARE(grid("AnnGrid")->rowCount(), 2);
    QCOMPARE(panel("INDPanel"), shownCall);

    receive(spot("A1", "14025.0", "JA9ABC", ""));
    QVERIFY(grid("GridAll")->hasHeaderRow());
    QCOMPARE(grid("GridAll")->rowCount(), 2);
    QCOMPARE(grid("GridAll")->cell(1, 1), u"JA9ABC"_qs);
    QCOMPARE(child<BandChart>("Chart")->bars()[12].color, QColor(Qt::white));
}

void tst_MainSpots::newSpotMovesTheSelectionAndShowsIt()
{
    StringGrid* all = grid("GridAll");
    receive(spot("A1", "14025.0", "JA1ABC", "first", "1200Z") +
            spot("B2", "7025.0", "DL1ABC", "second", "1201Z"));
    all->setCurrentRow(1);
    QCOMPARE(panel("INDPanel"), u"JA1ABC"_qs);
    QCOMPARE(panel("DXDPanel"), u"A1"_qs); // as stored: no leading blank

    receive(spot("C3", "14030.0", "3B8XX", "third", "1202Z"));
    QCOMPARE(all->currentRow(), 3);
    QCOMPARE(panel("INDPanel"), u"3B8XX"_qs);
    QCOMPARE(panel("DXDPanel"), u" C3"_qs); // as received: the blank after "DX de"
    QCOMPARE(panel("HOURPanel"), u"12:02Z"_qs);
    QCOMPARE(panel("FRQPanel"), u"14030.0"_qs);
    QCOMPARE(panel("COMPanel"), u"third"_qs);
    QCOMPARE(panel("PAYSPanel"), u"Mauritius"_qs);
    QCOMPARE(panel("CQPanel"), u"39"_qs);
    QCOMPARE(panel("ITUPanel"), u"53"_qs);
    QCOMPARE(panel("WACPanel"), u"AF"_qs);
    QCOMPARE(panel("LATPanel"), u"-20.35"_qs);
    QCOMPARE(panel("LNGPanel"), u"57.50"_qs);
}

void tst_MainSpots::selectingARowShowsTheNewestMatchingSpot()
{
    StringGrid* all = grid("GridAll");
    receive(spot("A1", "14025.0", "JA1ABC", "older") + spot("B2", "14027.0", "JA1ABC", "newer") +
            spot("C3", "7025.0", "DL1ABC", "last"));
    all->setCurrentRow(1);
    QCOMPARE(panel("FRQPanel"), u"14027.0"_qs);
    QCOMPARE(panel("COMPanel"), u"newer"_qs);
    QCOMPARE(panel("PAYSPanel"), u"Japan"_qs); // as stored in the spot list: trimmed
    QCOMPARE(panelColour("INDPanel"), all->rowColor(1));

    // A band list has no selection handler.
    grid("Grid20")->setCurrentRow(1);
    QCOMPARE(panel("COMPanel"), u"newer"_qs);
}

void tst_MainSpots::aRowWithoutMatchingSpotLeavesThePanel()
{
    StringGrid* all = grid("GridAll");
    // A time that builds with a trailing blank is stored trimmed, so its row never finds its spot.
    receive(spot("A1", "14025.0", "JA1ABC", "blank", "1234 Z") + spot("B2", "7025.0", "DL1ABC", "other"));
    QCOMPARE(all->cell(0, 1), u"12:34 "_qs);
    all->setCurrentRow(1);
    QCOMPARE(panel("INDPanel"), u"DL1ABC"_qs);
}

void tst_MainSpots::startUpLoadsTheCountryTable()
{
    QCOMPARE(m_form->windowTitle(), u"KORVANE v1.5a by QERNO (VELLORAN) - Build 1.5.2.78"_qs);
    QCOMPARE(m_form->programDir(), m_kit.folder.path());
    QCOMPARE(m_form->countryList().size(), 3);
    QVERIFY(m_asked.isEmpty());
    QVERIFY(!m_form->endRequested());
    QCOMPARE(child<QTabWidget>("SpotPage")->currentIndex(), 0);
}

void tst_MainSpots::startUpWithoutCountryTableEndsTheProgram()
{
    QTemporaryDir empty;
    QVERIFY(QDir::setCurrent(empty.path()));
    TTelForm form(m_kit.services());
    form.CreateForm();
    QVERIFY(QDir::setCurrent(m_kit.folder.path()));
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.first().caption, u"Warning !"_qs);
    QVERIFY(m_asked.first().text.startsWith(u"The file [Dxcc.dta] was not found..."_qs));
    QCOMPARE(m_asked.first().icon, QMessageBox::Warning);
    QVERIFY(form.endRequested());
}

QTEST_MAIN(tst_MainSpots)
#include "tst_MainSpots.moc"
