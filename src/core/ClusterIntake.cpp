#include "ClusterIntake.h"

#include <QScopeGuard>

void ClusterIntake::receive(QByteArrayView block)
{
    m_lines.append(block);
    drain();
}

void ClusterIntake::finish()
{
    m_finishPending = true;
    drain();
}

void ClusterIntake::drain()
{
    if (m_draining)
        return;
    m_draining = true;
    // A handler that fails leaves the remaining lines queued for the next block.
    const auto done = qScopeGuard([this] { m_draining = false; });
    for (;;) {
        if (auto line = m_lines.nextLine()) {
            m_handler(*line);
            continue;
        }
        if (!m_finishPending)
            break;
        m_finishPending = false;
        if (auto rest = m_lines.takeRest())
            m_handler(*rest);
    }
}
