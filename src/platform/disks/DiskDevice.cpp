#include "platform/disks/DiskDevice.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/hdreg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <cerrno>

namespace orvalis::platform {

Result<DiskDevice> DiskDevice::Open(const std::string& devicePath, std::string sysfsPath) {
    int fd = ::open(devicePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Result<DiskDevice>::Failure(errno, "cannot open " + devicePath);
    }
    return DiskDevice(UniqueFd(fd), std::move(sysfsPath));
}

Result<uint32_t> DiskDevice::BytesPerSector() const {
    int size = 0;
    if (::ioctl(fd_.get(), BLKSSZGET, &size) == 0 && size > 0) {
        return static_cast<uint32_t>(size);
    }
    const int error = errno;
    if (!sysfsPath_.empty()) {
        std::optional<uint64_t> fromSysfs =
            ReadNumberAttribute(sysfsPath_ + "/queue/logical_block_size");
        if (fromSysfs && *fromSysfs > 0 && *fromSysfs <= (1u << 20)) {
            return static_cast<uint32_t>(*fromSysfs);
        }
    }
    return Result<uint32_t>::Failure(error ? error : ENOTTY, "no sector size");
}

Result<uint64_t> DiskDevice::LengthBytes() const {
    uint64_t length = 0;
    if (::ioctl(fd_.get(), BLKGETSIZE64, &length) == 0) return length;
    const int error = errno;
    if (!sysfsPath_.empty()) {
        if (std::optional<uint64_t> size512 = ReadNumberAttribute(sysfsPath_ + "/size")) {
            return *size512 * 512;
        }
    }
    struct stat info {};
    if (::fstat(fd_.get(), &info) == 0 && S_ISREG(info.st_mode)) {
        return static_cast<uint64_t>(info.st_size);
    }
    return Result<uint64_t>::Failure(error ? error : ENOTTY, "no length");
}

std::optional<DiskGeometry> DiskDevice::Geometry() const {
    hd_geometry geometry {};
    if (::ioctl(fd_.get(), HDIO_GETGEO, &geometry) != 0) return std::nullopt;
    if (geometry.heads == 0 || geometry.sectors == 0) return std::nullopt;
    return DiskGeometry{geometry.heads, geometry.sectors, geometry.cylinders};
}

}  // namespace orvalis::platform
