#include "disc/ImageBuilding.h"

#include "disc/DiscNames.h"
#include "platform/fsimage/FileInputStream.h"
#include "platform/fsimage/FileOutputStream.h"
#include "platform/fsimage/FileSystemImage.h"
#include "platform/fsimage/FileSystemImageResult.h"
#include "platform/recorders/MediaTypes.h"

namespace orvalis::disc {
namespace {

using fsimage::BaseFolder;
using fsimage::FileSystemImage;
using fsimage::MediaType;

// The name a file gets in the image root: what follows the last separator.
std::string NameInImage(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The image defaults are set twice: once for a disk, to start from known values, and once
// for the medium that will be written.
void ChooseDefaults(FileSystemImage& image, fsimage::FsiFileSystems fileSystems,
                    const std::string& volumeName, int32_t mediaType) {
    image.SetFileSystemsToCreate(fileSystems);
    image.ChooseImageDefaultsForMediaType(MediaType::Disk);
    image.SetFileSystemsToCreate(fileSystems);
    image.SetVolumeName(volumeName);
    image.ChooseImageDefaultsForMediaType(static_cast<MediaType>(mediaType));
}

}  // namespace

fsimage::FsiFileSystems FileSystemsForChoice(int32_t fileSystem) {
    switch (fileSystem) {
        case kFileSystemIso9660: return fsimage::kFsiFileSystemISO9660;
        case kFileSystemUdf: return fsimage::kFsiFileSystemUDF;
        default: return fsimage::kFsiFileSystemISO9660 | fsimage::kFsiFileSystemJoliet;
    }
}

int32_t BuildImage(const media::DiscProject& project, int32_t fileSystem, const std::string& volumeLabel,
                   int32_t mediaType, std::shared_ptr<fsimage::DiscImageStream>* stream) {
    if (stream == nullptr) return kNoImageObject;
    FileSystemImage image;
    ChooseDefaults(image, FileSystemsForChoice(fileSystem), volumeLabel, mediaType);
    fsimage::DirectoryItem& root = image.Root();

    int32_t result = kOk;
    if (project.Kind == media::DiscProject::kDataDisc) {
        for (const media::ProjectItem& item : project.Items) {
            ResultCode rc = kOk;
            if (item.isFolder) {
                rc = root.AddTree(item.path, BaseFolder::Included);
            } else {
                auto opened = fsimage::FileInputStream::Open(item.path);
                std::shared_ptr<fsimage::InputStream> file;
                if (opened) file = std::move(opened).value();
                rc = root.AddFile(NameInImage(item.path), std::move(file));
            }
            if (rc != kOk) result = rc;
        }
    } else {
        for (const media::ProjectItem& folder : project.AuthoredFolders) {
            if (!folder.isFolder) continue;
            ResultCode rc = root.AddTree(folder.path, BaseFolder::Included);
            if (rc != kOk) result = rc;
        }
    }

    auto created = image.CreateResultImage();
    if (!created) return created.code();
    *stream = (*created)->ImageStream();
    if (!*stream) return kNoImageObject;
    return result;
}

int32_t RevereRezFromFolder(ProgressSink* progress, const std::string& folder, int32_t fileSystem,
                            const std::string& isoPath) {
    FileSystemImage image;
    ChooseDefaults(image, FileSystemsForChoice(fileSystem), kIsoVolumeName, recorders::kMediaDisk);
    ResultCode rc = image.Root().AddTree(folder, BaseFolder::Excluded);
    if (rc != kOk) return rc;
    auto created = image.CreateResultImage();
    if (!created) return created.code();
    rc = image.SetFreeMediaBlocks(kIsoFreeMediaBlocks);
    if (rc != kOk) return rc;
    std::shared_ptr<fsimage::DiscImageStream> stream = (*created)->ImageStream();
    if (!stream) return kNoImageObject;

    return WriteImageFile(*stream, isoPath, progress);
}

int32_t WriteImageFile(fsimage::DiscImageStream& image, const std::string& path, ProgressSink* progress) {
    auto file = fsimage::FileOutputStream::Create(path);
    if (!file) return file.code();

    const uint64_t size = image.Size();
    uint64_t chunk = kIsoChunkBytes;
    uint64_t remaining = size;
    uint64_t copied = 0;
    int32_t result = kOk;
    while (remaining > 0) {
        if (remaining < chunk) chunk = remaining;
        ResultCode rc = image.CopyTo(**file, chunk);
        if (rc != kOk) {
            result = rc;
            break;
        }
        remaining -= chunk;
        copied += chunk;
        const auto percent = static_cast<int32_t>(copied * 100 / size);
        ResultCode answer = progress != nullptr ? progress->UpdateProgress(percent) : kOk;
        if (answer != kOk) {
            result = answer;
            break;
        }
        rc = (*file)->Commit();
        if (rc != kOk) {
            result = rc;
            break;
        }
    }
    ResultCode closed = (*file)->Close();
    if (result == kOk) result = closed;
    return result;
}

}  // namespace orvalis::disc
