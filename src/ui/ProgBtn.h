#pragma once

#include <QDialog>

#include <array>
#include <memory>

class QLineEdit;

namespace Ui {
class TProgBtnForm;
}

// The macro editor: a name and a command for each of the four macro buttons, closed with "OK" or
// "Cancel". It only shows and collects the texts; the window reads and writes the settings.
// Shown with the main window as parent, it opens centred over it.
class TProgBtnForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TProgBtnForm)

public:
    static constexpr int MacroCount = 4;

    explicit TProgBtnForm(QWidget* parent = nullptr);
    ~TProgBtnForm() override;

    // i is the macro number, 1 to MacroCount; any other number throws std::out_of_range.
    void setMacro(int i, const QString& name, const QString& command);
    QString name(int i) const;
    QString command(int i) const;

private:
    std::unique_ptr<Ui::TProgBtnForm> m_ui;
    std::array<QLineEdit*, MacroCount> m_nameEdits;
    std::array<QLineEdit*, MacroCount> m_commandEdits;
};
