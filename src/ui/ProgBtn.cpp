#include "ProgBtn.h"
#include "ui_ProgBtn.h"

TProgBtnForm::TProgBtnForm(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::TProgBtnForm>())
{
    m_ui->setupUi(this);
    m_nameEdits = {m_ui->NameEdit1, m_ui->NameEdit2, m_ui->NameEdit3, m_ui->NameEdit4};
    m_commandEdits = {m_ui->CmdEdit1, m_ui->CmdEdit2, m_ui->CmdEdit3, m_ui->CmdEdit4};
    connect(m_ui->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TProgBtnForm::~TProgBtnForm() = default;

void TProgBtnForm::setMacro(int i, const QString& name, const QString& command)
{
    m_nameEdits.at(i - 1)->setText(name);
    m_commandEdits.at(i - 1)->setText(command);
}

QString TProgBtnForm::name(int i) const
{
    return m_nameEdits.at(i - 1)->text();
}

QString TProgBtnForm::command(int i) const
{
    return m_commandEdits.at(i - 1)->text();
}
