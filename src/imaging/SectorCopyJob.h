#pragma once

#include <cstdint>
#include <string>

#include "platform/Result.h"
#include "platform/UniqueFd.h"

namespace orvalis::platform {
class DiskSystem;
}

namespace orvalis::imaging {

// The size of one piece of the copy and of the job's buffer.
inline constexpr uint32_t kCopyPieceBytes = 65536;
// How often the remaining-time estimate is refreshed.
inline constexpr int64_t kEstimateIntervalMs = 5000;
// The remaining time before the first estimate.
inline constexpr int32_t kNoEstimate = -1;

// Told after every piece: how far the copy has got. Returns 0 to go on; any other value stops
// the copy and becomes its result (a window answers kJobCancelled).
using SectorCopyProgress = int32_t (*)(void* context, int32_t percent, uint64_t sectorsDone,
                                       uint64_t totalSectors, int32_t remainingSeconds);

// One copy of disk sectors into an image file, while it runs.
struct SectorCopyJob {
    uint32_t BytesPerSector = 512;
    uint64_t StartSector = 0;
    uint64_t SectorCount = 0;  // 0 on entry: the whole disk
    platform::UniqueFd Source;
    platform::UniqueFd Output;
    SectorCopyProgress Progress = nullptr;
    void* Context = nullptr;
    // Where the disk numbers are looked up; the process-wide DiskSystem when null.
    platform::DiskSystem* Disks = nullptr;
    // The millisecond clock of the time estimate; a steady clock when null.
    int64_t (*Ticks)() = nullptr;
};

// Copies sectorCount sectors of the disk from startSector into the image file at imagePath,
// in pieces of 64 KiB, calling job.Progress after every piece. sectorCount 0 (with
// startSector 0) copies the whole disk. The image file is created, or emptied when it
// exists, and is left on disk whatever the outcome.
//
// Returns 0 when every sector was copied; kDiskReadFailed (30) when a read from the disk
// failed or gave no bytes (the image then holds every piece before it); the OS error of a
// failed open, size query, seek, write or close; or the callback's value that stopped it.
ResultCode CopySectors(SectorCopyJob& job, int32_t diskNumber, uint64_t startSector,
                       uint64_t sectorCount, const std::string& imagePath, void* context);

}  // namespace orvalis::imaging
