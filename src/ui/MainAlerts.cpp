// TTelForm: the callsign alerts and the new-spot sound.

#include "Main.h"
#include "ui_Main.h"

#include "Announcements.h"
#include "BlinkingLamp.h"
#include "Colours.h"
#include "MessageBox.h"
#include "SoundPlayer.h"
#include "TextRules.h"

#include <QDir>

#include <algorithm>
#include <QFileDialog>

namespace {

const QString NewSpotSound = QStringLiteral("Sounds/NewDX.wav");
const QString AlertAt = QStringLiteral(" alert at ");
const QString BothAlertsWarning = QStringLiteral(
    "The CallSign alert is already ON. Both alerts could be overlapping and create confusion.");
const QString ChooseWavCaption = QStringLiteral("Choose a wav file");

constexpr int LampTops[] = {0, 27, 55}; // beside watch entries 1, 2 and 3

} // namespace

std::array<QLineEdit*, 3> TTelForm::watchFields() const
{
    return {m_ui->AlertEdit1, m_ui->AlertEdit2, m_ui->AlertEdit3};
}

void TTelForm::PlayNewSpotSound()
{
    QCoreApplication::processEvents(); // repaints first; a block arriving now waits behind this line
    playSound(NewSpotSound);
}

void TTelForm::PlayAlertSound()
{
    m_sounds.play(m_ui->WavNameEdit->text());
}

void TTelForm::CheckCallsignAlert(const QString& call, const QString& time)
{
    const auto fields = watchFields();
    for (int k = 0; k < int(fields.size()); ++k) {
        if (trimControls(fields[k]->text()) != call)
            continue;
        PlayAlertSound();
        paintWatchField(fields[k], fromColorRef(0x000000FF), Qt::white);
        showLampBeside(k);
        const QString alert = call + AlertAt + time;
        appendMessageLine(alert);
        Announcer::of(this).announce(alert);
        return;
    }
}

void TTelForm::AlertClick()
{
    const auto fields = watchFields();
    const bool watching =
        std::any_of(fields.begin(), fields.end(), [](QLineEdit* f) { return !f->text().isEmpty(); });
    m_ui->AlertCheckBox->setChecked(watching);
    m_ui->SoundCheck->setChecked(false);
    if (!watching)
        ResetBtnClick();
}

void TTelForm::SoundCheckClick()
{
    if (m_ui->SoundCheck->isChecked() && m_ui->AlertCheckBox->isChecked())
        showWarning(this, BothAlertsWarning);
}

void TTelForm::AlertEditChange(QLineEdit* field)
{
    paintWatchField(field, palette().color(QPalette::Base), Qt::black);
    hideLamp();
}

void TTelForm::ResetBtnClick()
{
    for (QLineEdit* field : watchFields())
        paintWatchField(field, palette().color(QPalette::Base), palette().color(QPalette::Text));
    hideLamp();
}

void TTelForm::PlayBtnClick()
{
    PlayAlertSound();
}

void TTelForm::chooseAlertSound()
{
    QFileDialog chooser(this, ChooseWavCaption, m_wavFolder);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setDefaultSuffix(QStringLiteral("wav"));
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        m_ui->WavNameEdit->setText(QDir::toNativeSeparators(chooser.selectedFiles().first()));
}

void TTelForm::paintWatchField(QLineEdit* field, const QColor& background, const QColor& text)
{
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, text);
    field->setPalette(colours);
}

void TTelForm::showLampBeside(int entry)
{
    BlinkingLamp* lamp = m_ui->BlinkLed;
    lamp->move(lamp->x(), LampTops[entry]);
    lamp->setAccessibleDescription(QStringLiteral("Blinking beside watched callsign %1").arg(entry + 1));
    lamp->setBlinking(true);
    lamp->show();
}

void TTelForm::hideLamp()
{
    m_ui->BlinkLed->setBlinking(false);
    m_ui->BlinkLed->setAccessibleDescription(QStringLiteral("Hidden"));
    m_ui->BlinkLed->hide();
}
