// TTelForm: start-up.

#include "Main.h"
#include "ui_Main.h"

#include "MessageBox.h"

#include <QDir>

namespace {

const QString MainCaption = QStringLiteral("KORVANE v1.5a by QERNO (VELLORAN)");

} // namespace

void TTelForm::CreateForm()
{
    setWindowTitle(MainCaption + QStringLiteral(" - ") + BuildText);
    m_programDir = QDir::currentPath();

    const CountryTableLoad load = LoadCountryTable(m_programDir, m_countryList);
    if (!load.warning.isEmpty())
        showWarning(this, load.warning);
    if (load.outcome == CountryTableLoad::Outcome::NotFound) {
        m_endRequested = true;
    } else {
        m_spotList.clear();
        m_ui->SpotPage->setCurrentWidget(m_ui->TabAll);
    }
}
