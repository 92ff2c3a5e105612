#pragma once

#include <cstdint>
#include <vector>

#include "platform/fsimage/ImageLayout.h"

namespace orvalis::fsimage {

// The UDF 1.02 side of an image: volume recognition, the volume descriptor sequences, the
// integrity descriptor, anchors, the file set, file identifiers and file entries.
class UdfWriter {
public:
    static constexpr uint32_t kMainSequence = 32;
    static constexpr uint32_t kReserveSequence = 48;
    static constexpr uint32_t kSequenceBlocks = 16;
    static constexpr uint32_t kIntegrityBlock = 64;
    static constexpr uint32_t kAnchorBlock = 256;
    // The longest extent of one allocation descriptor: 2^30 bytes less a block.
    static constexpr uint64_t kMaxExtent = 0x3FFFF800;
    // Allocation descriptors that fit in a file entry block.
    static constexpr uint64_t kMaxExtentsPerEntry = (2048 - 176) / 8;

    struct VolumeInfo {
        std::vector<uint8_t> volumeId;  // compressed Unicode
        int64_t recordingTime = 0;
        uint32_t partitionStart = 0;
        uint32_t partitionLength = 0;
        uint32_t rootEntryBlock = 0;  // in the partition
        uint32_t files = 0;
        uint32_t directories = 0;
        uint64_t nextUniqueId = 0;
    };

    // BEA01, NSR02, TEA01: three blocks.
    static std::vector<uint8_t> VolumeRecognition();
    // One volume descriptor sequence starting at the given block.
    static std::vector<uint8_t> DescriptorSequence(const VolumeInfo& info, uint32_t firstBlock);
    // The integrity descriptor and its terminator, at kIntegrityBlock.
    static std::vector<uint8_t> Integrity(const VolumeInfo& info);
    static std::vector<uint8_t> Anchor(uint32_t block);
    // The file set descriptor and its terminator, at the first blocks of the partition.
    static std::vector<uint8_t> FileSet(const VolumeInfo& info);

    // Appends a file identifier to a folder's data, which starts at dirBlock in the partition.
    static void AppendIdentifier(std::vector<uint8_t>& out, uint32_t dirBlock, bool directory,
                                 bool parent, const std::vector<uint8_t>& id, uint32_t entryBlock);
    static size_t IdentifierSize(size_t idBytes) { return (38 + idBytes + 3) & ~size_t{3}; }

    static void RenderFileEntry(const UdfEntry& entry, uint32_t tagLocation, int64_t recordingTime,
                                uint8_t* block);

    static uint16_t Crc(const uint8_t* data, size_t size);
};

}  // namespace orvalis::fsimage
