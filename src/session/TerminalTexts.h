#pragma once

#include <QLatin1StringView>

// The texts the telnet terminal writes into its pane and puts into its errors, kept in one place
// so that the window's tests can name them.
namespace TerminalTexts {

inline constexpr QLatin1StringView NoPort("Connect: No Port Specified");
inline constexpr QLatin1StringView NoHost("Connect: No IP Address Specified");
inline constexpr QLatin1StringView ResolveFailed("connect: ");
inline constexpr QLatin1StringView NotConnected("Socket is not connected (#10057 in Send)");

inline constexpr QLatin1StringView Connecting("Connecting to '");
inline constexpr QLatin1StringView Connected("Connected");
inline constexpr QLatin1StringView ConnectionFailed("Connection failed: ");
inline constexpr QLatin1StringView ServerClosed("*** Server has closed ***");
inline constexpr QLatin1StringView LineEnd("\r\n");

inline constexpr QLatin1StringView OptionsTitle("Options");
inline constexpr QLatin1StringView OptionsFile("TNEMULVT.INI");
inline constexpr QLatin1StringView AccessibleName("Cluster session");

} // namespace TerminalTexts
