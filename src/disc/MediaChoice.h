#pragma once

#include <cstdint>
#include <string>

namespace orvalis::disc {

// One entry of the media-type combo: what the page allows for a medium.
struct MediaChoice {
    uint64_t capacity = 0;  // bytes
    std::string label;
};

inline constexpr uint64_t kDvdCapacity = 4692251770ULL;           // 4.37 GiB
inline constexpr uint64_t kDualLayerDvdCapacity = 8536247500ULL;  // 7.95 GiB
inline const MediaChoice kDvdChoice{kDvdCapacity, "4.7GB DVD Media"};
inline const MediaChoice kDualLayerDvdChoice{kDualLayerDvdCapacity, "8.5GB Dual-Layer DVD"};

}  // namespace orvalis::disc
