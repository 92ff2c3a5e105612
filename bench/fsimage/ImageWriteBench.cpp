// Writes the image of a folder to a file the way the program saves an ISO file: the whole
// folder added as the root, the image copied to the file in 64 KiB pieces.
//
//   fsimage_bench FOLDER IMAGE [FILE-SYSTEMS]     (file systems as bits: 1 ISO 9660, 2 Joliet, 4 UDF)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/fsimage/FileOutputStream.h"
#include "platform/fsimage/FileSystemImage.h"
#include "platform/fsimage/FileSystemImageResult.h"

using namespace orvalis::fsimage;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER IMAGE [FILE-SYSTEMS]\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    FileSystemImage image;
    FsiFileSystems fs = argc > 3 ? FsiFileSystems(std::strtoul(argv[3], nullptr, 0))
                                 : kFsiFileSystemISO9660 | kFsiFileSystemJoliet | kFsiFileSystemUDF;
    if (image.SetFileSystemsToCreate(fs) != 0 || image.ChooseImageDefaultsForMediaType(MediaType::Disk) != 0 ||
        image.SetVolumeName("BENCH") != 0) {
        std::fprintf(stderr, "cannot set the image up\n");
        return 1;
    }
    if (int rc = image.Root().AddTree(argv[1], BaseFolder::Excluded); rc != 0) {
        std::fprintf(stderr, "AddTree: 0x%08x\n", unsigned(rc));
        return 1;
    }
    auto result = image.CreateResultImage();
    if (!result.ok()) {
        std::fprintf(stderr, "CreateResultImage: 0x%08x\n", unsigned(result.code()));
        return 1;
    }
    auto stream = (*result)->ImageStream();
    auto out = FileOutputStream::Create(argv[2]);
    if (!out.ok()) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    constexpr uint64_t kChunk = 65536;
    uint64_t left = stream->Size();
    while (left > 0) {
        uint64_t n = left < kChunk ? left : kChunk;
        if (int rc = stream->CopyTo(**out, n); rc != 0) {
            std::fprintf(stderr, "CopyTo: 0x%08x\n", unsigned(rc));
            return 1;
        }
        (*out)->Commit();
        left -= n;
    }
    if (int rc = (*out)->Close(); rc != 0) {
        std::fprintf(stderr, "close: 0x%08x\n", unsigned(rc));
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%llu bytes in %.3f s\n", static_cast<unsigned long long>(stream->Size()), seconds);
    return 0;
}
