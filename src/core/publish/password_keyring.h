// Passwords of destinations kept by the desktop's Secret Service (the keyring GNOME, KDE and other
// desktops run), one per address; nowhere else, and never in a file of the program's.
#pragma once

#include <optional>
#include <string>

namespace wexbo {

// Whether a Secret Service can be reached: only inside a desktop session (its D-Bus session bus
// is known), so that nothing is started on a machine without one.
bool KeyringAvailable();

// The password kept for the address; none when there is none, or no keyring.
std::optional<std::string> KeptPassword(const std::string& address);

// Keeps the password for the address; false when no keyring took it.
bool KeepPassword(const std::string& address, const std::string& password);

}  // namespace wexbo
