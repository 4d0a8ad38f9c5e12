#pragma once

#include "InternetProbe.h"

// An Internet probe for tests: gives the answer it was set to, or fails its test when told to, and
// counts how often it was asked.
class FixedInternetProbe final : public InternetProbe
{
public:
    explicit FixedInternetProbe(bool online = true) : m_online(online) {}

    // Throws InternetProbeError while set to fail.
    bool isOnline() override;

    void setOnline(bool online) { m_online = online; }
    void setFailing(bool failing) { m_failing = failing; }
    int askedCount() const { return m_askedCount; }

private:
    bool m_online;
    bool m_failing = false;
    int m_askedCount = 0;
};
