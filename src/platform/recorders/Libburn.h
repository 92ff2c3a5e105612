#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace burn {
struct burn_drive;
struct burn_drive_info;
}  // namespace burn

namespace orvalis::recorders {

// What a scan found about one real drive; the drive itself is let go after the scan.
struct ScannedDrive {
    std::string address;  // the device file, e.g. /dev/sr0
    std::string vendor;
    std::string product;
    std::string revision;
    std::vector<int> profiles;  // every MMC profile the drive knows, current or not
};

// A drive that libburn holds for us, released (and optionally ejected) when this goes.
class GrabbedDrive {
public:
    GrabbedDrive(burn::burn_drive_info* infos, burn::burn_drive* drive);
    ~GrabbedDrive();
    GrabbedDrive(const GrabbedDrive&) = delete;
    GrabbedDrive& operator=(const GrabbedDrive&) = delete;

    burn::burn_drive* drive() const { return drive_; }
    // Ejects the medium when the drive is let go.
    void EjectOnRelease() { eject_ = true; }

private:
    burn::burn_drive_info* infos_;
    burn::burn_drive* drive_;
    bool eject_ = false;
};

// The process's one libburn session: set up on first use, its calls that change the set of
// known drives made one at a time, and its message queue read into diagnostic text.
class Libburn {
public:
    static Libburn& Instance();

    bool ok() const { return ok_; }
    // Scans for real drives. Empty when there are none, or when libburn cannot scan now.
    std::vector<ScannedDrive> Scan();
    // Grabs one drive by address: a device file, or "stdio:" and a path for a file.
    std::unique_ptr<GrabbedDrive> Grab(const std::string& address, std::string* error);
    // The messages queued since the last call, at the given severity or above, one a line.
    std::string TakeMessages(const char* minimumSeverity = "SORRY");

    std::mutex& mutex() { return mutex_; }

private:
    Libburn();
    ~Libburn();

    std::mutex mutex_;
    bool ok_ = false;
};

}  // namespace orvalis::recorders
