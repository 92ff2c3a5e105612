#include "platform/recorders/MediaTypes.h"

#include <algorithm>

namespace orvalis::recorders {

PhysicalMediaType MediaTypeForProfile(int profile) {
    switch (profile) {
        case 0x01:  // non-removable disk
        case 0x02:  // removable disk
        case 0x03:  // magneto-optical erasable
        case 0x04:  // optical write once
        case 0x05:  // AS-MO
            return kMediaDisk;
        case 0x08: return kMediaCdrom;
        case 0x09: return kMediaCdr;
        case 0x0A: return kMediaCdrw;
        case 0x10: return kMediaDvdRom;
        case 0x11: return kMediaDvdDashR;   // DVD-R sequential recording
        case 0x12: return kMediaDvdRam;
        case 0x13:                          // DVD-RW restricted overwrite
        case 0x14: return kMediaDvdDashRw;  // DVD-RW sequential recording
        case 0x15:                          // DVD-R DL sequential recording
        case 0x16: return kMediaDvdDashRDualLayer;  // DVD-R DL layer jump
        case 0x1A: return kMediaDvdPlusRw;
        case 0x1B: return kMediaDvdPlusR;
        case 0x2A: return kMediaDvdPlusRwDualLayer;
        case 0x2B: return kMediaDvdPlusRDualLayer;
        case 0x40: return kMediaBdRom;
        case 0x41:                     // BD-R sequential recording
        case 0x42: return kMediaBdR;   // BD-R random recording
        case 0x43: return kMediaBdRe;
        case 0x50: return kMediaHdDvdRom;
        case 0x51: return kMediaHdDvdR;
        case 0x52: return kMediaHdDvdRam;
        default: return kMediaUnknown;
    }
}

bool IsWritableMediaType(PhysicalMediaType type) {
    switch (type) {
        case kMediaUnknown:
        case kMediaCdrom:
        case kMediaDvdRom:
        case kMediaHdDvdRom:
        case kMediaBdRom:
            return false;
        default:
            return type > kMediaUnknown && type <= kMediaLast;
    }
}

std::vector<PhysicalMediaType> WritableMediaTypes(const std::vector<int>& profiles) {
    std::vector<PhysicalMediaType> types;
    for (int profile : profiles) {
        PhysicalMediaType type = MediaTypeForProfile(profile);
        if (IsWritableMediaType(type) && std::find(types.begin(), types.end(), type) == types.end())
            types.push_back(type);
    }
    return types;
}

}  // namespace orvalis::recorders
