// TTelForm: the command composer tabs, their help texts and prompts, and the macro buttons.

#include "Main.h"
#include "ui_Main.h"

#include "ProgBtn.h"
#include "SettingsStore.h"
#include "TextRules.h"

namespace {

using namespace SettingsKeys;

// The help shown when the mouse passes over a composer button, by the button's tag.
QString helpText(int tag)
{
    switch (tag) {
    case 21:
        return QStringLiteral(
            "Syntax: SEt/QTH city or village\r\nThis command allows you to enter your QTH in the "
            "cluster. This information can be retrieved by using the command SHOW/USER callsign.");
    case 22:
        return QStringLiteral(
            "Syntax: SEt/NAME name\r\nThis command allows you to enter your name in the cluster. "
            "This information can be retrieved by using the command SHOW/USER callsign.");
    case 23:
        return QStringLiteral(
            "Syntaxe: SET/LOC dd mm N dd mm W\r\nThis command allows you to enter your geographic "
            "coordinates\r\nin the cluster. Enter your coordinates in degrees, minutes North (N) or "
            "South (S) and West (W) or East (E). This information can be retrieved by using the "
            "command SHOW/USER callsign.");
    case 31:
        return QStringLiteral(
            "Syntaxe SHow/USERS\r\nClick on the button to confirm then click on the button <Send> "
            "to send the command to the cluster");
    case 32:
        return QStringLiteral(
            "Syntaxe: SHow/DX/Number of DX\r\nEnter on the button's right the number of DXs you "
            "want to be displayed, click on the button to confirm then click on the button <Send> "
            "to send the command to the cluster");
    case 33:
        return QStringLiteral(
            "Syntaxe: SHow/DX/+ Complement\r\nEnter on the button's right the command's complement you need. "
            "SHOW/DX/nn 14 will display nn spots on 20m - SHOW/DX 80 OH : OH stations notified - SHOW/DX "
            "28025-28050 : notified stations between these frequencies etc. Click on the button to confirm "
            "then "
            "click on the button <Send> to send the command to the cluster");
    case 34:
        return QStringLiteral(
            "Syntaxe: SHow/COMmands\r\nDisplays the SHOW commands available, created by the "
            "system operator (SysOp)");
    case 35:
        return QStringLiteral(
            "Syntaxe: SHow/STation callsign\r\nDisplays all informations available about the "
            "spacified station");
    default:
        return {};
    }
}

// The prompt shown when a field of the DX tab takes the focus, by the field's tag.
QString promptText(int tag)
{
    switch (tag) {
    case 2:
        return QStringLiteral("Enter the frequency here. Format 14230.0");
    case 3:
        return QStringLiteral("Enter here the callsign you want to notify");
    case 4:
        return QStringLiteral("Enter your comments here (very short)");
    default:
        return {};
    }
}

} // namespace

// ---- Composer buttons -------------------------------------------------------------------------------

void TTelForm::composeSet(const QString& command)
{
    m_ui->SETEdit->setText(command);
    m_ui->SETBtn->setEnabled(true);
}

void TTelForm::composeShow(const QString& command)
{
    m_ui->SHOWEdit->setText(command);
    m_ui->SHOWBtn->setEnabled(true);
}

void TTelForm::SETQTHBtnClick()
{
    composeSet(QStringLiteral("SET/QTH ") + m_ui->QTHEdit->text());
}

void TTelForm::SETNAMEBtnClick()
{
    composeSet(QStringLiteral("SET/NAME ") + m_ui->NAMEdit->text());
}

void TTelForm::SETLOCBtnClick()
{
    composeSet(QStringLiteral("SET/LOC ") + m_ui->LOCEdit->text());
}

void TTelForm::SHOWUSERBtnClick()
{
    composeShow(QStringLiteral("SHOW/USERS"));
}

void TTelForm::SHOWDXBtnClick()
{
    composeShow(QStringLiteral("SHOW/DX/") + QString::number(m_ui->DXSpin->value()));
}

void TTelForm::SHOWDX2BtnClick()
{
    composeShow(QStringLiteral("SHOW/DX/ ") + m_ui->SHDXEdit->text());
}

void TTelForm::SHOWCOBtnClick()
{
    composeShow(QStringLiteral("SHOW/COMMANDS"));
}

void TTelForm::SHOWSTBtnClick()
{
    composeShow(QStringLiteral("SHOW/ST ") + m_ui->STEdit->text());
}

void TTelForm::CONFBtnClick()
{
    m_ui->DXSpotEdit->setText(QStringLiteral("DX ") + m_ui->SPOTEdit->text() + u' ' + m_ui->FRQEdit->text() +
                              u' ' + m_ui->COMEdit->text());
    m_ui->DXBtn->setEnabled(true);
}

void TTelForm::MouseIsMoving(QWidget* button)
{
    const int tag = button->property("tag").toInt();
    const QString help = helpText(tag);
    if (help.isEmpty())
        return;
    (tag < 30 ? m_ui->SETLabel : m_ui->SHOWLabel)->setText(help);
}

void TTelForm::EnterEdit(QLineEdit* field)
{
    const QString prompt = promptText(field->property("tag").toInt());
    if (prompt.isEmpty())
        return;
    field->clear();
    m_ui->InfoLabel->setText(prompt);
    m_ui->INFOPanel->setVisible(true);
}

// ---- Macro buttons ----------------------------------------------------------------------------------

std::array<QPushButton*, 4> TTelForm::macroSendButtons() const
{
    return {m_ui->ProgBtn1, m_ui->ProgBtn2, m_ui->ProgBtn3, m_ui->ProgBtn4};
}

void TTelForm::ProgramBtnClick()
{
    TProgBtnForm editor(this);
    for (int i = 1; i <= MacroButtonCount; ++i)
        editor.setMacro(i, m_settings.ReadString(BtnName(i)), m_settings.ReadString(BtnCmdInEditor(i)));
    if (editor.exec() == QDialog::Accepted) {
        for (int i = 1; i <= MacroButtonCount; ++i) {
            m_settings.WriteString(BtnName(i), editor.name(i));
            m_settings.WriteString(BtnCmd(i), editor.command(i));
            m_settings.WriteBool(BtnPrg(i), !trimControls(editor.command(i)).isEmpty());
        }
    }
    refreshMacroButtons();
}

// Programmed buttons show their stored name and command and can be used; the others are disabled and
// their stored name and command reset.
void TTelForm::refreshMacroButtons()
{
    const auto buttons = macroSendButtons();
    for (int i = 1; i <= MacroButtonCount; ++i) {
        QPushButton* button = buttons[i - 1];
        if (m_settings.ReadBool(BtnPrg(i))) {
            button->setText(m_settings.ReadString(BtnName(i)));
            button->setToolTip(m_settings.ReadString(BtnCmd(i)));
            button->setEnabled(true);
        } else {
            m_settings.WriteString(BtnName(i), NotProgrammedName);
            m_settings.WriteString(BtnCmd(i), NotProgrammedHint);
            button->setEnabled(false);
        }
    }
}
