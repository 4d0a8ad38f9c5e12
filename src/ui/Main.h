#pragma once

#include <QColor>
#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

#include "BandPlan.h"
#include "ClusterIntake.h"
#include "CountryTable.h"
#include "ServerList.h"
#include "SpotList.h"
#include "Tel_Init.h"

class InternetProbe;
class QAbstractButton;
class QLineEdit;
class QLabel;
class QPushButton;
class QCloseEvent;
class SettingsStore;
class SoundPlayer;
class StringGrid;
struct ClusterLine;
struct MessageRow;
struct ParsedSpot;
struct SpotDetails;

namespace Ui {
class TTelForm;
}

// What the window needs of the outside world: the program leaves these empty and gets the real ones,
// tests hand in their doubles.
struct FormServices
{
    SoundPlayer* sounds = nullptr;     // empty: the sound server, the default beep when it cannot play
    InternetProbe* internet = nullptr; // empty: the machine's network interfaces
    SettingsStore* settings = nullptr; // empty: the current user's store
    std::function<QDate()> today;      // empty: the local date, for the spot file's name
};

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
    static constexpr int SpotColumnCount = 7;

    explicit TTelForm(const FormServices& services = {}, QWidget* parent = nullptr);
    ~TTelForm() override;

    // ---- Status bar InfoBar: panel 0 the Internet and session state, panels 1 and 2 fixed texts.
    void setStatusPanel(int index, const QString& text);
    QString statusPanel(int index) const;

    // ---- Start-up: run once by the entry point right after the window is built; and shutdown
    void CreateForm();
    void CloseProgram(QCloseEvent* event);
    void ReadSettings();
    void WriteSettings();
    void SERVComboChange(int index);
    const ServerList& serverList() const { return m_serverList; }
    // The program cannot work (no country table): the entry point ends it without running the window.
    bool endRequested() const { return m_endRequested; }
    const QString& programDir() const { return m_programDir; }

    // ---- Errors: the message of an error that leaves a handler becomes a line of the message pane
    void ReportUnhandledError(const QString& message);
    void appendMessageLine(const QString& line);

    // ---- The cluster session
    void ConnectBtnClick();
    void DisconnectBtnClick();
    void Connection();
    void Deconnection();
    void SendData(QAbstractButton* button);
    void SendCommandClick(QAbstractButton* button);
    void ProgBtnSendClick(QAbstractButton* button);
    void TerminalMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

    // ---- Callsign alerts and sounds
    void PlayNewSpotSound();
    void PlayAlertSound();
    void CheckCallsignAlert(const QString& call, const QString& time);
    void AlertClick();
    void SoundCheckClick();
    void AlertEditChange(QLineEdit* field);
    void ResetBtnClick();
    void PlayBtnClick();

    // ---- Command composer and macro buttons
    void SETQTHBtnClick();
    void SETNAMEBtnClick();
    void SETLOCBtnClick();
    void SHOWUSERBtnClick();
    void SHOWDXBtnClick();
    void SHOWDX2BtnClick();
    void SHOWCOBtnClick();
    void SHOWSTBtnClick();
    void CONFBtnClick();
    void MouseIsMoving(QWidget* button);
    void EnterEdit(QLineEdit* field);
    void ProgramBtnClick();

    // ---- The Internet watch
    bool IsConnectedToInternet();
    void CheckInternet();
    const QTimer& clock() const { return m_clock; }

    // ---- Received text: every block the session reads, and every line assembled from them
    void DataAvailable(const QByteArray& block);
    void ProcessClusterText(const QString& line);

    // ---- Spot lists, chart and details panel
    void AppendSpotRow(StringGrid* grid, const QStringList& values, ColorRef color);
    void AppendMessageRow(StringGrid* grid, const QString& header0, const QString& header1,
                          const QString& sender, const QString& text);
    void RebuildBandChart(ColorRef othersColor);
    void RAZButtonClick();
    void ShowSpotDetails(ColorRef color, const SpotDetails& details);
    void CellWasSelected(int column, int row);

    const CountryTable& countryList() const { return m_countryList; }
    const SpotList& spotList() const { return m_spotList; }
    const BandCounts& bandCounts() const { return m_bandCounts; }

    // ---- Layout rules
    void ResizeForm();
    void ResizeAnnonceGrid();
    void FitSpotColumns(StringGrid* grid);
    void ChangeTab(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
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

    // ---- Handlers run through one wrapper, so that no error crosses the event loop
    void connectHandlers();
    void runGuarded(const std::function<void()>& handler);
    template<typename... Args> auto guarded(void (TTelForm::*handler)(Args...))
    {
        return [this, handler](Args... args) {
            runGuarded([&] { (this->*handler)(args...); });
        };
    }
    void connectClick(QAbstractButton* button, void (TTelForm::*handler)(QAbstractButton*));
    void playSound(const QString& fileName);
    void setSessionBanner(ColorRef color, const QString& text);
    void setWatchedTabsEnabled(bool enabled);
    void testInternetAtStartUp();
    void loadServerList();
    void readGeometry();
    void readMacroButtons();
    void readAlertFields();
    void exportSpotList();
    void enableProgrammedMacros();

    // ---- Alerts, composer and macros
    std::array<QLineEdit*, 3> watchFields() const;
    std::array<QPushButton*, 4> macroSendButtons() const;
    void paintWatchField(QLineEdit* field, const QColor& background, const QColor& text);
    void showLampBeside(int entry);
    void hideLamp();
    void chooseAlertSound();
    void composeSet(const QString& command);
    void composeShow(const QString& command);
    void refreshMacroButtons();
    bool watchedEvent(QObject* watched, QEvent* event);

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

    std::unique_ptr<SoundPlayer> m_ownSounds;
    std::unique_ptr<InternetProbe> m_ownInternet;
    std::unique_ptr<SettingsStore> m_ownSettings;
    SoundPlayer& m_sounds;
    InternetProbe& m_internet;
    SettingsStore& m_settings;
    std::function<QDate()> m_today;
    QTimer m_clock; // the Internet watch

    // Run-wide values
    QString m_programDir;
    bool m_endRequested = false;
    ServerList m_serverList;
    QString m_wavFolder; // where the alert sound chooser starts
    QRect m_storedFrame; // the outer geometry read at start-up, applied once the frame is known
    CountryTable m_countryList;
    SpotList m_spotList;
    BandCounts m_bandCounts;
    ColorRef m_bandColor = white; // the colour of the last classified spot
    ClusterIntake m_intake;
};
