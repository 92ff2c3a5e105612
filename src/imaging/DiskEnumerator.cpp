#include "imaging/DiskEnumerator.h"

#include <sys/statvfs.h>

#include <algorithm>

#include "imaging/VolumeKind.h"
#include "platform/disks/BlockProbe.h"
#include "platform/disks/DiskDevice.h"
#include "platform/disks/DiskSystem.h"
#include "platform/disks/PartitionTypes.h"

namespace orvalis::imaging {

using platform::DiskDevice;
using platform::MountTable;
using platform::PartitionInfo;
using platform::PhysicalDisk;

namespace {

constexpr size_t kFileSystemChars = 32;
constexpr size_t kLabelChars = 128;
// sysfs counts partition starts and sizes in these units whatever the sector size.
constexpr uint64_t kSysfsUnit = 512;

// The first maxChars code points of a UTF-8 text.
std::string Truncated(const std::string& text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == maxChars) return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

// Capacity and free space of a mounted volume; the volume's length and nothing free when it
// is not mounted or its file system cannot be asked.
void FillSpace(VolumeRecord& record) {
    struct statvfs info {};
    if (!record.MountPoint.empty() && ::statvfs(record.MountPoint.c_str(), &info) == 0) {
        record.TotalBytes = static_cast<uint64_t>(info.f_blocks) * info.f_frsize;
        record.FreeBytes = static_cast<uint64_t>(info.f_bfree) * info.f_frsize;
    } else {
        record.TotalBytes = record.SectorCount;  // still in bytes here
        record.FreeBytes = 0;
    }
    record.UsedBytes = record.TotalBytes > record.FreeBytes ? record.TotalBytes - record.FreeBytes : 0;
}

void FillFileSystem(VolumeRecord& record, int fd) {
    if (std::optional<platform::FileSystemProbe> probe = platform::ProbeFileSystem(fd)) {
        record.FileSystem = Truncated(platform::FileSystemName(*probe), kFileSystemChars);
        record.Label = Truncated(probe->label, kLabelChars);
    }
}

void FillMountPoint(VolumeRecord& record, const MountTable& mounts, unsigned major,
                    unsigned minor, const std::string& devRoot) {
    const platform::MountEntry* mount = mounts.FindDevice(major, minor, record.VolumePath, devRoot);
    if (mount) record.MountPoint = mount->mountPoint;
}

VolumeRecord NewVolume(const PhysicalDisk& disk) {
    VolumeRecord record;
    record.DiskNumber = disk.number;
    record.DevicePath = disk.devicePath;
    return record;
}

// The volumes of one disk, in partition order, with starts and lengths in bytes.
std::vector<VolumeRecord> ListDiskVolumes(const PhysicalDisk& disk, const MountTable& mounts,
                                          const std::string& devRoot) {
    std::vector<VolumeRecord> volumes;
    platform::PartitionTableProbe table;
    Result<DiskDevice> whole = DiskDevice::Open(disk);
    if (whole) table = platform::ProbePartitionTable(whole->fd());

    if (disk.partitions.empty()) {
        // A file system written straight onto the disk, as on many memory sticks. (A FAT or
        // exFAT boot sector also passes for an MBR table, so the table is not asked here.)
        if (!whole) return volumes;
        Result<uint64_t> length = whole->LengthBytes();
        if (!length) return volumes;
        VolumeRecord record = NewVolume(disk);
        record.VolumePath = disk.devicePath;
        record.PartitionNumber = 0;
        record.StartSector = 0;
        record.SectorCount = *length;
        FillFileSystem(record, whole->fd());
        record.Kind = VolumeKind(nullptr, record.FileSystem);
        if (record.Kind == 0) return volumes;
        FillMountPoint(record, mounts, disk.major, disk.minor, devRoot);
        FillSpace(record);
        volumes.push_back(std::move(record));
        return volumes;
    }

    for (const PartitionInfo& partition : disk.partitions) {
        const platform::PartitionTableEntry* entry = table.Find(partition.number);
        if (entry && (entry->extended || platform::IsExtendedMbrType(entry->mbrType))) continue;
        Result<DiskDevice> device = DiskDevice::Open(partition.devicePath);
        if (!device) continue;
        VolumeRecord record = NewVolume(disk);
        record.VolumePath = partition.devicePath;
        record.PartitionNumber = partition.number;
        record.StartSector = partition.start512 * kSysfsUnit;
        record.SectorCount = partition.size512 * kSysfsUnit;
        FillFileSystem(record, device->fd());
        record.Kind = VolumeKind(entry, record.FileSystem);
        if (record.Kind == 0) continue;
        FillMountPoint(record, mounts, partition.major, partition.minor, devRoot);
        FillSpace(record);
        volumes.push_back(std::move(record));
    }
    return volumes;
}

VolumeRecord FreeStretch(const PhysicalDisk* disk, int32_t number, uint64_t start,
                         uint64_t count, int32_t bytesPerSector) {
    VolumeRecord record;
    record.DiskNumber = number;
    record.PartitionNumber = 0;
    record.Kind = 0;
    record.StartSector = start;
    record.SectorCount = count;
    record.TotalBytes = record.FreeBytes = count * static_cast<uint64_t>(bytesPerSector);
    record.UsedBytes = 0;
    if (disk) record.DevicePath = disk->devicePath;
    return record;
}

void SortByStart(std::vector<VolumeRecord>& records) {
    std::stable_sort(records.begin(), records.end(),
                     [](const VolumeRecord& a, const VolumeRecord& b) {
                         return a.StartSector < b.StartSector;
                     });
}

}  // namespace

DiskEnumerator::DiskEnumerator(platform::DiskSystem* system)
    : system_(system ? *system : platform::DiskSystem::Default()) {}

bool DiskEnumerator::Enumerate() {
    cursor_ = {};
    disks_.clear();
    std::optional<std::vector<PhysicalDisk>> listed = system_.ListDisks();
    if (!listed) return false;
    const MountTable mounts = system_.ReadMounts();
    for (const PhysicalDisk& disk : *listed) {
        std::vector<VolumeRecord> volumes = ListDiskVolumes(disk, mounts, system_.roots().dev);
        if (!volumes.empty()) disks_[disk.number] = std::move(volumes);
    }
    for (auto& [number, records] : disks_) SortByStart(records);
    AddUnallocatedAndWholeDisks(*listed);
    for (auto& [number, records] : disks_) SortByStart(records);

    // Entries without a drive letter (here: all of them) are numbered by their place in the
    // whole list, counting from 1.
    uint32_t counter = 1;
    for (auto& [number, records] : disks_) {
        for (VolumeRecord& record : records) {
            if (record.Letter == kUnnumbered) record.Letter = static_cast<char16_t>(counter);
            ++counter;
        }
    }
    return true;
}

void DiskEnumerator::AddUnallocatedAndWholeDisks(const std::vector<PhysicalDisk>& listed) {
    auto findDisk = [&](int32_t number) -> const PhysicalDisk* {
        for (const PhysicalDisk& disk : listed) {
            if (disk.number == number) return &disk;
        }
        return nullptr;
    };

    // The cylinder size carries over from one disk to the next when a disk reports none.
    uint64_t cylinder = kDefaultCylinderSectors;
    for (auto& [number, records] : disks_) {
        int64_t nextFree = kDefaultSectorsPerTrack;
        uint64_t diskSectors = 0;
        const PhysicalDisk* disk = findDisk(number);
        if (disk) {
            if (Result<DiskDevice> device = DiskDevice::Open(*disk)) {
                if (Result<uint32_t> sectorSize = device->BytesPerSector()) {
                    bytesPerSector_ = static_cast<int32_t>(*sectorSize);
                    if (std::optional<platform::DiskGeometry> geometry = device->Geometry()) {
                        cylinder = uint64_t{geometry->heads} * geometry->sectorsPerTrack;
                        nextFree = geometry->sectorsPerTrack;
                    }
                    // The true length, not whole cylinders: the tail of a disk is part of it.
                    if (Result<uint64_t> length = device->LengthBytes()) {
                        diskSectors = *length / *sectorSize;
                    }
                }
            }
        }
        const uint64_t sectorSize = static_cast<uint64_t>(bytesPerSector_);
        std::vector<VolumeRecord> stretches;
        for (VolumeRecord& record : records) {
            record.StartSector /= sectorSize;
            record.SectorCount /= sectorSize;
            const int64_t start = static_cast<int64_t>(record.StartSector);
            if (start - nextFree > static_cast<int64_t>(cylinder)) {
                stretches.push_back(FreeStretch(disk, number, static_cast<uint64_t>(nextFree),
                                                static_cast<uint64_t>(start - nextFree),
                                                bytesPerSector_));
            }
            nextFree = static_cast<int64_t>(record.StartSector + record.SectorCount);
        }
        if (static_cast<int64_t>(diskSectors) - nextFree > static_cast<int64_t>(cylinder)) {
            stretches.push_back(FreeStretch(disk, number, static_cast<uint64_t>(nextFree),
                                            diskSectors - static_cast<uint64_t>(nextFree),
                                            bytesPerSector_));
        }
        records.insert(records.end(), stretches.begin(), stretches.end());
    }

    for (const PhysicalDisk& disk : listed) {
        if (disks_.count(disk.number)) continue;
        Result<DiskDevice> device = DiskDevice::Open(disk);
        if (!device) continue;
        Result<uint32_t> sectorSize = device->BytesPerSector();
        Result<uint64_t> length = device->LengthBytes();
        if (!sectorSize || !length) continue;
        bytesPerSector_ = static_cast<int32_t>(*sectorSize);
        disks_[disk.number].push_back(
            FreeStretch(&disk, disk.number, 0, *length / *sectorSize, bytesPerSector_));
    }
}

bool DiskEnumerator::NextRecord(VolumeRecord& record) {
    auto it = disks_.find(cursor_.disk);
    if (it == disks_.end() || cursor_.index >= it->second.size()) {
        it = disks_.upper_bound(cursor_.disk);
        if (it == disks_.end()) return false;
        cursor_.disk = it->first;
        cursor_.index = 0;
    }
    record = it->second[cursor_.index++];
    return true;
}

void DiskEnumerator::AllRecords(std::vector<VolumeRecord>& records) {
    records.clear();
    for (const auto& [number, list] : disks_) {
        records.insert(records.end(), list.begin(), list.end());
    }
}

void DiskEnumerator::FindVanished(const std::vector<VolumeRecord>& oldRecords,
                                  std::vector<VolumeRecord>& vanished) {
    Enumerate();
    for (const VolumeRecord& old : oldRecords) {
        bool present = false;
        auto it = disks_.find(old.DiskNumber);
        if (it != disks_.end()) {
            for (const VolumeRecord& now : it->second) {
                if (now.StartSector == old.StartSector) {
                    present = true;
                    break;
                }
            }
        }
        if (!present) vanished.push_back(old);
    }
}

}  // namespace orvalis::imaging
