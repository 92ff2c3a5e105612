#pragma once

#include <cstdint>
#include <string>

namespace orvalis::reports {

// A byte count as the pages show it: "1.50 KB", "3.27 GB", "500 Bytes" (binary units, two
// decimals, the unit never moves up on rounding: 1048575 is "1024.00 KB").
std::string FormatSize(int64_t bytes);

}  // namespace orvalis::reports
