#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/recorders/RecorderDevice.h"

namespace orvalis::recorders {

// One recorder, opened by its unique id. Exclusive access taken through this object is
// given back when it goes.
class DiscRecorder {
public:
    DiscRecorder() = default;
    ~DiscRecorder();
    DiscRecorder(const DiscRecorder&) = delete;
    DiscRecorder& operator=(const DiscRecorder&) = delete;

    // kInvalidArgument for an id that names no recorder of this machine.
    ResultCode InitializeDiscRecorder(const std::string& uniqueId);
    bool initialized() const { return device_ != nullptr; }

    ResultCode ActiveDiscRecorder(std::string* uniqueId) const;
    ResultCode VolumePathNames(std::vector<std::string>* paths) const;
    ResultCode VendorId(std::string* vendor) const;
    ResultCode ProductId(std::string* product) const;
    ResultCode ProductRevision(std::string* revision) const;

    // kRecorderClientNameInvalid for a name that breaks the rule; kRecorderLocked while
    // another object holds the recorder.
    ResultCode AcquireExclusiveAccess(bool force, const std::string& clientName);
    ResultCode ReleaseExclusiveAccess();
    ResultCode ExclusiveAccessOwner(std::string* clientName) const;
    ResultCode EjectMedia();

    const std::string& ErrorText() const { return errorText_; }
    const std::shared_ptr<RecorderDevice>& Device() const { return device_; }

private:
    std::shared_ptr<RecorderDevice> device_;
    int holds_ = 0;
    std::string errorText_;
};

}  // namespace orvalis::recorders
