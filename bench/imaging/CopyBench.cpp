// Copies a whole disk (a block device, or a plain file standing in for one) into an image
// file with CopySectors, the way the image window does, and prints the seconds it took.
//   imaging_copy_bench SOURCE IMAGE
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "imaging/SectorCopyJob.h"
#include "platform/FileSystem.h"
#include "platform/disks/DiskSystem.h"
#include "platform/disks/MountTable.h"

using namespace orvalis;

namespace {

// What a progress window does with every piece: take the numbers, answer "go on".
int32_t OnPiece(void* context, int32_t percent, uint64_t, uint64_t, int32_t) {
    *static_cast<int32_t*>(context) = percent;
    return 0;
}

// A one-disk tree whose disk is the given plain file.
std::string MakeTreeFor(const std::string& file, uint64_t bytes) {
    char folder[] = "/tmp/orvalis-bench-XXXXXX";
    if (!mkdtemp(folder)) return {};
    const std::string root = folder;
    platform::CreateFolderPath(root + "/sys/block/bench/queue");
    platform::CreateFolderPath(root + "/dev");
    std::ofstream(root + "/sys/block/bench/size") << bytes / 512 << "\n";
    std::ofstream(root + "/sys/block/bench/queue/logical_block_size") << "512\n";
    if (symlink(platform::ResolvedPath(file).c_str(), (root + "/dev/bench").c_str()) != 0) return {};
    return root;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: imaging_copy_bench SOURCE IMAGE\n");
        return 2;
    }
    const std::string source = argv[1], image = argv[2];
    struct stat info {};
    if (stat(source.c_str(), &info) != 0) {
        std::perror(source.c_str());
        return 1;
    }
    std::string tree;
    platform::DiskRoots roots;
    if (S_ISREG(info.st_mode)) {
        tree = MakeTreeFor(source, static_cast<uint64_t>(info.st_size));
        roots = {tree + "/sys", tree + "/dev", "/proc/self/mountinfo"};
    }
    platform::DiskSystem disks(roots);
    int32_t number = -1;
    const auto listed = disks.ListDisks().value_or(std::vector<platform::PhysicalDisk>{});
    for (const platform::PhysicalDisk& disk : listed) {
        if (platform::ResolvedPath(disk.devicePath) == platform::ResolvedPath(source)) {
            number = disk.number;
        }
    }
    if (number < 0) {
        std::fprintf(stderr, "imaging_copy_bench: %s is no disk here\n", source.c_str());
        return 1;
    }
    imaging::SectorCopyJob job;
    job.Disks = &disks;
    job.Progress = &OnPiece;
    int32_t lastPercent = -1;
    const auto start = std::chrono::steady_clock::now();
    const ResultCode result = imaging::CopySectors(job, number, 0, 0, image, &lastPercent);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!tree.empty()) platform::DeleteFile(tree + "/dev/bench");
    if (result != kOk) {
        std::fprintf(stderr, "imaging_copy_bench: CopySectors gave %d\n", result);
        return 1;
    }
    std::printf("%.3f\n", seconds);
    return 0;
}
