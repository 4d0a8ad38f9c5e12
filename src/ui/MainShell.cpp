// TTelForm: start-up, the wiring of every event to its handler, and the error hook.

#include "Main.h"
#include "ui_Main.h"

#include "MessageBox.h"
#include "SettingsStore.h"
#include "SpotExport.h"
#include "StringGrid.h"
#include "TextRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QDir>
#include <QListWidget>

#include <algorithm>
#include <exception>

namespace {

const QString MainCaption = QStringLiteral("KORVANE v1.5a by QERNO (VELLORAN)");
const QString ProductPanelText = QStringLiteral("KORVANE DX cluster client");
const QString VersionPanelText = QStringLiteral("v1.5a");
const QString SaveQuestion = QStringLiteral("Save these DX Spots list ?");
const QString QuestionCaption = QStringLiteral("Question");

using namespace SettingsKeys;

} // namespace

// ---- Start-up -------------------------------------------------------------------------------------

void TTelForm::CreateForm()
{
    setWindowTitle(MainCaption + QStringLiteral(" - ") + BuildText);
    // From here on every handler runs through runGuarded, which reports what leaves it.
    loadServerList();
    setStatusPanel(1, ProductPanelText);
    setStatusPanel(2, VersionPanelText);
    m_programDir = QDir::currentPath();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CountryTableLoad load = LoadCountryTable(m_programDir, m_countryList);
    QApplication::restoreOverrideCursor();
    if (!load.warning.isEmpty())
        showWarning(this, load.warning);
    if (load.outcome == CountryTableLoad::Outcome::NotFound) {
        m_endRequested = true;
    } else {
        m_spotList.clear();
        m_ui->SpotPage->setCurrentWidget(m_ui->TabAll);
        testInternetAtStartUp();
    }

    runGuarded([this] {
        ReadSettings();
        TelnetTerminal* terminal = m_ui->Terminal;
        terminal->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
        terminal->setLineZoom(1.0);
        terminal->setCharZoom(0.8);
        terminal->setLocalEcho(true);
        m_wavFolder = m_programDir;
        readGeometry();
        readMacroButtons();
        readAlertFields();
    });
}

void TTelForm::loadServerList()
{
    if (const auto warning = LoadServerList(ServerListText::fileName, m_serverList))
        showWarning(this, *warning);
    m_ui->SERVCombo->clear();
    m_ui->SERVCombo->addItems(m_serverList.names);
}

void TTelForm::ReadSettings()
{
    m_settings.CreateKey(DefaultSection);
    m_settings.CreateKey(StationSection);
    m_ui->INDEdit->setText(m_settings.ReadString(Indicatif));
    m_ui->NOMEdit->setText(m_settings.ReadString(Prenom));
    m_ui->NAMEdit->setText(m_settings.ReadString(Prenom));
    m_ui->QTHEdit->setText(m_settings.ReadString(Village));
    m_ui->LOCEdit->setText(m_settings.ReadString(Locator));
    m_ui->PASSEdit->setText(m_settings.ReadString(Password));
    {
        // Restoring the text chooses no server: only the user's choice fills the address and port.
        const QSignalBlocker quiet(m_ui->SERVCombo);
        m_ui->SERVCombo->setEditText(m_settings.ReadString(Serveur));
    }
    m_ui->URLEdit->setText(m_settings.ReadString(Adresse));
    m_ui->PORTEdit->setText(m_settings.ReadString(Port));
    m_ui->WavNameEdit->setText(m_settings.ReadString(AlertSound));
    m_ui->SoundCheck->setChecked(m_settings.ReadBool(SoundOnOff));
    SoundCheckClick(); // as a click would: it warns only while the alert is on, never at start-up
}

// The stored geometry is the outer frame's; the frame's own size is known once the window is shown.
void TTelForm::readGeometry()
{
    m_storedFrame = QRect(m_settings.ReadInteger(Left), m_settings.ReadInteger(Top),
                          m_settings.ReadInteger(Width), m_settings.ReadInteger(Height));
    move(m_storedFrame.topLeft());
    resize(m_storedFrame.size());
}

void TTelForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_storedFrame.isNull())
        return;
    const QSize frame = frameGeometry().size() - size();
    resize(m_storedFrame.size() - frame);
    m_storedFrame = {};
}

void TTelForm::readMacroButtons()
{
    const auto buttons = macroSendButtons();
    for (int i = 1; i <= MacroButtonCount; ++i) {
        buttons[i - 1]->setText(m_settings.ReadString(BtnName(i)));
        buttons[i - 1]->setToolTip(m_settings.ReadString(BtnCmd(i)));
    }
}

