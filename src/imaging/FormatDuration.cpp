#include "imaging/FormatDuration.h"

namespace orvalis::imaging {

std::string FormatDuration(int64_t seconds) {
    if (seconds >= 3600) {
        return std::to_string(seconds / 3600) + " Hour " + std::to_string(seconds % 3600 / 60) +
               " Min";
    }
    if (seconds >= 60) {
        return std::to_string(seconds / 60) + " Min " + std::to_string(seconds % 60) + " Sec";
    }
    return std::to_string(seconds) + " Sec";
}

}  // namespace orvalis::imaging
