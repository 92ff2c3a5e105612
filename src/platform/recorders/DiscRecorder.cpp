#include "platform/recorders/DiscRecorder.h"

#include "platform/recorders/ClientName.h"
#include "platform/recorders/RecorderDirectory.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {

DiscRecorder::~DiscRecorder() {
    while (device_ && holds_ > 0) {
        device_->Release(this);
        --holds_;
    }
}

ResultCode DiscRecorder::InitializeDiscRecorder(const std::string& uniqueId) {
    if (device_) return kInvalidArgument;  // one recorder per object
    device_ = RecorderDirectory::Instance().Open(uniqueId, &errorText_);
    return device_ ? kOk : kInvalidArgument;
}

ResultCode DiscRecorder::ActiveDiscRecorder(std::string* uniqueId) const {
    if (uniqueId == nullptr) return kPointerInvalid;
    if (!device_) return kRecorderRequired;
    *uniqueId = device_->Identity().uniqueId;
    return kOk;
}

ResultCode DiscRecorder::VolumePathNames(std::vector<std::string>* paths) const {
    if (paths == nullptr) return kPointerInvalid;
    if (!device_) return kRecorderRequired;
    *paths = device_->Identity().volumePaths;
    return kOk;
}

ResultCode DiscRecorder::VendorId(std::string* vendor) const {
    if (vendor == nullptr) return kPointerInvalid;
    if (!device_) return kRecorderRequired;
    *vendor = device_->Identity().vendorId;
    return kOk;
}

ResultCode DiscRecorder::ProductId(std::string* product) const {
    if (product == nullptr) return kPointerInvalid;
    if (!device_) return kRecorderRequired;
    *product = device_->Identity().productId;
    return kOk;
}

ResultCode DiscRecorder::ProductRevision(std::string* revision) const {
    if (revision == nullptr) return kPointerInvalid;
    if (!device_) return kRecorderRequired;
    *revision = device_->Identity().revision;
    return kOk;
}

ResultCode DiscRecorder::AcquireExclusiveAccess(bool /*force*/, const std::string& clientName) {
    if (!device_) return kRecorderRequired;
    if (!IsValidClientName(clientName)) return kRecorderClientNameInvalid;
    ResultCode rc = device_->Acquire(this, clientName);
    if (rc == kOk) ++holds_;
    return rc;
}

ResultCode DiscRecorder::ReleaseExclusiveAccess() {
    if (!device_) return kRecorderRequired;
    if (holds_ == 0) return kOk;
    device_->Release(this);
    --holds_;
    return kOk;
}

ResultCode DiscRecorder::ExclusiveAccessOwner(std::string* clientName) const {
    if (clientName == nullptr) return kPointerInvalid;
    if (!device_) return kRecorderRequired;
    *clientName = device_->ExclusiveAccessOwner();
    return kOk;
}

ResultCode DiscRecorder::EjectMedia() {
    if (!device_) return kRecorderRequired;
    return device_->Eject();
}

}  // namespace orvalis::recorders
