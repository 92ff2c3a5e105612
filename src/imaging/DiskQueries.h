#pragma once

#include <cstdint>
#include <string>

#include "imaging/VolumeRecord.h"

namespace orvalis::platform {
class DiskSystem;
}

namespace orvalis::imaging {

// Small questions about disks and about where an image file would go. Each reads the disks
// through system, the process-wide DiskSystem when none is given. The ones that return an
// int return 0 or the OS error (errno) of the failing call.

// True when the disk holds media that can be taken out (the kernel's "removable"). A disk
// that is not attached is not removable.
bool IsRemovableDisk(int32_t diskNumber, platform::DiskSystem* system = nullptr);

// The disk's length in bytes.
int DiskLength(int32_t diskNumber, uint64_t& length, platform::DiskSystem* system = nullptr);

// The disk's logical sector size in bytes.
int DiskSectorSize(int32_t diskNumber, uint32_t& bytesPerSector,
                   platform::DiskSystem* system = nullptr);

// The bytes that may still be written to the file system that holds path (an image file
// that may not exist yet: its nearest existing folder counts), as a user other than root
// may write them.
int DriveFreeBytes(const std::string& path, uint64_t& freeBytes,
                   platform::DiskSystem* system = nullptr);

// The name of the file system that holds path, as the disk list names file systems:
// "FAT32", "FAT" (FAT12 and FAT16), "NTFS", "exFAT", else the kernel's name ("ext4",
// "btrfs", "tmpfs"). A FAT file system whose width cannot be read is "FAT32", whose limit on
// the size of one file holds for every FAT on Linux.
int DriveFileSystem(const std::string& path, std::string& fileSystem,
                    platform::DiskSystem* system = nullptr);

// True when an image written to path would land on the volume of record: path lies on the
// file system mounted from that volume, or path is that volume's device.
bool PathOnVolume(const std::string& path, const VolumeRecord& record,
                  platform::DiskSystem* system = nullptr);

// True when an image written to path would land on the disk: on a file system of any of its
// partitions (also through device-mapper or RAID devices built on them), or on the disk's or
// a partition's device itself.
bool PathOnDisk(const std::string& path, int32_t diskNumber,
                platform::DiskSystem* system = nullptr);

}  // namespace orvalis::imaging
