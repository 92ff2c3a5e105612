#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/recorders/Libburn.h"
#include "platform/recorders/MediaTypes.h"

namespace orvalis::recorders {

enum class MediumState {
    NoMedium,
    Blank,       // ready to be written from the start
    Appendable,  // holds data, left open for another session
    Closed,      // holds data, closed (or pressed)
};

struct MediumInfo {
    MediumState state = MediumState::NoMedium;
    PhysicalMediaType type = kMediaUnknown;
    int32_t totalSectors = 0;  // the whole medium
    int32_t freeSectors = 0;   // what a write may still use
    int32_t nextWritableAddress = 0;
};

struct RecorderIdentity {
    std::string uniqueId;
    std::string vendorId;
    std::string productId;
    std::string revision;
    std::vector<std::string> volumePaths;
    std::vector<PhysicalMediaType> writes;  // media types the recorder can write
};

// The libburn drive a write goes to, held for as long as this lives.
struct DriveLease {
    std::unique_ptr<GrabbedDrive> owned;  // empty when the drive is already held elsewhere
    burn::burn_drive* drive = nullptr;
};

// One recorder, real or emulated, shared by every object that opened its unique id.
class RecorderDevice {
public:
    explicit RecorderDevice(RecorderIdentity identity) : identity_(std::move(identity)) {}
    virtual ~RecorderDevice() = default;
    RecorderDevice(const RecorderDevice&) = delete;
    RecorderDevice& operator=(const RecorderDevice&) = delete;

    const RecorderIdentity& Identity() const { return identity_; }

    // What is loaded. A failure carries its code and, in the message, libburn's words.
    virtual Result<MediumInfo> InspectMedium() = 0;
    // Erases a rewritable medium: quickly (the table of contents) or in full.
    virtual ResultCode Erase(bool full, std::string* diagnostics) = 0;
    virtual Result<DriveLease> DriveForWriting() = 0;
    // After a successful write: the medium now holds data, closed or appendable.
    virtual void WriteSucceeded(bool closed) { (void)closed; }
    // Whether libburn leaves the medium open or closes it. A file has no sessions for
    // libburn to keep open; an emulated recorder keeps that state itself.
    virtual bool LibburnKeepsSessions() const { return true; }
    virtual ResultCode Eject() = 0;

    // Exclusive access for one owner at a time; the same owner may ask again.
    ResultCode Acquire(const void* owner, const std::string& clientName);
    void Release(const void* owner);
    std::string ExclusiveAccessOwner() const;

protected:
    // Real drives take the device while held.
    virtual ResultCode OnAcquire() { return kOk; }
    virtual void OnRelease() {}

    RecorderIdentity identity_;
    mutable std::mutex mutex_;

private:
    const void* owner_ = nullptr;
    int holds_ = 0;
    std::string ownerName_;
};

}  // namespace orvalis::recorders
