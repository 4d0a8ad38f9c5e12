#pragma once

#include "LineAssembler.h"

#include <functional>

// Hands every received line to the line handler once, in arrival order. The handler may let
// pending events run (the new-spot sound does), so a block can arrive while a line is still being
// handled: it is queued behind the lines already waiting instead of being handled in the middle.
class ClusterIntake final
{
public:
    using LineHandler = std::function<void(const QString& line)>;

    explicit ClusterIntake(LineHandler handler) : m_handler(std::move(handler)) {}

    // A block of received bytes, telnet commands already removed.
    void receive(QByteArrayView block);

    // The stream has ended: the unterminated tail is handled as a last line.
    void finish();

private:
    void drain();

    LineAssembler m_lines;
    LineHandler m_handler;
    bool m_draining = false;
    bool m_finishPending = false;
};
