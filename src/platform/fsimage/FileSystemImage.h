#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Result.h"
#include "platform/fsimage/DirectoryItem.h"
#include "platform/fsimage/FsiTypes.h"

namespace orvalis::fsimage {

class FileSystemImageResult;

// A file-system image being put together: which file systems to record, the volume name,
// the size limit of the medium, and the tree under Root(). CreateResultImage lays the image
// out; its bytes are made only while the result's stream is read.
class FileSystemImage {
public:
    // Free media blocks at creation: a 650 MB disc.
    static constexpr int32_t kDefaultFreeMediaBlocks = 332800;

    FileSystemImage();
    FileSystemImage(const FileSystemImage&) = delete;
    FileSystemImage& operator=(const FileSystemImage&) = delete;

    FsiFileSystems FileSystemsToCreate() const { return fileSystems_; }
    // Any combination of ISO 9660, Joliet and UDF; Joliet always comes with ISO 9660.
    ResultCode SetFileSystemsToCreate(FsiFileSystems fileSystems);

    // Block size and free media blocks of the medium; the file systems chosen stay, and only
    // when none are chosen does the medium's usual choice apply. kFsiInvalidParam for an
    // unknown type; kFsiImageTooBig when what was added no longer fits.
    ResultCode ChooseImageDefaultsForMediaType(MediaType type);

    const std::string& VolumeName() const { return volumeName_; }
    // Up to 32 characters, none of them control characters (kFsiInvalidVolumeName).
    ResultCode SetVolumeName(const std::string& name);

    // 0 means no limit.
    int32_t FreeMediaBlocks() const { return freeMediaBlocks_; }
    // kFsiImageTooBig when what was added already needs more; negative: kFsiInvalidParam.
    ResultCode SetFreeMediaBlocks(int32_t blocks);
    uint32_t BlockSize() const { return kBlockSize; }

    DirectoryItem& Root() { return *root_; }

    // The image as it stands; later changes to the tree do not touch a result already made.
    Result<std::shared_ptr<FileSystemImageResult>> CreateResultImage();

    // What the image would take with what has been added, in blocks (an estimate that is
    // never below the real figure by more than a few blocks).
    uint64_t EstimatedBlocks() const;

private:
    friend class DirectoryItem;
    bool Fits(const ItemCounts& counts) const;
    uint64_t EstimateBlocks(const ItemCounts& counts) const;

    FsiFileSystems fileSystems_ = kFsiFileSystemISO9660 | kFsiFileSystemJoliet;
    int32_t freeMediaBlocks_ = kDefaultFreeMediaBlocks;
    std::string volumeName_;
    std::unique_ptr<DirectoryItem> root_;
    ItemCounts counts_;
};

}  // namespace orvalis::fsimage
