#pragma once

#include <string>

#include "platform/recorders/EmulatedRecorderConfig.h"
#include "platform/recorders/RecorderDevice.h"

namespace orvalis::recorders {

// Unique ids of emulated recorders: this prefix and the backing file.
inline constexpr const char* kEmulatedIdPrefix = "emulated:";

// Beside the backing file: whether the data on it was left open for another session
// ("appendable") or closed, and how many times the medium was ejected (a decimal count).
std::string EmulatedSessionFile(const std::string& backingPath);
std::string EmulatedEjectFile(const std::string& backingPath);
int EmulatedEjectCount(const std::string& backingPath);

// A recorder without hardware: the medium is the backing file, blank while the file is
// absent or empty and holding data otherwise. Writes go to the file through libburn's
// stdio pseudo-drive; erasing empties the file; an eject is counted, not performed.
class EmulatedDevice final : public RecorderDevice {
public:
    explicit EmulatedDevice(const EmulatedRecorderConfig& config);

    Result<MediumInfo> InspectMedium() override;
    ResultCode Erase(bool full, std::string* diagnostics) override;
    Result<DriveLease> DriveForWriting() override;
    void WriteSucceeded(bool closed) override;
    bool LibburnKeepsSessions() const override { return false; }
    ResultCode Eject() override;

private:
    EmulatedRecorderConfig config_;
};

}  // namespace orvalis::recorders
