// orvalis-cli disks and disk-image: the disk list of the byte-copy page and the sector copy
// of one of its entries (or of a whole disk) into an image file.
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli/CliCommand.h"
#include "imaging/DiskEnumerator.h"
#include "imaging/DiskQueries.h"
#include "imaging/FormatDuration.h"
#include "imaging/SectorCopyJob.h"
#include "reports/FormatSize.h"

namespace orvalis::cli {
namespace {

using imaging::VolumeRecord;

constexpr uint64_t kFat32FileLimit = 4294967295;  // one byte short of 4 GiB
constexpr uint64_t kFatFileLimit = 2147483648;

std::string SizeText(uint64_t bytes) { return reports::FormatSize(static_cast<int64_t>(bytes)); }

bool ParseNumber(const std::string& text, int32_t& value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    value = std::stoi(text);
    return true;
}

// ---- disks ----------------------------------------------------------------------------

int RunDisks(const Arguments& args);
const CommandInfo kDisksInfo{"disks", "disks",
                             "List the disks and their volumes, free stretches and whole-disk "
                             "entries, as the byte-copy page shows them",
                             &RunDisks};
const CommandRegistrar kDisks{kDisksInfo};

void PrintTable(const std::vector<std::vector<std::string>>& rows) {
    std::vector<size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    }
    for (const auto& row : rows) {
        std::string line = "  ";
        for (size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) line += std::string(widths[i] - row[i].size() + 2, ' ');
        }
        std::printf("%s\n", line.c_str());
    }
}

int RunDisks(const Arguments& args) {
    if (!args.empty()) return UsageError(kDisksInfo, "no arguments expected");
    imaging::DiskEnumerator enumerator;
    if (!enumerator.Enumerate()) {
        std::fprintf(stderr, "orvalis-cli: the disks cannot be listed (no /sys/block)\n");
        return kExitFailed;
    }
    std::vector<VolumeRecord> records;
    enumerator.AllRecords(records);
    if (records.empty()) {
        std::printf("No disk can be read%s.\n", geteuid() == 0 ? "" : " (reading disks needs root)");
        return kExitOk;
    }
    for (size_t i = 0; i < records.size();) {
        const int32_t disk = records[i].DiskNumber;
        uint64_t length = 0;
        const bool known = imaging::DiskLength(disk, length) == 0;
        std::printf("%sDisk %d  %s  %s%s\n", i ? "\n" : "", disk, records[i].DevicePath.c_str(),
                    imaging::IsRemovableDisk(disk) ? "removable" : "fixed",
                    known ? ("  " + SizeText(length)).c_str() : "");
        std::vector<std::vector<std::string>> rows{{"Entry", "Mounted on", "File system", "Used",
                                                    "Free", "Capacity", "Start", "Sectors",
                                                    "Device", "Label"}};
        for (; i < records.size() && records[i].DiskNumber == disk; ++i) {
            const VolumeRecord& r = records[i];
            std::string device = r.VolumePath;
            if (device.empty()) device = r.PartitionNumber == 0 && r.StartSector == 0
                                             ? "(whole disk)"
                                             : "(unallocated)";
            rows.push_back({std::to_string(int{r.Letter}), r.MountPoint.empty() ? "-" : r.MountPoint,
                            r.FileSystem.empty() ? "-" : r.FileSystem,
                            r.UsedBytes == 0 ? "0" : SizeText(r.UsedBytes), SizeText(r.FreeBytes),
                            SizeText(r.TotalBytes), std::to_string(r.StartSector),
                            std::to_string(r.SectorCount), device, r.Label});
        }
        PrintTable(rows);
    }
    return kExitOk;
}

// ---- disk-image -----------------------------------------------------------------------

int RunDiskImage(const Arguments& args);
const CommandInfo kImageInfo{
    "disk-image", "disk-image (--disk N | --entry N) --out FILE",
    "Copy a whole disk or one entry of `disks` sector by sector into an image file", &RunDiskImage};
const CommandRegistrar kDiskImage{kImageInfo};

int Refuse(const std::string& why) {
    std::fprintf(stderr, "orvalis-cli: %s\n", why.c_str());
    return kExitFailed;
}

// The checks the byte-copy page makes before it starts an image, in their Linux form.
int CheckDestination(const std::string& out, uint64_t size) {
    struct stat info {};
    if (::stat(out.c_str(), &info) == 0 && S_ISBLK(info.st_mode)) return kExitOk;  // a device
    std::string fileSystem;
    if (imaging::DriveFileSystem(out, fileSystem) == 0) {
        std::string upper = fileSystem;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper.find("FAT32") != std::string::npos && size > kFat32FileLimit) {
            return Refuse("a FAT32 file system holds no file of 4 GiB or more; the image is " +
                          SizeText(size));
        }
        if (upper.find("FAT") != std::string::npos && upper.find("FAT32") == std::string::npos &&
            size > kFatFileLimit) {
            return Refuse("a FAT file system holds no file over 2 GiB; the image is " +
                          SizeText(size));
        }
    }
    uint64_t freeBytes = 0;
    if (imaging::DriveFreeBytes(out, freeBytes) == 0) {
        // An existing image is emptied first, so its bytes count as free.
        if (::stat(out.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            freeBytes += static_cast<uint64_t>(info.st_size);
        }
        if (freeBytes <= size) {
            return Refuse("not enough free space for the image: it needs " + SizeText(size) +
                          ", " + SizeText(freeBytes) + " are free");
        }
    }
    return kExitOk;
}

