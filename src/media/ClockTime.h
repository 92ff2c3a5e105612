#pragma once

#include <cstdint>
#include <string_view>

namespace orvalis::media {

// "hh:mm:ss" as the tools print it, in whole seconds: the number before the first ":" is
// hours, the one after it minutes, the one after the next ":" seconds; fractions are
// dropped and an absent part counts 0 ("00:01:23.45" is 83, "1:2" is 3720, "N/A" is 0).
int64_t ParseClockTime(std::string_view text);

}  // namespace orvalis::media
