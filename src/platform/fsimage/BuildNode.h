#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/fsimage/InputStream.h"

namespace orvalis::fsimage {

// The two volumes of the ISO 9660 family that an image may carry.
enum IsoVolume : int { kIsoPrimary = 0, kIsoJoliet = 1 };

// One file or folder of an image being laid out, with the names and places that each file
// system gives it.
struct BuildNode {
    std::string name;  // as the user gave it
    bool directory = false;
    int32_t parent = 0;
    std::vector<int32_t> children;  // in the order of the user's names
    std::shared_ptr<InputStream> stream;
    uint64_t size = 0;
    int64_t modificationTime = 0;

    // ISO 9660 and Joliet: the identifier bytes as recorded (with ";1" for files), the
    // children in the order the volume sorts them, and where the folder's records lie.
    std::string isoId[2];
    std::vector<int32_t> isoOrder[2];
    uint32_t isoDirBlock[2] = {0, 0};
    uint32_t isoDirSize[2] = {0, 0};
    uint16_t isoDirNumber[2] = {0, 0};

    // UDF: the identifier in compressed Unicode, the block of the file entry and of a
    // folder's identifiers (both counted from the partition start), their length.
    std::vector<uint8_t> udfId;
    uint32_t udfEntryBlock = 0;
    uint32_t udfDirBlock = 0;
    uint32_t udfDirSize = 0;

    uint32_t dataBlock = 0;  // absolute block of a file's data
};

}  // namespace orvalis::fsimage
