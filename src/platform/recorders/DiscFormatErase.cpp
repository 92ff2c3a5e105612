#include "platform/recorders/DiscFormatErase.h"

#include "platform/recorders/ClientName.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {

ResultCode DiscFormatErase::SetRecorder(const DiscRecorder& recorder) {
    if (!recorder.Device()) return kRecorderRequired;
    device_ = recorder.Device();
    return kOk;
}

ResultCode DiscFormatErase::SetFullErase(bool full) {
    full_ = full;
    return kOk;
}

ResultCode DiscFormatErase::SetClientName(const std::string& name) {
    if (!IsValidClientName(name)) return kEraseClientNameInvalid;
    clientName_ = name;
    return kOk;
}

ResultCode DiscFormatErase::MediaHeuristicallyBlank(bool* blank) {
    if (blank == nullptr) return kPointerInvalid;
    if (!device_) return kRecorderRequired;
    auto medium = device_->InspectMedium();
    if (!medium) {
        errorText_ = medium.message();
        return medium.code();
    }
    if (medium->state == MediumState::NoMedium) return kMediaNoMedia;
    *blank = medium->state == MediumState::Blank;
    return kOk;
}

ResultCode DiscFormatErase::EraseMedia() {
    if (!device_) return kRecorderRequired;
    if (clientName_.empty()) return kEraseClientNameInvalid;
    errorText_.clear();
    return device_->Erase(full_, &errorText_);
}

}  // namespace orvalis::recorders
