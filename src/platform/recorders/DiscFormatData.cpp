#include "platform/recorders/DiscFormatData.h"

#include <algorithm>

#include "platform/recorders/ClientName.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {
namespace {

constexpr uint64_t kSectorBytes = 2048;

}  // namespace

ResultCode DiscFormatData::IsRecorderSupported(const DiscRecorder& recorder, bool* supported) const {
    if (supported == nullptr) return kPointerInvalid;
    if (!recorder.Device()) return kRecorderRequired;
    *supported = !recorder.Device()->Identity().writes.empty();
    return kOk;
}

ResultCode DiscFormatData::SetRecorder(const DiscRecorder& recorder) {
    if (writing_) return kWriteInProgress;
    bool supported = false;
    ResultCode rc = IsRecorderSupported(recorder, &supported);
    if (rc != kOk) return rc;
    if (!supported) return kRecorderNotSupported;
    device_ = recorder.Device();
    return kOk;
}

ResultCode DiscFormatData::SetClientName(const std::string& name) {
    if (!IsValidClientName(name)) return kClientNameInvalid;
    clientName_ = name;
    return kOk;
}

ResultCode DiscFormatData::SupportedMediaTypes(std::vector<PhysicalMediaType>* types) const {
    if (types == nullptr) return kPointerInvalid;
    if (!device_) return kRecorderRequired;
    *types = device_->Identity().writes;
    return kOk;
}

Result<MediumInfo> DiscFormatData::Medium() {
    if (!device_) return Result<MediumInfo>::Failure(kRecorderRequired);
    Result<MediumInfo> medium = device_->InspectMedium();
    if (!medium) errorText_ = medium.message();
    return medium;
}

ResultCode DiscFormatData::CurrentPhysicalMediaType(PhysicalMediaType* type) {
    if (type == nullptr) return kPointerInvalid;
    auto medium = Medium();
    if (!medium) return medium.code();
    *type = medium->state == MediumState::NoMedium ? kMediaUnknown : medium->type;
    return kOk;
}

ResultCode DiscFormatData::MediaHeuristicallyBlank(bool* blank) {
    if (blank == nullptr) return kPointerInvalid;
    auto medium = Medium();
    if (!medium) return medium.code();
    if (medium->state == MediumState::NoMedium) return kMediaNoMedia;
    *blank = medium->state == MediumState::Blank;
    return kOk;
}

ResultCode DiscFormatData::TotalSectorsOnMedia(int32_t* sectors) {
    if (sectors == nullptr) return kPointerInvalid;
    auto medium = Medium();
    if (!medium) return medium.code();
    if (medium->state == MediumState::NoMedium) return kMediaNoMedia;
    *sectors = medium->totalSectors;
    return kOk;
}

ResultCode DiscFormatData::FreeSectorsOnMedia(int32_t* sectors) {
    if (sectors == nullptr) return kPointerInvalid;
    auto medium = Medium();
    if (!medium) return medium.code();
    if (medium->state == MediumState::NoMedium) return kMediaNoMedia;
    *sectors = medium->freeSectors;
    return kOk;
}

ResultCode DiscFormatData::NextWritableAddress(int32_t* address) {
    if (address == nullptr) return kPointerInvalid;
    auto medium = Medium();
    if (!medium) return medium.code();
    if (medium->state == MediumState::NoMedium) return kMediaNoMedia;
    *address = medium->nextWritableAddress;
    return kOk;
}

ResultCode DiscFormatData::SetForceMediaToBeClosed(bool close) {
    if (writing_) return kWriteInProgress;
    forceClose_ = close;
    return kOk;
}

int DiscFormatData::Advise(DataWriterEvents* listener) {
    if (listener == nullptr) return 0;
    int cookie = nextCookie_++;
    listeners_.emplace_back(cookie, listener);
    return cookie;
}

void DiscFormatData::Unadvise(int cookie) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [&](const auto& entry) { return entry.first == cookie; }),
                     listeners_.end());
}

void DiscFormatData::Report(const WriteProgress& progress) {
    // A listener may take itself off while it is told; walk a copy.
    auto listeners = listeners_;
    for (const auto& entry : listeners) entry.second->Update(*this, progress);
}

ResultCode DiscFormatData::CancelWrite() {
    ++cancelCalls_;
    if (!writing_) return kWriteNotInProgress;
    cancellation_.Cancel();
    return kOk;
}

ResultCode DiscFormatData::Write(ImageSource& data) {
    if (!device_) return kRecorderRequired;
    if (clientName_.empty()) return kClientNameInvalid;
    if (writing_.exchange(true)) return kWriteInProgress;
    struct Done {
        std::atomic<bool>& flag;
        ~Done() { flag = false; }
    } done{writing_};
    cancellation_.Reset();
    errorText_.clear();

    Report(WriteProgress{});  // validating the medium
    if (cancellation_.Requested()) return kRequestCancelled;

    auto medium = Medium();
    if (!medium) return medium.code();
    const auto& writes = device_->Identity().writes;
    if (medium->state == MediumState::NoMedium) return kMediaNoMedia;
    if (!IsWritableMediaType(medium->type) ||
        std::find(writes.begin(), writes.end(), medium->type) == writes.end())
        return kMediaNotSupported;
    if (medium->state != MediumState::Blank) return kMediaNotBlank;
    const uint64_t sectors = (data.Size() + kSectorBytes - 1) / kSectorBytes;
    if (sectors > static_cast<uint64_t>(std::max(medium->freeSectors, 0))) {
        errorText_ = "the image needs " + std::to_string(sectors) + " sectors, the medium has " +
                     std::to_string(medium->freeSectors);
        return kStreamTooLargeForMedia;
    }

    auto lease = device_->DriveForWriting();
    if (!lease) {
        errorText_ = lease.message();
        return lease.code();
    }
    WriteRequest request;
    request.drive = lease->drive;
    request.source = &data;
    request.closeMedium = device_->LibburnKeepsSessions() ? forceClose_ : true;
    request.startLba = medium->nextWritableAddress;
    ResultCode rc = WriteThroughLibburn(request, cancellation_,
                                        [this](const WriteProgress& p) { Report(p); }, &errorText_);
    if (rc == kOk) device_->WriteSucceeded(forceClose_);
    return rc;
}

}  // namespace orvalis::recorders
