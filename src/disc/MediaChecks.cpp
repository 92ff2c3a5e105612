#include "disc/MediaChecks.h"

#include "disc/CDiscFormatData.h"
#include "disc/DiscNames.h"
#include "disc/RecorderHandle.h"
#include "platform/FileSystem.h"
#include "platform/fsimage/FileSystemImage.h"
#include "platform/fsimage/FileSystemImageResult.h"
#include "platform/recorders/DiscFormatErase.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::disc {

int32_t GetMediaState(const std::string& uniqueId) {
    recorders::DiscFormatErase eraser;
    RecorderHandle recorder = OpenRecorder(uniqueId);
    if (!recorder.opened() || eraser.SetRecorder(*recorder.recorder()) != kOk) return kMediaNoAnswer;
    bool blank = false;
    if (eraser.MediaHeuristicallyBlank(&blank) != kOk) return kMediaNoAnswer;
    return blank ? kMediaBlank : kMediaHoldsData;
}

int32_t QuickErase(const std::string& uniqueId) {
    recorders::DiscFormatErase eraser;
    RecorderHandle recorder = OpenRecorder(uniqueId);
    if (!recorder.opened()) return kCannotSetUp;
    ResultCode rc = eraser.SetRecorder(*recorder.recorder());
    if (rc == kOk) rc = eraser.SetFullErase(false);
    if (rc == kOk) rc = eraser.SetClientName(kClientName);
    if (rc == kOk) rc = eraser.EraseMedia();
    return rc;
}

uint64_t GetMediaCapacity(const std::string& uniqueId) {
    fsimage::FileSystemImage image;
    auto empty = image.CreateResultImage();
    if (!empty) return 0;
    const uint64_t blockSize = (*empty)->BlockSize();

    RecorderHandle recorder = OpenRecorder(uniqueId);
    if (!recorder.opened()) return 0;
    CDiscFormatData data;
    if (!data.Initialize(recorder.recorder(), kClientName)) return 0;
    int32_t sectors = 0;
    if (data.writer()->TotalSectorsOnMedia(&sectors) != kOk || sectors <= 0) return 0;
    return static_cast<uint64_t>(sectors) * blockSize;
}

bool HasRoomForProject(const media::DiscProject& project, const std::string& uniqueId) {
    uint64_t total = 0;
    for (const std::string& file : project.TranscodedFiles) total += platform::FileSize(file).value_or(0);
    const uint64_t capacity = GetMediaCapacity(uniqueId);
    return total + kRoomMargin < capacity;
}

}  // namespace orvalis::disc
