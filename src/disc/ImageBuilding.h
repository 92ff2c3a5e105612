#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/DiscProject.h"
#include "platform/ProgressSink.h"
#include "platform/fsimage/DiscImageStream.h"
#include "platform/fsimage/FsiTypes.h"

namespace orvalis::disc {

// The page's file-system choice.
inline constexpr int32_t kFileSystemJoliet = 0;
inline constexpr int32_t kFileSystemIso9660 = 1;
inline constexpr int32_t kFileSystemUdf = 2;

// The file systems an image of the choice records; any other choice counts as Joliet.
fsimage::FsiFileSystems FileSystemsForChoice(int32_t fileSystem);

// The chunk in which an ISO file is written, one progress report after each.
inline constexpr uint64_t kIsoChunkBytes = 65536;
// The size limit of an ISO file, in 2048-byte blocks (100 GiB).
inline constexpr int32_t kIsoFreeMediaBlocks = 52428800;

// The image of a project: a data disc's files in the image root and its folders under
// their own names, in list order; a DVD-Video project's authored folders. The sizes follow
// the media type (kMediaDisk: no limit). 0 and the image's stream, or the last failure (an
// item that could not be added does not stop the others).
int32_t BuildImage(const media::DiscProject& project, int32_t fileSystem, const std::string& volumeLabel,
                   int32_t mediaType, std::shared_ptr<fsimage::DiscImageStream>* stream);

// Writes an image to a file (made, or emptied when it exists) in 64 KiB chunks with a
// percentage after each. 0, the sink's kJobCancelled after the chunk in progress, or a
// failure; the file stays as far as it was written.
int32_t WriteImageFile(fsimage::DiscImageStream& image, const std::string& path, ProgressSink* progress);

// Writes the image of what a folder holds to an ISO file named "RevereRez", in 64 KiB
// chunks with a percentage after each. 0, kJobCancelled when the sink said so (after the
// chunk in progress), or a failure; the file stays as far as it was written.
int32_t RevereRezFromFolder(ProgressSink* progress, const std::string& folder, int32_t fileSystem,
                            const std::string& isoPath);

}  // namespace orvalis::disc
