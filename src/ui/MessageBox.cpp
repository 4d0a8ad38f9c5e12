#include "MessageBox.h"

namespace {

MessageResponder& responder()
{
    static MessageResponder current;
    return current;
}

} // namespace

QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request)
{
    if (responder())
        return responder()(request);
    QMessageBox box(request.icon, request.caption, request.text, request.buttons, parent);
    box.setDefaultButton(request.defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

void setMessageResponder(MessageResponder answer)
{
    responder() = std::move(answer);
}

QMessageBox::StandardButton showWarning(QWidget* parent, const QString& text)
{
    return showMessage(
        parent, {QStringLiteral("Warning !"), text, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok});
}

bool askYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    return showMessage(parent, {caption, text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No}) == QMessageBox::Yes;
}