void TTelForm::readAlertFields()
{
    const auto fields = watchFields();
    for (int i = 1; i <= AlertCount; ++i)
        fields[i - 1]->setText(m_settings.ReadString(Alert(i)));
}

void TTelForm::SERVComboChange(int index)
{
    if (index < 0 || index >= m_serverList.names.size())
        return;
    m_ui->URLEdit->setText(m_serverList.addresses.at(index));
    m_ui->PORTEdit->setText(m_serverList.ports.at(index));
    m_ui->ConnectBtn->setEnabled(true);
}

// ---- Shutdown -------------------------------------------------------------------------------------

void TTelForm::closeEvent(QCloseEvent* event)
{
    // The window stays open when the settings or the spot file cannot be written.
    event->ignore();
    runGuarded([&] {
        CloseProgram(event);
        event->accept();
    });
}

void TTelForm::CloseProgram(QCloseEvent*)
{
    WriteSettings();
    if (!m_spotList.isEmpty() && askYesNo(this, QuestionCaption, SaveQuestion))
        exportSpotList();
}

void TTelForm::WriteSettings()
{
    m_settings.WriteString(Indicatif, trimControls(m_ui->INDEdit->text()));
    m_settings.WriteString(Prenom, trimControls(m_ui->NOMEdit->text()));
    m_settings.WriteString(Village, trimControls(m_ui->QTHEdit->text()));
    m_settings.WriteString(Locator, trimControls(m_ui->LOCEdit->text()));
    m_settings.WriteString(Password, trimControls(m_ui->PASSEdit->text()));
    m_settings.WriteString(Serveur, trimControls(m_ui->SERVCombo->currentText()));
    m_settings.WriteString(Adresse, trimControls(m_ui->URLEdit->text()));
    m_settings.WriteString(Port, trimControls(m_ui->PORTEdit->text()));
    m_settings.WriteString(AlertSound, m_ui->WavNameEdit->text());
    const auto alerts = watchFields();
    for (int i = 1; i <= AlertCount; ++i)
        m_settings.WriteString(Alert(i), alerts[i - 1]->text());
    const QRect frame = frameGeometry();
    m_settings.WriteInteger(Left, frame.left());
    m_settings.WriteInteger(Top, frame.top());
    m_settings.WriteInteger(Width, frame.width());
    m_settings.WriteInteger(Height, frame.height());
    m_settings.WriteBool(SoundOnOff, m_ui->SoundCheck->isChecked());
}

// Every row of the list of all spots, its header first, into the dated file of the working folder.
void TTelForm::exportSpotList()
{
    const StringGrid* all = m_ui->GridAll;
    QList<QStringList> rows;
    rows.reserve(all->rowCount());
    for (int row = 0; row < all->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < SpotColumnCount; ++column)
            cells.append(all->cell(column, row));
        rows.append(cells);
    }
    writeSpotFile(QDir::current().filePath(spotFileName(m_today())), rows);
}

// ---- Wiring ---------------------------------------------------------------------------------------

