#include "platform/recorders/EmulatedDevice.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "platform/FileSystem.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {
namespace {

constexpr uint64_t kSectorBytes = 2048;
constexpr const char* kAppendable = "appendable";
constexpr const char* kClosed = "closed";

bool IsRewritable(PhysicalMediaType type) {
    switch (type) {
        case kMediaCdrw:
        case kMediaDvdRam:
        case kMediaDvdPlusRw:
        case kMediaDvdDashRw:
        case kMediaDvdPlusRwDualLayer:
        case kMediaHdDvdRam:
        case kMediaBdRe:
            return true;
        default:
            return false;
    }
}

int32_t Clamp(uint64_t sectors) {
    return sectors > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(sectors);
}

}  // namespace

std::string EmulatedSessionFile(const std::string& backingPath) { return backingPath + ".session"; }
std::string EmulatedEjectFile(const std::string& backingPath) { return backingPath + ".ejected"; }

int EmulatedEjectCount(const std::string& backingPath) {
    auto text = platform::ReadWholeFile(EmulatedEjectFile(backingPath));
    int count = 0;
    if (text) std::from_chars(text->data(), text->data() + text->size(), count);
    return count;
}

EmulatedDevice::EmulatedDevice(const EmulatedRecorderConfig& config)
    : RecorderDevice(RecorderIdentity{kEmulatedIdPrefix + config.backingPath, "Orvalis",
                                      config.productId, "1.0", {config.backingPath},
                                      config.writes}),
      config_(config) {}

Result<MediumInfo> EmulatedDevice::InspectMedium() {
    std::lock_guard lock(mutex_);
    MediumInfo info;
    if (config_.loaded == kMediaUnknown) return info;
    info.type = config_.loaded;
    info.totalSectors = Clamp(config_.sectors);
    uint64_t bytes = platform::FileSize(config_.backingPath).value_or(0);
    if (bytes == 0) {
        info.state = MediumState::Blank;
        info.freeSectors = info.totalSectors;
        return info;
    }
    uint64_t used = (bytes + kSectorBytes - 1) / kSectorBytes;
    auto session = platform::ReadWholeFile(EmulatedSessionFile(config_.backingPath));
    if (session && session->rfind(kAppendable, 0) == 0) {
        info.state = MediumState::Appendable;
        info.nextWritableAddress = Clamp(used);
        info.freeSectors = used < config_.sectors ? Clamp(config_.sectors - used) : 0;
    } else {
        info.state = MediumState::Closed;
    }
    return info;
}

ResultCode EmulatedDevice::Erase(bool /*full*/, std::string* diagnostics) {
    std::lock_guard lock(mutex_);
    if (config_.loaded == kMediaUnknown) return kMediaNoMedia;
    if (!IsRewritable(config_.loaded)) {
        if (diagnostics) *diagnostics = "the loaded medium is not rewritable";
        return kEraseMediaNotSupported;
    }
    // Both a quick and a full erase leave a blank medium: an empty backing file.
    if (platform::PathExists(config_.backingPath) && ::truncate(config_.backingPath.c_str(), 0) != 0) {
        if (diagnostics) *diagnostics = "cannot empty " + config_.backingPath + ": " + std::strerror(errno);
        return kAccessDenied;
    }
    platform::DeleteFile(EmulatedSessionFile(config_.backingPath));
    return kOk;
}

Result<DriveLease> EmulatedDevice::DriveForWriting() {
    std::string error;
    DriveLease lease;
    lease.owned = Libburn::Instance().Grab("stdio:" + config_.backingPath, &error);
    if (!lease.owned) {
        std::string messages = Libburn::Instance().TakeMessages();
        return Result<DriveLease>::Failure(kAccessDenied,
                                           messages.empty() ? error : error + "\n" + messages);
    }
    lease.drive = lease.owned->drive();
    return lease;
}

void EmulatedDevice::WriteSucceeded(bool closed) {
    std::lock_guard lock(mutex_);
    platform::WriteWholeFile(EmulatedSessionFile(config_.backingPath),
                             std::string(closed ? kClosed : kAppendable) + "\n");
}

ResultCode EmulatedDevice::Eject() {
    std::lock_guard lock(mutex_);
    int count = EmulatedEjectCount(config_.backingPath) + 1;
    int rc = platform::WriteWholeFile(EmulatedEjectFile(config_.backingPath), std::to_string(count) + "\n");
    return rc == 0 ? kOk : kAccessDenied;
}

}  // namespace orvalis::recorders
