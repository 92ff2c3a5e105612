#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvalis::platform {

// What libblkid finds in the superblock of a device: the file system (or other contents:
// "swap", "crypto_LUKS", "LVM2_member"), its version ("FAT32") and its label.
struct FileSystemProbe {
    std::string type;
    std::string version;
    std::string label;
};

// Probes the bytes of an open device (or image file) for one file system. Nothing when none
// is found or the signatures contradict each other.
std::optional<FileSystemProbe> ProbeFileSystem(int fd);

// One entry of a partition table.
struct PartitionTableEntry {
    int number = 0;           // the kernel's partition number (1, 2, ..., logical ones from 5)
    uint64_t start512 = 0;    // in 512-byte units, as the kernel counts
    uint64_t size512 = 0;
    int mbrType = 0;          // the MBR type byte; 0 on other tables
    std::string typeGuid;     // the GPT type GUID in upper case; empty on other tables
    bool extended = false;    // an MBR extended-partition container
};

struct PartitionTableProbe {
    std::string type;  // "dos", "gpt", ...; empty when the device holds no table
    std::vector<PartitionTableEntry> entries;
    const PartitionTableEntry* Find(int number) const;
};

// Reads the partition table of an open disk device.
PartitionTableProbe ProbePartitionTable(int fd);

// The name Orvalis shows for a file system, as the users of other systems know them:
// "FAT32" for FAT32, "FAT" for FAT12 and FAT16, "NTFS", "exFAT"; any other type as libblkid
// names it ("ext4", "btrfs", "xfs", "swap").
std::string FileSystemName(const FileSystemProbe& probe);

}  // namespace orvalis::platform