void TTelForm::connectHandlers()
{
    connect(&m_clock, &QTimer::timeout, this, guarded(&TTelForm::CheckInternet));
    connect(m_ui->ConnectBtn, &QPushButton::clicked, this, guarded(&TTelForm::ConnectBtnClick));
    connect(m_ui->DisconnectBtn, &QPushButton::clicked, this, guarded(&TTelForm::DisconnectBtnClick));
    for (QAbstractButton* send : {m_ui->BitBtn1, m_ui->BitBtn2, m_ui->BitBtn3})
        connectClick(send, &TTelForm::SendData);
    for (QAbstractButton* send : {m_ui->SETBtn, m_ui->SHOWBtn, m_ui->DXBtn})
        connectClick(send, &TTelForm::SendCommandClick);
    for (QAbstractButton* macro : {m_ui->ProgBtn1, m_ui->ProgBtn2, m_ui->ProgBtn3, m_ui->ProgBtn4})
        connectClick(macro, &TTelForm::ProgBtnSendClick);
    connect(m_ui->SERVCombo, &QComboBox::activated, this, guarded(&TTelForm::SERVComboChange));
    connect(m_ui->RAZButton, &QPushButton::clicked, this, guarded(&TTelForm::RAZButtonClick));
    connect(m_ui->SpotPage, &QTabWidget::currentChanged, this, guarded(&TTelForm::ChangeTab));
    connect(m_ui->GridAll, &StringGrid::cellSelected, this, guarded(&TTelForm::CellWasSelected));

    connect(m_ui->AlertCheckBox, &QCheckBox::clicked, this, guarded(&TTelForm::AlertClick));
    connect(m_ui->SoundCheck, &QCheckBox::clicked, this, guarded(&TTelForm::SoundCheckClick));
    connect(m_ui->ResetBtn, &QPushButton::clicked, this, guarded(&TTelForm::ResetBtnClick));
    connect(m_ui->PlayBtn, &QPushButton::clicked, this, guarded(&TTelForm::PlayBtnClick));
    connect(m_ui->WavBrowseBtn, &QToolButton::clicked, this, guarded(&TTelForm::chooseAlertSound));
    for (QLineEdit* field : watchFields())
        field->installEventFilter(this);

    const std::pair<QPushButton*, void (TTelForm::*)()> composers[] = {
        {m_ui->SETQTHBtn, &TTelForm::SETQTHBtnClick}, {m_ui->SETNAMEBtn, &TTelForm::SETNAMEBtnClick},
        {m_ui->SETLOCBtn, &TTelForm::SETLOCBtnClick}, {m_ui->SHOWUSERBtn, &TTelForm::SHOWUSERBtnClick},
        {m_ui->SHOWDXBtn, &TTelForm::SHOWDXBtnClick}, {m_ui->SHOWDX2Btn, &TTelForm::SHOWDX2BtnClick},
        {m_ui->SHOWCOBtn, &TTelForm::SHOWCOBtnClick}, {m_ui->SHOWSTBtn, &TTelForm::SHOWSTBtnClick},
        {m_ui->CONFBtn, &TTelForm::CONFBtnClick},
    };
    for (const auto& [button, handler] : composers) {
        connect(button, &QPushButton::clicked, this, guarded(handler));
        if (button != m_ui->CONFBtn) {
            button->setMouseTracking(true);
            button->installEventFilter(this);
        }
    }
    for (QLineEdit* field : {m_ui->FRQEdit, m_ui->SPOTEdit, m_ui->COMEdit})
        field->installEventFilter(this);
    connect(m_ui->ProgBtn, &QPushButton::clicked, this, guarded(&TTelForm::ProgramBtnClick));

    TelnetTerminal* terminal = m_ui->Terminal;
    connect(terminal, &TelnetTerminal::mousePressed, this, guarded(&TTelForm::TerminalMouseDown));
    connect(terminal, &TelnetTerminal::sessionConnected, this, guarded(&TTelForm::Connection));
    connect(terminal, &TelnetTerminal::sessionClosed, this, guarded(&TTelForm::Deconnection));
    connect(terminal, &TelnetTerminal::dataAvailable, this, guarded(&TTelForm::DataAvailable));
}

// The events the window watches on its children: a mouse click (or Escape) into a watch field, the mouse over
// a composer button (or the keyboard focus on it, for those who do not use a mouse), and the focus entering a
// field of the DX tab.
bool TTelForm::watchedEvent(QObject* watched, QEvent* event)
{
    const auto fields = watchFields();
    if (const auto field = std::find(fields.begin(), fields.end(), watched); field != fields.end()) {
        // Escape in the field is the keyboard's way of the same acknowledgement.
        const bool escape =
            event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
        if (event->type() == QEvent::MouseButtonPress || escape)
            runGuarded([&] { AlertEditChange(*field); });
        return false;
    }
    if (watched == m_ui->FRQEdit || watched == m_ui->SPOTEdit || watched == m_ui->COMEdit) {
        if (event->type() == QEvent::FocusIn)
            runGuarded([&] { EnterEdit(static_cast<QLineEdit*>(watched)); });
        return false;
    }
    if (auto* button = qobject_cast<QPushButton*>(watched);
        button && (event->type() == QEvent::MouseMove || event->type() == QEvent::FocusIn))
        runGuarded([&] { MouseIsMoving(button); });
    return false;
}

void TTelForm::connectClick(QAbstractButton* button, void (TTelForm::*handler)(QAbstractButton*))
{
    connect(button, &QAbstractButton::clicked, this,
            [this, button, handler] { runGuarded([&] { (this->*handler)(button); }); });
}

void TTelForm::runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ReportUnhandledError(QString::fromUtf8(error.what()));
    } catch (...) {
        ReportUnhandledError(QStringLiteral("Unknown error"));
    }
}

// ---- Messages -------------------------------------------------------------------------------------

void TTelForm::ReportUnhandledError(const QString& message)
{
    appendMessageLine(message);
}

void TTelForm::appendMessageLine(const QString& line)
{
    QListWidget* pane = m_ui->ErrorList;
    pane->addItem(line);
    pane->scrollToBottom();
}
