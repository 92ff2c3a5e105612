#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/disks/DiskRoots.h"

namespace orvalis::testing {

// A partition of a fake disk. Starts and sizes count 512-byte units, as sysfs does.
struct FakePartition {
    int number = 0;
    uint64_t start = 0;
    uint64_t size = 0;
    // The type in the disk's partition table as sfdisk takes it ("83", "c", a GUID).
    std::string type;
    // A command run on the partition's device file to put a file system on it, the file's
    // path appended ("mkfs.ext4 -q -F -L DATA"); empty: no file system.
    std::string mkfs;
    // False: the partition has no device file, so it cannot be opened.
    bool openable = true;
};

struct FakeDisk {
    std::string name;   // "sda"
    uint64_t size = 0;  // 512-byte units
    uint32_t sectorSize = 512;
    bool removable = false;
    bool readOnly = false;
    std::string table;  // "dos", "gpt" or "" (no partition table)
    std::vector<FakePartition> partitions;
    std::string wholeMkfs;  // a file system on the whole disk, as FakePartition::mkfs
};

// A fake /sys, /dev and mountinfo in a temporary folder. Disk and partition devices are
// sparse plain files; a disk's file holds its partition table, each partition's its own
// file system (they are separate files, not views of the disk's).
class FakeDiskTree {
public:
    FakeDiskTree();
    platform::DiskRoots Roots() const;

    void Add(const FakeDisk& disk);
    // The disk goes away: its sysfs folder and its device files.
    void Remove(const std::string& name);
    // Appends a mountinfo line for a partition ("sda1") or disk mounted on a new folder of
    // the tree; returns the folder.
    std::string Mount(const std::string& deviceName, const std::string& fsType);

    std::string DevicePath(const std::string& name) const { return dir_ / ("dev/" + name); }
    std::string Folder(const std::string& name) const;

private:
    TempDir dir_;
    unsigned nextMinor_ = 0;
};

// The kernel's name of a disk's partition: sda + 1 = sda1, nvme0n1 + 1 = nvme0n1p1.
std::string PartitionName(const std::string& disk, int number);

// Runs a command line and fails the test when it exits non-zero.
void MustRun(const std::string& commandLine);

}  // namespace orvalis::testing
