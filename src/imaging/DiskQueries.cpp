#include "imaging/DiskQueries.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cerrno>

#include "platform/disks/BlockProbe.h"
#include "platform/disks/DiskDevice.h"
#include "platform/disks/DiskSystem.h"
#include "platform/disks/MountTable.h"

namespace orvalis::imaging {

using platform::DiskSystem;
using platform::MountEntry;

namespace {

DiskSystem& Disks(DiskSystem* system) { return system ? *system : DiskSystem::Default(); }

// The block devices (as resolved paths and device numbers) that a path's bytes would go to.
struct Target {
    std::vector<std::string> devicePaths;
    std::vector<dev_t> devices;
    std::string mountPoint;
};

Target TargetOf(const std::string& path, DiskSystem& disks) {
    Target target;
    const std::string existing = platform::NearestExistingPath(path);
    if (existing.empty()) return target;
    struct stat info {};
    if (::stat(existing.c_str(), &info) != 0) return target;
    if (S_ISBLK(info.st_mode) && existing == path) {
        target.devices.push_back(info.st_rdev);
        target.devicePaths.push_back(platform::ResolvedPath(existing));
        return target;
    }
    target.devices.push_back(info.st_dev);
    const platform::MountTable mounts = disks.ReadMounts();
    if (const MountEntry* mount = mounts.FindPath(existing)) {
        target.mountPoint = mount->mountPoint;
        target.devices.push_back(::makedev(mount->major, mount->minor));
        if (!mount->source.empty() && mount->source[0] == '/') {
            const std::string source = platform::ResolvedPath(
                platform::SourceBelowDevRoot(mount->source, disks.roots().dev));
            target.devicePaths.push_back(source);
            struct stat sourceInfo {};
            if (::stat(source.c_str(), &sourceInfo) == 0 && S_ISBLK(sourceInfo.st_mode)) {
                target.devices.push_back(sourceInfo.st_rdev);
            }
        }
    }
    return target;
}

bool Contains(const std::vector<dev_t>& devices, dev_t device) {
    return std::find(devices.begin(), devices.end(), device) != devices.end();
}

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

}  // namespace

bool IsRemovableDisk(int32_t diskNumber, DiskSystem* system) {
    std::optional<platform::PhysicalDisk> disk = Disks(system).FindDisk(diskNumber);
    return disk && disk->removable;
}

int DiskLength(int32_t diskNumber, uint64_t& length, DiskSystem* system) {
    std::optional<platform::PhysicalDisk> disk = Disks(system).FindDisk(diskNumber);
    if (!disk) return ENOENT;
    Result<platform::DiskDevice> device = platform::DiskDevice::Open(*disk);
    if (!device) return device.code();
    Result<uint64_t> bytes = device->LengthBytes();
    if (!bytes) return bytes.code();
    length = *bytes;
    return 0;
}

int DiskSectorSize(int32_t diskNumber, uint32_t& bytesPerSector, DiskSystem* system) {
    std::optional<platform::PhysicalDisk> disk = Disks(system).FindDisk(diskNumber);
    if (!disk) return ENOENT;
    Result<platform::DiskDevice> device = platform::DiskDevice::Open(*disk);
    if (!device) return device.code();
    Result<uint32_t> size = device->BytesPerSector();
    if (!size) return size.code();
    bytesPerSector = *size;
    return 0;
}

int DriveFreeBytes(const std::string& path, uint64_t& freeBytes, DiskSystem*) {
    const std::string existing = platform::NearestExistingPath(path);
    if (existing.empty()) return ENOENT;
    struct statvfs info {};
    if (::statvfs(existing.c_str(), &info) != 0) return errno;
    freeBytes = static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
    return 0;
}

int DriveFileSystem(const std::string& path, std::string& fileSystem, DiskSystem* system) {
    DiskSystem& disks = Disks(system);
    const std::string existing = platform::NearestExistingPath(path);
    if (existing.empty()) return ENOENT;
    const platform::MountTable mounts = disks.ReadMounts();
    const MountEntry* mount = mounts.FindPath(existing);
    if (!mount) return ENOENT;
    const std::string& type = mount->fsType;
    auto probeSource = [&]() -> std::optional<platform::FileSystemProbe> {
        if (mount->source.empty() || mount->source[0] != '/') return std::nullopt;
        Result<platform::DiskDevice> device = platform::DiskDevice::Open(
            platform::SourceBelowDevRoot(mount->source, disks.roots().dev));
        if (!device) return std::nullopt;
        return platform::ProbeFileSystem(device->fd());
    };
    if (type == "vfat" || type == "msdos" || type == "fuseblk") {
        std::optional<platform::FileSystemProbe> probe = probeSource();
        if (probe) {
            fileSystem = platform::FileSystemName(*probe);
        } else {
            fileSystem = type == "fuseblk" ? type : "FAT32";
        }
    } else if (type == "ntfs" || type == "ntfs3") {
        fileSystem = "NTFS";
    } else if (type == "exfat") {
        fileSystem = "exFAT";
    } else {
        fileSystem = type;
    }
    return 0;
}

bool PathOnVolume(const std::string& path, const VolumeRecord& record, DiskSystem* system) {
    if (record.VolumePath.empty()) return false;  // unallocated: no file system to land on
    DiskSystem& disks = Disks(system);
    const Target target = TargetOf(path, disks);
    if (!record.MountPoint.empty() && target.mountPoint == record.MountPoint) return true;
    if (Contains(target.devicePaths, platform::ResolvedPath(record.VolumePath))) return true;
    struct stat info {};
    return ::stat(record.VolumePath.c_str(), &info) == 0 && S_ISBLK(info.st_mode) &&
           Contains(target.devices, info.st_rdev);
}

bool PathOnDisk(const std::string& path, int32_t diskNumber, DiskSystem* system) {
    DiskSystem& disks = Disks(system);
    std::optional<platform::PhysicalDisk> disk = disks.FindDisk(diskNumber);
    if (!disk) return false;
    const Target target = TargetOf(path, disks);
    std::vector<std::string> ownPaths{platform::ResolvedPath(disk->devicePath)};
    for (const platform::PartitionInfo& partition : disk->partitions) {
        ownPaths.push_back(platform::ResolvedPath(partition.devicePath));
    }
    for (const std::string& device : target.devicePaths) {
        if (Contains(ownPaths, device)) return true;
    }
    for (dev_t device : target.devices) {
        if (::major(device) == 0) continue;  // anonymous: tmpfs, btrfs subvolumes, ...
        std::vector<std::string> below = disks.DisksBelowDevice(::major(device), ::minor(device));
        if (std::find(below.begin(), below.end(), disk->name) != below.end()) return true;
    }
    return false;
}

}  // namespace orvalis::imaging
