#pragma once

#include <QColor>
#include <QMainWindow>

#include <array>
#include <memory>

#include "BandPlan.h"
#include "ClusterIntake.h"
#include "CountryTable.h"
#include "Tel_Init.h"

class QLabel;
class QPushButton;
class StringGrid;
struct ClusterLine;
struct MessageRow;
struct ParsedSpot;
struct SpotDetails;

namespace Ui {
class TTelForm;
}

// The main window: the control tabs, the spot details panel and the macro buttons on top, the spot
// lists below them, then the cluster session beside the message pane, the session banner and the
// status bar. It owns the rules by which these parts follow the window's size.
class TTelForm final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTelForm)

public:
    static constexpr int StatusPanelCount = 3;
    static constexpr int SpotGridCount = 14; // GridAll and the thirteen band grids, tab indexes 0..13

    explicit TTelForm(QWidget* parent = nullptr);
    ~TTelForm() override;

    // ---- Status bar InfoBar: panel 0 the Internet and session state, panels 1 and 2 fixed texts.
    void setStatusPanel(int index, const QString& text);
    QString statusPanel(int index) const;

    // ---- Start-up: run once by the entry point right after the window is built
    void CreateForm();
    // The program cannot work (no country table): the entry point ends it without running the window.
    bool endRequested() const { return m_endRequested; }
    const QString& programDir() const { return m_programDir; }

    // ---- Received text: every block the session reads, and every line assembled from them
    void DataAvailable(const QByteArray& block);
    void ProcessClusterText(const QString& line);

    // ---- Spot lists, chart and details panel
    void AppendSpotRow(StringGrid* grid, const QStringList& values, ColorRef color);
    void AppendMessageRow(StringGrid* grid, const QString& header0, const QString& header1, const QString& sender,
                          const QString& text);
    void RebuildBandChart(ColorRef othersColor);
    void RAZButtonClick();
    void ShowSpotDetails(ColorRef color, const SpotDetails& details);
    void CellWasSelected(int column, int row);

    const CountryTable& countryList() const { return m_countryList; }
    const QList<TSpotRec>& spotList() const { return m_spotList; }
    const BandCounts& bandCounts() const { return m_bandCounts; }

    // ---- Layout rules
    void ResizeForm();
    void ResizeAnnonceGrid();
    void FitSpotColumns(StringGrid* grid);
    void ChangeTab(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- Building the designed start state
    void setUpTexts();
    void setUpColours();
    void setUpIcons();
    void setUpTabBars();
    void setUpStatusBar();
    void setUpGrids();
    void setUpCommandsMemo();

    // ---- The road of a spot
    void handleSpot(const ParsedSpot& spot);
    StringGrid* bandGrid(int bandNumber) const;
    void paintDetailStrips(const QColor& color);
    void writeDetails(const SpotDetails& details);

    // ---- Layout helpers
    int spotPageWidth() const;
    void placeBtnPanel(int panelWidth);
    std::array<QPushButton*, 5> macroButtons() const;
    QLabel* statusLabel(int index) const;

    std::unique_ptr<Ui::TTelForm> m_ui;
    std::array<QLabel*, StatusPanelCount> m_statusPanels{};
    std::array<StringGrid*, SpotGridCount> m_spotGrids{};

    // Run-wide values
    QString m_programDir;
    bool m_endRequested = false;
    CountryTable m_countryList;
    QList<TSpotRec> m_spotList;
    BandCounts m_bandCounts;
    ColorRef m_bandColor = white; // the colour of the last classified spot
    ClusterIntake m_intake;
};
