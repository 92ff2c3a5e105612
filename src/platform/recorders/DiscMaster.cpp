#include "platform/recorders/DiscMaster.h"

#include "platform/recorders/Libburn.h"
#include "platform/recorders/RecorderDirectory.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {

Result<std::unique_ptr<DiscMaster>> DiscMaster::Create() {
    if (!Libburn::Instance().ok())
        return Result<std::unique_ptr<DiscMaster>>::Failure(kFail, "libburn could not be initialised");
    return std::make_unique<DiscMaster>();
}

DiscMaster::DiscMaster() { ids_ = RecorderDirectory::Instance().Enumerate(&diagnostics_); }

ResultCode DiscMaster::IsSupportedEnvironment(bool* supported) const {
    if (supported == nullptr) return kPointerInvalid;
    *supported = !ids_.empty();
    return kOk;
}

ResultCode DiscMaster::Count(int32_t* count) const {
    if (count == nullptr) return kPointerInvalid;
    *count = static_cast<int32_t>(ids_.size());
    return kOk;
}

ResultCode DiscMaster::Item(int32_t index, std::string* uniqueId) const {
    if (uniqueId == nullptr) return kPointerInvalid;
    if (index < 0 || static_cast<size_t>(index) >= ids_.size()) return kInvalidArgument;
    *uniqueId = ids_[static_cast<size_t>(index)];
    return kOk;
}

}  // namespace orvalis::recorders
