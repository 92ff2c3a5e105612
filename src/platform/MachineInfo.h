#pragma once

#include <string>

namespace orvalis::platform {

// The machine's name on the network; empty when unknown.
std::string ComputerName();
// The name of the user running the program; empty when unknown.
std::string UserName();

}  // namespace orvalis::platform
