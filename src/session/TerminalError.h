#pragma once

#include <QString>

#include <stdexcept>

// The one error the telnet terminal raises from its operations (Connect, SendText): a message
// text for the window's error hook, which catches it in its handler wrapper.
class TerminalError final : public std::runtime_error
{
public:
    explicit TerminalError(const QString& message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};
