#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/disks/DiskRoots.h"
#include "platform/disks/MountTable.h"

namespace orvalis::platform {

// A partition as the kernel lists it under /sys/block/<disk>/<partition>.
struct PartitionInfo {
    std::string name;        // "sda1", "nvme0n1p2", "loop0p1"
    std::string devicePath;  // the device below the dev root: "/dev/sda1"
    int number = 0;          // the "partition" attribute
    uint64_t start512 = 0;   // "start" and "size" count 512-byte units whatever the sector size
    uint64_t size512 = 0;
    unsigned major = 0;
    unsigned minor = 0;
};

// A physical disk: a whole block device that can hold partitions, with the number Orvalis
// gives it (see DiskSystem).
struct PhysicalDisk {
    int32_t number = -1;
    std::string name;        // "sda"
    std::string sysfsPath;   // "/sys/block/sda"
    std::string devicePath;  // "/dev/sda"
    unsigned major = 0;
    unsigned minor = 0;
    bool removable = false;  // the kernel's "removable" attribute: media that can be taken out
    uint64_t size512 = 0;
    std::vector<PartitionInfo> partitions;  // by ascending partition number
};

// The machine's physical disks as the kernel shows them in sysfs.
//
// Which block devices are disks: every entry of /sys/block with a non-zero size, except RAM
// disks (ram*, zram*), device-mapper and software-RAID devices (dm-*, md*: they are made of
// disks that are listed themselves), optical and floppy drives (sr*, fd*), the boot and RPMB
// areas of eMMC chips, devices the kernel hides, and read-only loop devices (the squashfs
// images of packaged applications). Loop devices attached to writable image files count.
//
// Disk numbers: a disk keeps its number for as long as it stays attached (for the life of
// the DiskSystem object, which is the process for Default()). A disk seen for the first time
// takes the lowest number that no attached disk holds; disks that appear together are taken
// in the order: fixed and removable disks by kernel name (sda before sdb before sdaa,
// nvme0n1 before nvme1n1), then loop devices by number. When a disk goes away its number is
// free again. A disk counts as the same while its kernel name and "diskseq" stay the same, so
// a stick pulled and another plugged in under the same name between two looks is a new disk.
// In a fresh process the numbers are therefore 0, 1, 2, ... in that order.
class DiskSystem {
public:
    explicit DiskSystem(DiskRoots roots = {});
    DiskSystem(const DiskSystem&) = delete;
    DiskSystem& operator=(const DiskSystem&) = delete;

    // The process-wide instance, with DiskRoots::FromEnvironment().
    static DiskSystem& Default();

    const DiskRoots& roots() const { return roots_; }

    // The disks attached now, by ascending number. Nothing when the sysfs block folder
    // cannot be read.
    std::optional<std::vector<PhysicalDisk>> ListDisks();
    // One disk by number, looked up afresh.
    std::optional<PhysicalDisk> FindDisk(int32_t number);

    MountTable ReadMounts() const { return MountTable::Read(roots_.mountInfo); }

    // The names of the disks a block device lives on: the disk itself, the disk of a
    // partition, or (through sysfs "slaves") the disks below a device-mapper or RAID device.
    std::vector<std::string> DisksBelowDevice(unsigned major, unsigned minor) const;

private:
    DiskRoots roots_;
    std::mutex mutex_;
    std::map<std::string, int32_t> numbers_;  // identity -> number
};

// Reads a small sysfs attribute, trimmed; nothing when it is missing.
std::optional<std::string> ReadAttribute(const std::string& path);
std::optional<uint64_t> ReadNumberAttribute(const std::string& path);
// "8:1" -> 8, 1.
bool ParseDeviceNumbers(const std::string& text, unsigned& major, unsigned& minor);

}  // namespace orvalis::platform
