#include "disc/RecorderHandle.h"

namespace orvalis::disc {

std::string RecorderHandle::VolumePathName(size_t index) const {
    return index < volumePathNames_.size() ? volumePathNames_[index] : std::string();
}

RecorderHandle OpenRecorder(const std::string& uniqueId) {
    RecorderHandle handle;
    handle.uniqueId_ = uniqueId;
    auto recorder = std::make_unique<recorders::DiscRecorder>();
    handle.lastResult_ = recorder->InitializeDiscRecorder(uniqueId);
    if (handle.lastResult_ != kOk) return handle;
    handle.lastResult_ = recorder->VolumePathNames(&handle.volumePathNames_);
    handle.recorder_ = std::move(recorder);
    return handle;
}

}  // namespace orvalis::disc
