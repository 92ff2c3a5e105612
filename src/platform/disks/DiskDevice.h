#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Result.h"
#include "platform/UniqueFd.h"
#include "platform/disks/DiskSystem.h"

namespace orvalis::platform {

// The cylinder geometry a block driver reports (HDIO_GETGEO). Many drivers (loop devices
// among them) report none.
struct DiskGeometry {
    uint32_t heads = 0;
    uint32_t sectorsPerTrack = 0;
    uint32_t cylinders = 0;  // 16 bits wide in the kernel's answer: too small for big disks
};

// A block device opened for reading: a whole disk or a partition. Writing is never needed
// and never asked for. The sizes come from the device's ioctls; a device that does not
// answer them (a plain file standing in for a disk in a test tree) is measured through its
// sysfs folder, and a plain file by its length.
class DiskDevice {
public:
    // Opens the device. Returns the OS error of the open.
    static Result<DiskDevice> Open(const std::string& devicePath, std::string sysfsPath = {});
    static Result<DiskDevice> Open(const PhysicalDisk& disk) {
        return Open(disk.devicePath, disk.sysfsPath);
    }

    int fd() const { return fd_.get(); }

    // The logical sector size (BLKSSZGET), else sysfs queue/logical_block_size. The OS error
    // when neither answers.
    Result<uint32_t> BytesPerSector() const;
    // The length in bytes (BLKGETSIZE64), else sysfs size x 512, else the file's length.
    Result<uint64_t> LengthBytes() const;
    // HDIO_GETGEO when the driver answers it with a usable geometry.
    std::optional<DiskGeometry> Geometry() const;

private:
    DiskDevice(UniqueFd fd, std::string sysfsPath)
        : fd_(std::move(fd)), sysfsPath_(std::move(sysfsPath)) {}
    UniqueFd fd_;
    std::string sysfsPath_;
};

}  // namespace orvalis::platform
