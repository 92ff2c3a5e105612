#pragma once

#include <cstdint>
#include <string>

namespace orvalis::imaging {

// Letter of an entry that has not been numbered yet.
inline constexpr char16_t kUnnumbered = u'*';

// One entry of the disk list: a volume, an unallocated stretch of a disk, or a whole disk
// without listed volumes. A plain value, copied whole.
//
// Linux has no drive letters, so no entry ever has one: Letter is kUnnumbered while the list
// is built and the entry's running number (1, 2, ...) once Enumerate has finished. It is a
// number and is shown as one; entry 65 is not drive "A".
struct VolumeRecord {
    char16_t Letter = kUnnumbered;
    // The MBR partition type (GPT types mapped to their MBR counterparts), or 7 / 11 / 6 for
    // NTFS / FAT32 / FAT volumes; 0 for unallocated stretches and whole disks.
    uint8_t Kind = 0;
    int32_t DiskNumber = -1;
    // The kernel's partition number; 0 for unallocated stretches, whole disks and a file
    // system that fills a disk without a partition table.
    int32_t PartitionNumber = -1;
    uint64_t TotalBytes = 0;
    uint64_t UsedBytes = 0;
    uint64_t FreeBytes = 0;
    // In sectors of the disk once the list is finished.
    uint64_t StartSector = 0;
    uint64_t SectorCount = 0;
    std::string FileSystem;  // "ext4", "NTFS", "FAT32", ...; empty when none was found
    // The volume's own device ("/dev/sda1"); empty for unallocated stretches and whole disks.
    std::string VolumePath;
    std::string Label;
    // The physical disk the entry lies on ("/dev/sda"): the device the sector copy reads.
    std::string DevicePath;
    // Where the volume is mounted in this process's view ("/home"); empty when it is not.
    std::string MountPoint;
};

}  // namespace orvalis::imaging
