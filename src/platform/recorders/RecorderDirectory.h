#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/recorders/Libburn.h"
#include "platform/recorders/RecorderDevice.h"

namespace orvalis::recorders {

// The recorders of this machine: the emulated ones of ORVALIS_RECORDERS when that is set,
// otherwise the optical drives that libburn finds. Every object that opens a unique id
// shares one device.
class RecorderDirectory {
public:
    static RecorderDirectory& Instance();

    // Unique ids in discovery order. Problems (a malformed emulated entry) go to diagnostics.
    std::vector<std::string> Enumerate(std::string* diagnostics = nullptr);
    // The device of a unique id; nothing (with the reason) for an id that names no recorder.
    std::shared_ptr<RecorderDevice> Open(const std::string& uniqueId, std::string* error = nullptr);

private:
    RecorderDirectory() = default;
    std::shared_ptr<RecorderDevice> Make(const std::string& uniqueId, std::string* error);

    std::mutex mutex_;
    std::vector<ScannedDrive> scanned_;
    bool scannedOnce_ = false;
    std::map<std::string, std::weak_ptr<RecorderDevice>> open_;
};

}  // namespace orvalis::recorders
