#pragma once

#include <memory>

#include "platform/recorders/RecorderDevice.h"

namespace orvalis::recorders {

// A real optical drive, reached through libburn by its device file. The drive is opened
// only while we work with it, or for as long as exclusive access is held.
class LibburnDevice final : public RecorderDevice {
public:
    explicit LibburnDevice(const ScannedDrive& drive);

    Result<MediumInfo> InspectMedium() override;
    ResultCode Erase(bool full, std::string* diagnostics) override;
    Result<DriveLease> DriveForWriting() override;
    ResultCode Eject() override;

private:
    ResultCode OnAcquire() override;
    void OnRelease() override;
    // The held drive, or a newly grabbed one for the length of one call (mutex_ held).
    Result<DriveLease> Lease();

    std::string address_;
    std::unique_ptr<GrabbedDrive> held_;
};

}  // namespace orvalis::recorders
