#pragma once

#include "InternetProbe.h"

class QHostAddress;

// Reads the local network interfaces: the computer is online when one of them is up, running, not
// the loopback, and holds an address that can reach beyond its own link. Never throws.
class InterfaceInternetProbe final : public InternetProbe
{
public:
    bool isOnline() override;

    // IPv4 other than loopback, link-local 169.254/16, multicast, broadcast and 0.0.0.0 (private
    // ranges count: most computers reach the Internet through one); IPv6 of global scope only, so
    // not loopback, link-local fe80::/10, unique local fc00::/7 or multicast.
    static bool isRoutable(const QHostAddress& address);
};
