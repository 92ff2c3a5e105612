#pragma once

#include <string>

namespace orvalis::platform {

// Opens a file, folder or address with the user's preferred application, detached from us.
// The command is xdg-open, or the one named by ORVALIS_SHELL_OPEN. True when it started.
bool ShellOpen(const std::string& target);

}  // namespace orvalis::platform