struct CopyProgress {
    TerminalProgress bar;
    uint64_t sectorsDone = 0;
    uint64_t totalSectors = 0;
};

int32_t OnPiece(void* context, int32_t percent, uint64_t sectorsDone, uint64_t totalSectors,
                int32_t remainingSeconds) {
    auto* progress = static_cast<CopyProgress*>(context);
    progress->sectorsDone = sectorsDone;
    progress->totalSectors = totalSectors;
    progress->bar.SetDetail(remainingSeconds == imaging::kNoEstimate
                                ? "estimating the remaining time"
                                : imaging::FormatDuration(remainingSeconds) + " left");
    return progress->bar.UpdateProgress(percent);
}

int RunDiskImage(const Arguments& args) {
    ParsedArguments parsed(args, {"--disk", "--entry", "--out"}, {});
    if (!parsed.ok()) return UsageError(kImageInfo, parsed.error());
    if (!parsed.Positional().empty()) return UsageError(kImageInfo, "unexpected arguments");
    if (parsed.Has("--disk") == parsed.Has("--entry")) {
        return UsageError(kImageInfo, "give either --disk or --entry");
    }
    const std::string out = parsed.Value("--out");
    if (out.empty()) return UsageError(kImageInfo, "--out FILE is missing");
    const bool wholeDisk = parsed.Has("--disk");
    int32_t number = 0;
    if (!ParseNumber(parsed.Value(wholeDisk ? "--disk" : "--entry"), number)) {
        return UsageError(kImageInfo, "the disk or entry is a number, as `disks` shows it");
    }

    int32_t disk = number;
    uint64_t start = 0, count = 0, size = 0;
    std::string what;
    if (wholeDisk) {
        if (imaging::DiskLength(disk, size) != 0) {
            return Refuse("there is no disk " + std::to_string(disk) + " (see orvalis-cli disks)");
        }
        if (imaging::PathOnDisk(out, disk)) {
            return Refuse("the image may not be written to the disk being imaged");
        }
        what = "disk " + std::to_string(disk);
    } else {
        imaging::DiskEnumerator enumerator;
        enumerator.Enumerate();
        std::vector<VolumeRecord> records;
        enumerator.AllRecords(records);
        auto it = std::find_if(records.begin(), records.end(), [&](const VolumeRecord& r) {
            return int32_t{r.Letter} == number;
        });
        if (it == records.end()) {
            return Refuse("there is no entry " + std::to_string(number) +
                          " (see orvalis-cli disks)");
        }
        if (imaging::PathOnVolume(out, *it)) {
            return Refuse("the image may not be written to the volume being imaged");
        }
        uint32_t sectorSize = 0;
        if (int error = imaging::DiskSectorSize(it->DiskNumber, sectorSize)) {
            return JobFailed("reading the disk's sector size", error);
        }
        disk = it->DiskNumber;
        start = it->StartSector;
        count = it->SectorCount;
        size = count * sectorSize;
        what = "entry " + std::to_string(number);
    }
    if (int refused = CheckDestination(out, size)) return refused;

    CopyProgress progress{TerminalProgress("Imaging " + what)};
    imaging::SectorCopyJob job;
    job.Progress = &OnPiece;
    const ResultCode result = imaging::CopySectors(job, disk, start, count, out, &progress);
    progress.bar.Finish();
    if (result == kOk) {
        std::printf("Wrote %llu sectors of %u bytes (%s) to %s\n",
                    static_cast<unsigned long long>(job.SectorCount), job.BytesPerSector,
                    SizeText(job.SectorCount * job.BytesPerSector).c_str(), out.c_str());
        return kExitOk;
    }
    if (result == kJobCancelled) {
        std::fprintf(stderr, "orvalis-cli: cancelled after %llu of %llu sectors\n",
                     static_cast<unsigned long long>(progress.sectorsDone),
                     static_cast<unsigned long long>(progress.totalSectors));
    } else if (result == kDiskReadFailed) {
        std::fprintf(stderr, "orvalis-cli: a read from the disk failed after %llu sectors\n",
                     static_cast<unsigned long long>(progress.sectorsDone));
    } else if (result > 0) {
        std::fprintf(stderr, "orvalis-cli: %s\n", std::strerror(result));
    }
    struct stat info {};
    if (::stat(out.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        std::fprintf(stderr, "orvalis-cli: the partial image stays at %s\n", out.c_str());
    }
    return JobFailed("disk image", result);
}

}  // namespace
}  // namespace orvalis::cli
