#pragma once

#include <cstdint>
#include <string>

namespace orvalis::disc {

// One recorder of the device combo, in discovery order.
struct RecorderInfo {
    int32_t index = 0;        // position in the recorder collection
    std::string displayText;  // "volume paths [product id]"
    std::string uniqueId;
};

}  // namespace orvalis::disc
