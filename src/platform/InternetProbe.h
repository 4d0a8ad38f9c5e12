#pragma once

#include <stdexcept>

// Thrown by an Internet probe when the test itself failed, as opposed to answering "offline".
class InternetProbeError final : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Tells whether the computer has an Internet connection at all. Answers at once and contacts
// nobody, so a true answer says nothing about any particular host.
class InternetProbe
{
public:
    virtual ~InternetProbe() = default;
    // Throws InternetProbeError when the test itself fails.
    virtual bool isOnline() = 0;
};
