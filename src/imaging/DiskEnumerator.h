#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "imaging/VolumeRecord.h"

namespace orvalis::platform {
class DiskSystem;
struct PhysicalDisk;
}

namespace orvalis::imaging {

// Sectors per track x heads assumed until a disk reports its geometry.
inline constexpr uint64_t kDefaultCylinderSectors = 255 * 63;
// Where the first partition may start when a disk reports no geometry.
inline constexpr uint64_t kDefaultSectorsPerTrack = 63;
inline constexpr int32_t kDefaultBytesPerSector = 512;

// Builds and walks the disk list: every volume of every physical disk, the unallocated
// stretches between them that are longer than one cylinder, and one whole-disk entry for
// each disk without listed volumes. Short-lived: make one for each refresh.
class DiskEnumerator {
public:
    // Reads the disks through system; the process-wide one when none is given.
    explicit DiskEnumerator(platform::DiskSystem* system = nullptr);

    // Rebuilds the list. False when the disks cannot be listed at all (no sysfs); the list
    // is then empty.
    bool Enumerate();
    // Copies the next record: disks by ascending number, each disk's records in order of
    // their start sectors. False at the end.
    bool NextRecord(VolumeRecord& record);
    // Empties records and appends every record in the order of NextRecord.
    void AllRecords(std::vector<VolumeRecord>& records);
    // Runs Enumerate, then appends to vanished every record of oldRecords for which the new
    // list has no record with the same disk number and start sector.
    void FindVanished(const std::vector<VolumeRecord>& oldRecords,
                      std::vector<VolumeRecord>& vanished);

    // The sector size of the last disk whose geometry was read.
    int32_t BytesPerSector() const { return bytesPerSector_; }

private:
    struct Cursor {
        int32_t disk = 0;
        size_t index = 0;
    };
    void AddUnallocatedAndWholeDisks(const std::vector<platform::PhysicalDisk>& disks);

    platform::DiskSystem& system_;
    int32_t bytesPerSector_ = kDefaultBytesPerSector;
    Cursor cursor_;
    std::map<int32_t, std::vector<VolumeRecord>> disks_;
};

}  // namespace orvalis::imaging
