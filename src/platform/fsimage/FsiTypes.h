#pragma once

#include <cstdint>

namespace orvalis::fsimage {

// Bits of the file-systems-to-create value.
using FsiFileSystems = uint32_t;
inline constexpr FsiFileSystems kFsiFileSystemNone = 0;
inline constexpr FsiFileSystems kFsiFileSystemISO9660 = 1;
inline constexpr FsiFileSystems kFsiFileSystemJoliet = 2;
inline constexpr FsiFileSystems kFsiFileSystemUDF = 4;
inline constexpr FsiFileSystems kFsiFileSystemsAll =
    kFsiFileSystemISO9660 | kFsiFileSystemJoliet | kFsiFileSystemUDF;

// Physical media types, numbered as the recorder layer numbers them.
enum class MediaType : int32_t {
    Unknown = 0,
    Cdrom = 1,
    Cdr = 2,
    Cdrw = 3,
    DvdRom = 4,
    DvdRam = 5,
    DvdPlusR = 6,
    DvdPlusRw = 7,
    DvdPlusRDualLayer = 8,
    DvdDashR = 9,
    DvdDashRw = 10,
    DvdDashRDualLayer = 11,
    Disk = 12,
    DvdPlusRwDualLayer = 13,
    HdDvdRom = 14,
    HdDvdR = 15,
    HdDvdRam = 16,
    BdRom = 17,
    BdR = 18,
    BdRe = 19,
};

// Whether AddTree puts the folder itself into the image or only what it holds.
enum class BaseFolder { Excluded, Included };

inline constexpr uint32_t kBlockSize = 2048;

}  // namespace orvalis::fsimage
