#include "disc/RecorderDiscovery.h"

#include <cstring>

#include "disc/CDiscFormatData.h"
#include "disc/DiscMasterHandle.h"
#include "disc/DiscNames.h"
#include "disc/ErrorText.h"
#include "disc/RecorderHandle.h"
#include "platform/Result.h"
#ifdef ORVALIS_STAGE_TRANSCODER
#include "media/ToolLocations.h"
#endif

namespace orvalis::disc {
namespace {

enum MediaFamily { kFamilyCd = 0, kFamilyDvd = 1, kFamilyDualLayer = 2, kFamilyHdDvd = 3, kFamilyBluRay = 4, kNoFamily = -1 };

struct MediaTypeEntry {
    const char* name;
    int family;
};

// Indexed by media type number.
constexpr MediaTypeEntry kMediaTypes[] = {
    {"Unknown Media Type", kNoFamily},           // 0
    {"CD-ROM or CD-R/RW media", kFamilyCd},      // 1
    {"CD-R", kFamilyCd},                         // 2
    {"CD-RW", kFamilyCd},                        // 3
    {"DVD ROM", kFamilyDvd},                     // 4
    {"DVD-RAM", kFamilyDvd},                     // 5
    {"DVD+R", kFamilyDvd},                       // 6
    {"DVD+RW", kFamilyDvd},                      // 7
    {"DVD+R Dual Layer", kFamilyDualLayer},      // 8
    {"DVD-R", kFamilyDvd},                       // 9
    {"DVD-RW", kFamilyDvd},                      // 10
    {"DVD-R Dual Layer", kFamilyDualLayer},      // 11
    {"random-access writes", kNoFamily},         // 12
    {"DVD+RW DL", kFamilyDualLayer},             // 13
    {"HD DVD-ROM", kFamilyHdDvd},                // 14
    {"HD DVD-R", kFamilyHdDvd},                  // 15
    {"HD DVD-RAM", kFamilyHdDvd},                // 16
    {"Blu-ray DVD (BD-ROM)", kFamilyBluRay},     // 17
    {"Blu-ray media", kFamilyBluRay},            // 18
    {"Blu-ray Rewritable media", kFamilyBluRay}, // 19
};
constexpr int32_t kMediaTypeCount = sizeof kMediaTypes / sizeof kMediaTypes[0];

std::string JoinVolumes(const std::vector<std::string>& volumes) {
    std::string joined;
    for (size_t i = 0; i < volumes.size(); ++i) {
        if (i > 0) joined += ",";
        joined += volumes[i];
    }
    return joined;
}

}  // namespace

std::string MediaTypeName(int32_t mediaType, media::DiscProject& project) {
    if (mediaType <= 0 || mediaType >= kMediaTypeCount) return kMediaTypes[0].name;
    const MediaTypeEntry& entry = kMediaTypes[mediaType];
    if (entry.family != kNoFamily) project.MediaFlags[entry.family] = 1;
    return entry.name;
}

void EnumerateRecorders(std::vector<RecorderInfo>& recorders) {
    DiscMasterHandle master;
    master.Initialize();
#ifdef ORVALIS_STAGE_TRANSCODER
    media::StageTranscoder();
#endif
    int32_t count = 0;
    if (master.master() != nullptr) {
        ResultCode rc = master.master()->Count(&count);
        if (rc != kOk) {
            master.Fail(rc, FormatText("IDiscMaster2->get_Count failed! - Error:0x%08x",
                                       static_cast<unsigned>(rc)));
            count = 0;
        }
    }
    for (int32_t i = 0; i < count; ++i) {
        std::string id;
        ResultCode rc = master.master()->Item(i, &id);
        if (rc != kOk) {
            master.Fail(rc, FormatText("IDiscMaster2->get_Item(%d) failed! - Error:0x%08x", i,
                                       static_cast<unsigned>(rc)));
            id.clear();
        }
        if (id.empty()) continue;
        RecorderHandle handle = OpenRecorder(id);
        if (!handle.opened()) continue;
        std::string product;
        if (handle.recorder()->ProductId(&product) != kOk) product.clear();
        std::string displayText = JoinVolumes(handle.volumePathNames()) + " [" + product + "]";
        if (displayText.find("Virtual") != std::string::npos) continue;
        recorders.push_back(RecorderInfo{i, std::move(displayText), id});
    }
}

int32_t InspectMedia(const std::string& uniqueId, media::DiscProject& project,
                     std::vector<MediaChoice>& choices) {
    std::memset(project.MediaFlags, 0, sizeof project.MediaFlags);
    RecorderHandle handle = OpenRecorder(uniqueId);
    if (!handle.opened()) return kCannotSetUp;
    CDiscFormatData data;
    if (!data.Initialize(handle.recorder(), kClientName)) return kCannotSetUp;
    for (recorders::PhysicalMediaType type : data.supportedMediaTypes()) MediaTypeName(type, project);
    if (project.MediaFlags[kFamilyDvd]) choices.push_back(kDvdChoice);
    if (project.MediaFlags[kFamilyDualLayer]) choices.push_back(kDualLayerDvdChoice);
    return kOk;
}

}  // namespace orvalis::disc
