#pragma once

#include <cstdint>
#include <string>

namespace orvalis::imaging {

// A remaining time as the image window and the command line show it: "1 Hour 2 Min",
// "3 Min 5 Sec", "59 Sec". Seconds are dropped from times of an hour or more.
std::string FormatDuration(int64_t seconds);

}  // namespace orvalis::imaging
