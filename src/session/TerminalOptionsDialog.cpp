#include "TerminalOptionsDialog.h"

#include "TerminalTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* spinBox(const char* name, int minimum, int maximum, int value)
{
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1StringView(name));
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QDoubleSpinBox* zoomBox(const char* name, double value)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QLatin1StringView(name));
    box->setRange(TerminalOptions::MinZoom, TerminalOptions::MaxZoom);
    box->setSingleStep(0.1);
    box->setValue(value);
    return box;
}

QCheckBox* checkBox(const char* name, const QString& caption, bool checked)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QLatin1StringView(name));
    box->setChecked(checked);
    return box;
}

} // namespace

TerminalOptionsDialog::TerminalOptionsDialog(const TerminalOptions& options, QWidget* parent)
    : QDialog(parent), m_rows(spinBox("Rows", 1, TerminalOptions::MaxRows, options.rows)),
      m_columns(spinBox("Columns", 1, TerminalOptions::MaxColumns, options.columns)),
      m_lineHeight(spinBox("LineHeight", 1, TerminalOptions::MaxLineHeight, options.lineHeight)),
      m_lineZoom(zoomBox("LineZoom", options.lineZoom)), m_charZoom(zoomBox("CharZoom", options.charZoom)),
      m_font(new QFontComboBox), m_fontSize(spinBox("FontSize", TerminalOptions::MinFontSize,
                                                    TerminalOptions::MaxFontSize, options.fontSize)),
      m_autoCarriageReturn(checkBox("AutoCR", tr("Automatic CR after LF"), options.autoCarriageReturn)),
      m_autoLineFeed(checkBox("AutoLF", tr("Automatic LF after CR"), options.autoLineFeed)),
      m_localEcho(checkBox("LocalEcho", tr("Local echo"), options.localEcho)),
      m_monochrome(checkBox("Monochrome", tr("Monochrome"), options.monochrome)),
      m_upperLock(checkBox("UpperLock", tr("Upper case"), options.upperLock)),
      m_oemCharacterSet(checkBox("OemCharset", tr("OEM character set"), options.oemCharacterSet)),
      m_graphicDrawing(checkBox("GraphicDraw", tr("Graphic drawing"), options.graphicDrawing)),
      m_functionKeys(new QComboBox)
{
    setWindowTitle(TerminalTexts::OptionsTitle);
    m_font->setObjectName(QStringLiteral("FontName"));
    m_font->setEditText(options.fontFamily); // kept as it is, even when this machine lacks the face
    m_functionKeys->setObjectName(QStringLiteral("FunctionKeys"));
    m_functionKeys->addItems({QStringLiteral("SCO"), QStringLiteral("VT100"), QStringLiteral("A11")});
    m_functionKeys->setCurrentIndex(int(options.functionKeys));

    auto* form = new QFormLayout;
    form->addRow(tr("Rows"), m_rows);
    form->addRow(tr("Columns"), m_columns);
    form->addRow(tr("Line height"), m_lineHeight);
    form->addRow(tr("Line zoom"), m_lineZoom);
    form->addRow(tr("Character zoom"), m_charZoom);
    form->addRow(tr("Font"), m_font);
    form->addRow(tr("Font size"), m_fontSize);
    form->addRow(tr("Function keys"), m_functionKeys);
    for (QCheckBox* box : {m_autoCarriageReturn, m_autoLineFeed, m_localEcho, m_monochrome, m_upperLock,
                           m_oemCharacterSet, m_graphicDrawing})
        form->addRow(box);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

TerminalOptions TerminalOptionsDialog::options() const
{
    TerminalOptions options;
    options.rows = m_rows->value();
    options.columns = m_columns->value();
    options.lineHeight = m_lineHeight->value();
    options.lineZoom = m_lineZoom->value();
    options.charZoom = m_charZoom->value();
    options.fontFamily = m_font->currentText();
    options.fontSize = m_fontSize->value();
    options.autoCarriageReturn = m_autoCarriageReturn->isChecked();
    options.autoLineFeed = m_autoLineFeed->isChecked();
    options.localEcho = m_localEcho->isChecked();
    options.monochrome = m_monochrome->isChecked();
    options.upperLock = m_upperLock->isChecked();
    options.oemCharacterSet = m_oemCharacterSet->isChecked();
    options.graphicDrawing = m_graphicDrawing->isChecked();
    options.functionKeys = TerminalOptions::FunctionKeys(m_functionKeys->currentIndex());
    return options;
}
