#pragma once

#include <cstdint>
#include <string>

namespace orvalis::platform {
struct PartitionTableEntry;
}

namespace orvalis::imaging {

// Kinds that the file system decides, whatever the partition type says.
inline constexpr uint8_t kKindNtfs = 7;
inline constexpr uint8_t kKindFat32 = 11;
inline constexpr uint8_t kKindFat = 6;

// The Kind of a volume: the MBR type of its table entry (a GPT type as its MBR counterpart),
// else the MBR type that stands for its file system; then 7 for NTFS, 11 for FAT32 and 6 for
// FAT (compared without regard to case). 0 means the volume is not listed. entry is null for
// a file system without a partition table around it, or when the table could not be read.
uint8_t VolumeKind(const platform::PartitionTableEntry* entry, const std::string& fileSystem);

}  // namespace orvalis::imaging
