#include "FixedInternetProbe.h"

bool FixedInternetProbe::isOnline()
{
    ++m_askedCount;
    if (m_failing)
        throw InternetProbeError("the Internet test failed");
    return m_online;
}
