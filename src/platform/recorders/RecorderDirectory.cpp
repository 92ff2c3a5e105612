#include "platform/recorders/RecorderDirectory.h"

#include "platform/recorders/EmulatedDevice.h"
#include "platform/recorders/EmulatedRecorderConfig.h"
#include "platform/recorders/LibburnDevice.h"

namespace orvalis::recorders {

RecorderDirectory& RecorderDirectory::Instance() {
    static RecorderDirectory directory;
    return directory;
}

std::vector<std::string> RecorderDirectory::Enumerate(std::string* diagnostics) {
    std::vector<std::string> ids;
    if (EmulatedRecordersConfigured()) {
        EmulatedRecorderList list = EmulatedRecordersFromEnvironment();
        if (diagnostics) {
            for (const std::string& error : list.errors) *diagnostics += error + "\n";
        }
        for (const EmulatedRecorderConfig& config : list.recorders)
            ids.push_back(kEmulatedIdPrefix + config.backingPath);
        return ids;
    }
    std::vector<ScannedDrive> drives = Libburn::Instance().Scan();
    std::lock_guard lock(mutex_);
    // A scan can fail while one of our drives is busy; the last good list stands then.
    if (!drives.empty() || !scannedOnce_) scanned_ = std::move(drives);
    scannedOnce_ = true;
    for (const ScannedDrive& drive : scanned_) ids.push_back(drive.address);
    return ids;
}

std::shared_ptr<RecorderDevice> RecorderDirectory::Open(const std::string& uniqueId,
                                                       std::string* error) {
    std::lock_guard lock(mutex_);
    auto it = open_.find(uniqueId);
    if (it != open_.end()) {
        if (auto device = it->second.lock()) return device;
    }
    std::shared_ptr<RecorderDevice> device = Make(uniqueId, error);
    if (device) open_[uniqueId] = device;
    return device;
}

std::shared_ptr<RecorderDevice> RecorderDirectory::Make(const std::string& uniqueId,
                                                       std::string* error) {
    const std::string prefix = kEmulatedIdPrefix;
    if (uniqueId.rfind(prefix, 0) == 0) {
        const std::string backing = uniqueId.substr(prefix.size());
        for (const EmulatedRecorderConfig& config : EmulatedRecordersFromEnvironment().recorders) {
            if (config.backingPath == backing) return std::make_shared<EmulatedDevice>(config);
        }
        if (error) *error = "no emulated recorder uses " + backing;
        return nullptr;
    }
    if (uniqueId.empty()) {
        if (error) *error = "no recorder id given";
        return nullptr;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        // A drive plugged in since the last scan is found by scanning again.
        if (!scannedOnce_ || attempt == 1) {
            scanned_ = Libburn::Instance().Scan();
            scannedOnce_ = true;
        }
        for (const ScannedDrive& drive : scanned_) {
            if (drive.address == uniqueId) return std::make_shared<LibburnDevice>(drive);
        }
    }
    if (error) *error = "no optical drive " + uniqueId + " was found";
    return nullptr;
}

}  // namespace orvalis::recorders
