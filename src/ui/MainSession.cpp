// TTelForm: the cluster session, what is sent to the node, and the Internet watch.

#include "Main.h"
#include "ui_Main.h"

#include "Announcements.h"
#include "Colours.h"
#include "InternetProbe.h"
#include "SettingsStore.h"
#include "SoundPlayer.h"
#include "TextRules.h"

#include <QDir>

namespace {

const QString ConnectedTo = QStringLiteral("Connected to server ");
const QString DisconnectedFrom = QStringLiteral("Disconnected from server ");
const QString InternetEstablished = QStringLiteral("Access established to the Internet");
const QString NoInternetConnection = QStringLiteral("No Internet connection");
const QString NoInternetAccess = QStringLiteral("No Internet access");
const QString SuccessSound = QStringLiteral("Sounds/success.wav");
const QString FailureSound = QStringLiteral("Sounds/failure.wav");
const QString LineEnd = QStringLiteral("\r\n");

constexpr ColorRef ConnectedGreen = 0x0011AC00;
constexpr ColorRef DisconnectedRed = 0x000000FF;

int tagOf(const QAbstractButton* button)
{
    return button->property("tag").toInt();
}

} // namespace

// ---- Opening and closing the session --------------------------------------------------------------

void TTelForm::ConnectBtnClick()
{
    m_ui->Terminal->setHostName(m_ui->URLEdit->text());
    m_ui->Terminal->setPort(m_ui->PORTEdit->text());
    m_ui->Terminal->Connect();
    m_ui->ConnectBtn->setEnabled(false);
    m_ui->DisconnectBtn->setEnabled(true);
    m_clock.stop();
}

void TTelForm::DisconnectBtnClick()
{
    m_ui->Terminal->Disconnect();
    m_ui->ConnectBtn->setEnabled(true);
    m_ui->DisconnectBtn->setEnabled(false);
    m_clock.start();
}

void TTelForm::Connection()
{
    if (m_ui->Terminal->Error() != 0)
        return; // the closed event that follows reports the failure
    for (QPushButton* send : {m_ui->BitBtn1, m_ui->BitBtn2, m_ui->BitBtn3})
        send->setEnabled(true);
    enableProgrammedMacros();
    playSound(SuccessSound);
    const QString connected = ConnectedTo + m_ui->URLEdit->text();
    setStatusPanel(0, connected);
    appendMessageLine(connected);
    Announcer::of(this).announce(connected);
    setSessionBanner(ConnectedGreen, ConnectedTo + m_ui->SERVCombo->currentText());
}

void TTelForm::Deconnection()
{
    m_intake.finish(); // a last line the node did not end still counts
    for (QPushButton* send : {m_ui->BitBtn1, m_ui->BitBtn2, m_ui->BitBtn3})
        send->setEnabled(false);
    for (QPushButton* macro : macroSendButtons())
        macro->setEnabled(false);
    m_ui->ConnectBtn->setEnabled(true);
    m_ui->DisconnectBtn->setEnabled(false);
    playSound(FailureSound);
    const QString disconnected = DisconnectedFrom + m_ui->URLEdit->text();
    setStatusPanel(0, disconnected);
    appendMessageLine(disconnected);
    Announcer::of(this).announce(disconnected);
    setSessionBanner(DisconnectedRed, disconnected);
}

void TTelForm::playSound(const QString& fileName)
{
    m_sounds.play(QDir(m_programDir).filePath(fileName));
}

void TTelForm::setSessionBanner(ColorRef color, const QString& text)
{
    setColour(m_ui->LowerPanel, QPalette::Window, fromColorRef(color));
    m_ui->ConnectLabel->setText(text);
}

// ---- Sending ----------------------------------------------------------------------------------------

void TTelForm::SendData(QAbstractButton* button)
{
    QLineEdit* const fields[] = {m_ui->INDEdit, m_ui->NOMEdit, m_ui->PASSEdit};
    const int tag = tagOf(button);
    if (tag < 1 || tag > 3)
        return;
    const QString text = trimControls(fields[tag - 1]->text());
    button->setEnabled(false);
    QCoreApplication::processEvents(); // draws the disabled button; waiting events run here
    m_ui->Terminal->SendText(text + LineEnd);
}

void TTelForm::SendCommandClick(QAbstractButton* button)
{
    QLineEdit* commandLine = nullptr;
    switch (tagOf(button)) {
    case 20:
        commandLine = m_ui->SETEdit;
        break;
    case 30:
        commandLine = m_ui->SHOWEdit;
        break;
    case 40:
        commandLine = m_ui->DXSpotEdit;
        break;
    default:
        return;
    }
    const QString line = trimControls(commandLine->text()) + LineEnd;
    button->setEnabled(false);
    m_ui->Terminal->SendText(line);
}

void TTelForm::ProgBtnSendClick(QAbstractButton* button)
{
    m_ui->Terminal->SendText(trimControls(button->toolTip()) + LineEnd);
}

void TTelForm::TerminalMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    if (button == Qt::RightButton)
        m_ui->Terminal->ShowOptionsDialog();
}

// ---- The Internet watch -----------------------------------------------------------------------------

bool TTelForm::IsConnectedToInternet()
{
    bool online = false;
    try {
        online = m_internet.isOnline();
    } catch (const InternetProbeError&) {
        return false; // the test itself failed: no line for it
    }
    if (!online)
        appendMessageLine(NoInternetConnection);
    return online;
}

void TTelForm::CheckInternet()
{
    const bool online = IsConnectedToInternet();
    m_ui->ConnectBtn->setEnabled(online);
    setStatusPanel(0, online ? InternetEstablished : NoInternetConnection);
    setWatchedTabsEnabled(online);
}

void TTelForm::testInternetAtStartUp()
{
    if (IsConnectedToInternet())
        return;
    m_ui->ConnectBtn->setEnabled(false);
    setStatusPanel(0, NoInternetAccess);
    m_clock.start();
}

// A disabled tab can still be shown, but none of its controls take input.
void TTelForm::setWatchedTabsEnabled(bool enabled)
{
    for (QWidget* page : {m_ui->AlertTab, m_ui->SETTab, m_ui->SHOWTab, m_ui->DXTab})
        page->setEnabled(enabled);
}

void TTelForm::enableProgrammedMacros()
{
    const auto buttons = macroSendButtons();
    for (int i = 1; i <= SettingsKeys::MacroButtonCount; ++i)
        buttons[i - 1]->setEnabled(m_settings.ReadBool(SettingsKeys::BtnPrg(i)));
}
