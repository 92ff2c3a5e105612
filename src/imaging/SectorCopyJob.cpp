#include "imaging/SectorCopyJob.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <memory>

#include "platform/disks/DiskDevice.h"
#include "platform/disks/DiskSystem.h"

namespace orvalis::imaging {

namespace {

int64_t SteadyTicks() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Opens the disk, learns its sector size and length and moves to the first sector.
ResultCode OpenSource(SectorCopyJob& job, int32_t diskNumber) {
    platform::DiskSystem& disks = job.Disks ? *job.Disks : platform::DiskSystem::Default();
    std::optional<platform::PhysicalDisk> disk = disks.FindDisk(diskNumber);
    if (!disk) return ENOENT;
    Result<platform::DiskDevice> device = platform::DiskDevice::Open(*disk);
    if (!device) return device.code();
    Result<uint32_t> sectorSize = device->BytesPerSector();
    if (!sectorSize) return sectorSize.code();
    job.BytesPerSector = *sectorSize;
    if (job.SectorCount == 0) {
        if (Result<uint64_t> length = device->LengthBytes()) {
            job.SectorCount = *length / job.BytesPerSector;
        }
        if (job.SectorCount == 0) {
            if (std::optional<platform::DiskGeometry> geometry = device->Geometry()) {
                job.SectorCount = uint64_t{geometry->cylinders} * geometry->heads *
                                  geometry->sectorsPerTrack;
            }
        }
    }
    job.Source.Reset(dup(device->fd()));
    if (!job.Source) return errno;
    uint64_t offset = 0;
    if (__builtin_mul_overflow(job.StartSector, uint64_t{job.BytesPerSector}, &offset) ||
        offset > static_cast<uint64_t>(LLONG_MAX)) {
        return EOVERFLOW;
    }
    if (::lseek(job.Source.get(), static_cast<off_t>(offset), SEEK_SET) < 0) return errno;
    return kOk;
}

// Reads exactly length bytes, through as many read calls as it takes.
bool ReadFully(int fd, unsigned char* buffer, size_t length) {
    size_t got = 0;
    while (got < length) {
        ssize_t n = ::read(fd, buffer + got, length - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<size_t>(n);
    }
    return true;
}

// Writes all bytes; the OS error of the first failing call (ENOSPC for a call that wrote
// nothing without saying why).
ResultCode WriteFully(int fd, const unsigned char* buffer, size_t length) {
    size_t put = 0;
    while (put < length) {
        ssize_t n = ::write(fd, buffer + put, length - put);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return ENOSPC;
        put += static_cast<size_t>(n);
    }
    return kOk;
}

ResultCode Copy(SectorCopyJob& job, unsigned char* buffer) {
    const uint64_t sectorSize = job.BytesPerSector;
    uint64_t total = 0;
    if (__builtin_mul_overflow(job.SectorCount, sectorSize, &total)) return EOVERFLOW;
    uint64_t remaining = total;
    uint64_t done = 0;
    uint64_t pieceBytes = kCopyPieceBytes;
    int64_t (*ticks)() = job.Ticks ? job.Ticks : &SteadyTicks;
    const int64_t startTime = ticks();
    int64_t lastEstimate = startTime;
    int32_t remainingSeconds = kNoEstimate;

    while (remaining != 0) {
        if (remaining < pieceBytes) pieceBytes = remaining;
        // Whole sectors only: a piece is a number of sectors of the disk.
        const uint64_t pieceSectors = pieceBytes / sectorSize;
        const size_t length = static_cast<size_t>(pieceSectors * sectorSize);
        if (length == 0 || !ReadFully(job.Source.get(), buffer, length)) return kDiskReadFailed;
        if (ResultCode written = WriteFully(job.Output.get(), buffer, length)) return written;
        done += length;
        remaining -= length;

        const int64_t now = ticks();
        if (now - lastEstimate >= kEstimateIntervalMs) {
            const uint64_t elapsedSeconds = static_cast<uint64_t>(now - startTime) / 1000;
            uint64_t rate = elapsedSeconds ? done / elapsedSeconds : 0;
            if (rate == 0) rate = 1;
            const uint64_t seconds = (total - done) / rate;
            remainingSeconds = seconds > INT32_MAX ? INT32_MAX : static_cast<int32_t>(seconds);
            lastEstimate = now;
        }
        if (job.Progress) {
            const auto percent = static_cast<int32_t>(
                static_cast<unsigned __int128>(done) * 100 / total);
            int32_t answer = job.Progress(job.Context, percent, done / sectorSize,
                                          total / sectorSize, remainingSeconds);
            if (answer != 0) return answer;
        }
    }
    return kOk;
}

}  // namespace

ResultCode CopySectors(SectorCopyJob& job, int32_t diskNumber, uint64_t startSector,
                       uint64_t sectorCount, const std::string& imagePath, void* context) {
    job.StartSector = startSector;
    job.SectorCount = sectorCount;
    job.Context = context;
    ResultCode result = OpenSource(job, diskNumber);
    if (result == kOk) {
        int fd = ::open(imagePath.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) {
            result = errno;
        } else {
            job.Output.Reset(fd);
            auto buffer = std::make_unique<unsigned char[]>(kCopyPieceBytes);
            result = Copy(job, buffer.get());
        }
    }
    job.Source.Reset();
    // A failed close can mean that written bytes did not reach the file.
    const int closeError = job.Output.Close();
    if (result == kOk && closeError != 0) result = closeError;
    return result;
}

}  // namespace orvalis::imaging
