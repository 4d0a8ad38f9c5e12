#pragma once

#include "TerminalOptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QSpinBox;

// The "Options" dialog of the session pane: edits a copy of the pane's options.
class TerminalOptionsDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit TerminalOptionsDialog(const TerminalOptions& options, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(TerminalOptionsDialog)

    TerminalOptions options() const;

private:
    QSpinBox* m_rows;
    QSpinBox* m_columns;
    QSpinBox* m_lineHeight;
    QDoubleSpinBox* m_lineZoom;
    QDoubleSpinBox* m_charZoom;
    QFontComboBox* m_font;
    QSpinBox* m_fontSize;
    QCheckBox* m_autoCarriageReturn;
    QCheckBox* m_autoLineFeed;
    QCheckBox* m_localEcho;
    QCheckBox* m_monochrome;
    QCheckBox* m_upperLock;
    QCheckBox* m_oemCharacterSet;
    QCheckBox* m_graphicDrawing;
    QComboBox* m_functionKeys;
};
