#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fsimage/BuildNode.h"

namespace orvalis::fsimage {

// The ISO 9660 side of an image, for the primary volume and for its Joliet twin: directory
// records, path tables and volume descriptors.
class IsoWriter {
public:
    // A file's data lies in one extent unless it is 4 GiB or more; then in extents of this
    // size (a whole number of blocks), each with its own record.
    static constexpr uint64_t kMaxExtent = 0xFFFFF800;

    struct VolumeInfo {
        std::string volumeId;  // bytes as recorded (d-characters, or UCS-2 for Joliet)
        uint32_t totalBlocks = 0;
        uint32_t pathTableSize = 0;
        uint32_t lPathTable = 0;
        uint32_t mPathTable = 0;
        int64_t creationTime = 0;
    };

    // The records of one folder, padded to whole blocks.
    static std::vector<uint8_t> Directory(const std::vector<BuildNode>& nodes, int32_t dir, int volume);
    // The path table of the folders in the given order (numbered from 1 in that order).
    static std::vector<uint8_t> PathTable(const std::vector<BuildNode>& nodes,
                                          const std::vector<int32_t>& order, int volume, bool bigEndian);
    static std::vector<uint8_t> VolumeDescriptor(const std::vector<BuildNode>& nodes, int volume,
                                                 const VolumeInfo& info);
    static std::vector<uint8_t> Terminator();
    // Orders identifiers as ISO 9660 sorts them: name, then extension, each padded with spaces.
    static bool IdentifierLess(const std::string& a, const std::string& b);
    // Identifier bytes of a Joliet name: UCS-2 big-endian.
    static std::string Ucs2(const std::u16string& text);
};

}  // namespace orvalis::fsimage
