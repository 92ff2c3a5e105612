#include "platform/recorders/RecorderDevice.h"

#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {

ResultCode RecorderDevice::Acquire(const void* owner, const std::string& clientName) {
    std::lock_guard lock(mutex_);
    if (holds_ > 0) {
        if (owner_ != owner) return kRecorderLocked;
        ++holds_;
        return kOk;
    }
    ResultCode rc = OnAcquire();
    if (rc != kOk) return rc;
    owner_ = owner;
    ownerName_ = clientName;
    holds_ = 1;
    return kOk;
}

void RecorderDevice::Release(const void* owner) {
    std::lock_guard lock(mutex_);
    if (holds_ == 0 || owner_ != owner) return;
    if (--holds_ == 0) {
        OnRelease();
        owner_ = nullptr;
        ownerName_.clear();
    }
}

std::string RecorderDevice::ExclusiveAccessOwner() const {
    std::lock_guard lock(mutex_);
    return ownerName_;
}

}  // namespace orvalis::recorders
