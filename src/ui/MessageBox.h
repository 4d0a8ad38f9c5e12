#pragma once

#include <QMessageBox>

#include <functional>

// Every message box of the program goes through showMessage, so that tests can answer it.
struct MessageRequest
{
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using MessageResponder = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

// Shows the box modally over parent and returns the button chosen.
QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request);

// Answers every later box with responder instead of showing it; an empty responder shows them again.
void setMessageResponder(MessageResponder responder);

// The boxes the program shows: a warning with OK, and a Yes/No question with No as the default.
QMessageBox::StandardButton showWarning(QWidget* parent, const QString& text);
bool askYesNo(QWidget* parent, const QString& caption, const QString& text);
