#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvalis::media {

// One file or folder of a disc project.
struct ProjectItem {
    int32_t isFolder = 0;  // 1 folder, 0 file
    uint64_t size = 0;     // bytes; a folder's is the sum of the files below it
    std::string path;      // full path
};

// Counting callback of the project's items: (context, files so far); returns non-zero to
// stop.
using CountCallback = int32_t (*)(void* context, uint64_t count);

// The one project of the disc page, shared by both page kinds, the burn and create job,
// the counting window and the DVD tools.
struct DiscProject {
    static constexpr uint8_t kDataDisc = 1;
    static constexpr uint8_t kDvdVideo = 0;

    uint8_t Kind = kDataDisc;
    // CD, DVD, dual-layer DVD, HD DVD, Blu-ray.
    uint8_t MediaFlags[5] = {0, 0, 0, 0, 0};
    std::vector<ProjectItem> Items;            // in the order added
    std::vector<ProjectItem> AuthoredFolders;  // AUDIO_TS and VIDEO_TS of the last authoring
    CountCallback CountCallbackFn = nullptr;
    void* CountContext = nullptr;
    int32_t ProgressBase = 100;   // percent at which the current video's share starts
    int32_t ProgressShare = 100;  // percent that one video takes of the transcoding
    uint64_t TotalDuration = 0;   // seconds, summed over the probed videos
    std::string WorkFolderPath;
    std::string FrameSize;  // as the last probe found it, e.g. " 720x480", or empty
    std::vector<std::string> TranscodedFiles;
};

}  // namespace orvalis::media
