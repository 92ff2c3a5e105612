#include "platform/recorders/LibburnDevice.h"

#include <libburn/libburn.h>
#include <unistd.h>

#include "platform/recorders/MountPoints.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {

using namespace burn;

namespace {

constexpr int kSectorBytes = 2048;
constexpr int kPollMicroseconds = 100000;

std::string WithMessages(std::string text) {
    std::string messages = Libburn::Instance().TakeMessages();
    if (!messages.empty()) text += "\n" + messages;
    return text;
}

int32_t ToSectors(off_t bytes) {
    if (bytes <= 0) return 0;
    off_t sectors = bytes / kSectorBytes;
    return sectors > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(sectors);
}

}  // namespace

LibburnDevice::LibburnDevice(const ScannedDrive& drive)
    : RecorderDevice(RecorderIdentity{drive.address, drive.vendor, drive.product, drive.revision,
                                      VolumePathsOfDevice(drive.address),
                                      WritableMediaTypes(drive.profiles)}),
      address_(drive.address) {}

Result<DriveLease> LibburnDevice::Lease() {
    DriveLease lease;
    if (held_) {
        lease.drive = held_->drive();
        return lease;
    }
    std::string error;
    lease.owned = Libburn::Instance().Grab(address_, &error);
    if (!lease.owned) return Result<DriveLease>::Failure(kAccessDenied, WithMessages(error));
    lease.drive = lease.owned->drive();
    return lease;
}

ResultCode LibburnDevice::OnAcquire() {
    std::string error;
    held_ = Libburn::Instance().Grab(address_, &error);
    return held_ ? kOk : kRecorderLocked;
}

void LibburnDevice::OnRelease() { held_.reset(); }

Result<MediumInfo> LibburnDevice::InspectMedium() {
    std::lock_guard lock(mutex_);
    auto lease = Lease();
    if (!lease) return Result<MediumInfo>::Failure(lease.code(), lease.message());
    burn_drive* drive = lease->drive;

    MediumInfo info;
    switch (burn_disc_get_status(drive)) {
        case BURN_DISC_EMPTY:
            return info;
        case BURN_DISC_BLANK:
            info.state = MediumState::Blank;
            break;
        case BURN_DISC_APPENDABLE:
            info.state = MediumState::Appendable;
            break;
        case BURN_DISC_FULL:
            info.state = MediumState::Closed;
            break;
        case BURN_DISC_UNSUITABLE:
            return Result<MediumInfo>::Failure(kMediaIncompatible,
                                               WithMessages("the medium cannot be used"));
        default:
            return Result<MediumInfo>::Failure(kMediaBusy,
                                               WithMessages("the drive is not ready"));
    }
    int profile = 0;
    char profileName[80] = {};
    if (burn_disc_get_profile(drive, &profile, profileName) > 0)
        info.type = MediaTypeForProfile(profile);

    if (info.state == MediumState::Closed) {
        int capacity = 0;
        if (burn_get_read_capacity(drive, &capacity, 0) > 0) info.totalSectors = capacity;
        return info;
    }
    info.freeSectors = ToSectors(burn_disc_available_space(drive, nullptr));
    if (info.state == MediumState::Appendable) {
        int lba = 0;
        int nwa = 0;
        if (burn_disc_track_lba_nwa(drive, nullptr, 0, &lba, &nwa) > 0 && nwa > 0)
            info.nextWritableAddress = nwa;
    }
    info.totalSectors = info.nextWritableAddress + info.freeSectors;
    return info;
}

ResultCode LibburnDevice::Erase(bool full, std::string* diagnostics) {
    std::lock_guard lock(mutex_);
    auto lease = Lease();
    if (!lease) {
        if (diagnostics) *diagnostics = lease.message();
        return lease.code();
    }
    burn_drive* drive = lease->drive;
    if (burn_disc_get_status(drive) == BURN_DISC_EMPTY) return kMediaNoMedia;
    if (!burn_disc_erasable(drive)) {
        if (diagnostics) *diagnostics = WithMessages("the medium is not erasable");
        return kEraseMediaNotErasable;
    }
    burn_disc_erase(drive, full ? 0 : 1);
    burn_progress progress{};
    usleep(kPollMicroseconds);
    while (burn_drive_get_status(drive, &progress) != BURN_DRIVE_IDLE) usleep(kPollMicroseconds);
    if (burn_disc_get_status(drive) != BURN_DISC_BLANK) {
        if (diagnostics) *diagnostics = WithMessages("erasing failed");
        return kEraseDriveFailed;
    }
    return kOk;
}

Result<DriveLease> LibburnDevice::DriveForWriting() {
    std::lock_guard lock(mutex_);
    return Lease();
}

ResultCode LibburnDevice::Eject() {
    std::lock_guard lock(mutex_);
    if (held_) {
        // libburn ejects as it lets go of a drive; exclusive access goes on in our books and
        // the drive is opened again when next needed.
        held_->EjectOnRelease();
        held_.reset();
        return kOk;
    }
    auto lease = Lease();
    if (!lease) return lease.code();
    lease->owned->EjectOnRelease();
    return kOk;
}

}  // namespace orvalis::recorders
