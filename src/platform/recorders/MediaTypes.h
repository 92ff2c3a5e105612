#pragma once

#include <cstdint>
#include <vector>

namespace orvalis::recorders {

// Physical media types, numbered as the disc page and the image builder number them.
using PhysicalMediaType = int32_t;
inline constexpr PhysicalMediaType kMediaUnknown = 0;
inline constexpr PhysicalMediaType kMediaCdrom = 1;
inline constexpr PhysicalMediaType kMediaCdr = 2;
inline constexpr PhysicalMediaType kMediaCdrw = 3;
inline constexpr PhysicalMediaType kMediaDvdRom = 4;
inline constexpr PhysicalMediaType kMediaDvdRam = 5;
inline constexpr PhysicalMediaType kMediaDvdPlusR = 6;
inline constexpr PhysicalMediaType kMediaDvdPlusRw = 7;
inline constexpr PhysicalMediaType kMediaDvdPlusRDualLayer = 8;
inline constexpr PhysicalMediaType kMediaDvdDashR = 9;
inline constexpr PhysicalMediaType kMediaDvdDashRw = 10;
inline constexpr PhysicalMediaType kMediaDvdDashRDualLayer = 11;
inline constexpr PhysicalMediaType kMediaDisk = 12;
inline constexpr PhysicalMediaType kMediaDvdPlusRwDualLayer = 13;
inline constexpr PhysicalMediaType kMediaHdDvdRom = 14;
inline constexpr PhysicalMediaType kMediaHdDvdR = 15;
inline constexpr PhysicalMediaType kMediaHdDvdRam = 16;
inline constexpr PhysicalMediaType kMediaBdRom = 17;
inline constexpr PhysicalMediaType kMediaBdR = 18;
inline constexpr PhysicalMediaType kMediaBdRe = 19;
inline constexpr PhysicalMediaType kMediaLast = kMediaBdRe;

// The media type of an MMC profile number (GET CONFIGURATION), kMediaUnknown for the
// profiles that have none (no medium, HD DVD-RW, stdio files and the like).
PhysicalMediaType MediaTypeForProfile(int profile);

// Whether a drive can put data on media of this type: pressed media (CD-ROM, DVD-ROM,
// BD-ROM, HD DVD-ROM) and unknown types cannot be written.
bool IsWritableMediaType(PhysicalMediaType type);

// The writable media types of a drive's profile list, each once, in profile order.
std::vector<PhysicalMediaType> WritableMediaTypes(const std::vector<int>& profiles);

}  // namespace orvalis::recorders
