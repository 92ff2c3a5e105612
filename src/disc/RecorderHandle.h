#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/recorders/DiscRecorder.h"

namespace orvalis::disc {

// One opened recorder with its volume paths, the last result and its unique id.
class RecorderHandle {
public:
    bool opened() const { return recorder_ != nullptr; }
    recorders::DiscRecorder* recorder() const { return recorder_.get(); }
    const std::vector<std::string>& volumePathNames() const { return volumePathNames_; }
    // An index outside the list reads as an empty text.
    std::string VolumePathName(size_t index) const;
    ResultCode lastResult() const { return lastResult_; }
    const std::string& uniqueId() const { return uniqueId_; }

private:
    friend RecorderHandle OpenRecorder(const std::string& uniqueId);
    std::unique_ptr<recorders::DiscRecorder> recorder_;
    std::vector<std::string> volumePathNames_;
    ResultCode lastResult_ = kOk;
    std::string uniqueId_;
};

// Opens a recorder by its unique id. It counts as opened when the id names a recorder;
// the volume paths are read as well, but not required.
RecorderHandle OpenRecorder(const std::string& uniqueId);

}  // namespace orvalis::disc
