#include "InterfaceInternetProbe.h"

#include <QNetworkInterface>

#include <algorithm>

namespace {

bool isConnected(const QNetworkInterface& interface)
{
    const QNetworkInterface::InterfaceFlags flags = interface.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
        flags.testFlag(QNetworkInterface::IsLoopBack))
        return false;
    return std::ranges::any_of(interface.addressEntries(), [](const QNetworkAddressEntry& entry) {
        return InterfaceInternetProbe::isRoutable(entry.ip());
    });
}

} // namespace

bool InterfaceInternetProbe::isOnline()
{
    return std::ranges::any_of(QNetworkInterface::allInterfaces(), isConnected);
}

bool InterfaceInternetProbe::isRoutable(const QHostAddress& address)
{
    // isGlobal() also counts unique local IPv6 addresses, which reach no further than their site.
    return address.isGlobal() && !address.isUniqueLocalUnicast();
}
