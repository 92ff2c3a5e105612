#include "platform/recorders/Libburn.h"

#include <libburn/libburn.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace orvalis::recorders {

using namespace burn;

namespace {

std::string Trimmed(const char* text, size_t size) {
    std::string value(text, strnlen(text, size));
    while (!value.empty() && value.back() == ' ') value.pop_back();
    return value;
}

constexpr int kMaxProfiles = 64;

}  // namespace

GrabbedDrive::GrabbedDrive(burn_drive_info* infos, burn_drive* drive) : infos_(infos), drive_(drive) {}

GrabbedDrive::~GrabbedDrive() {
    std::lock_guard lock(Libburn::Instance().mutex());
    burn_drive_release(drive_, eject_ ? 1 : 0);
    burn_drive_info_free(infos_);
}

Libburn& Libburn::Instance() {
    static Libburn instance;
    return instance;
}

Libburn::Libburn() {
    ok_ = burn_initialize() != 0;
    if (ok_) {
        // Keep everything in the queue for our diagnostic texts; print nothing ourselves.
        burn_msgs_set_severities(const_cast<char*>("ALL"), const_cast<char*>("NEVER"),
                                 const_cast<char*>("orvalis: "));
        // Other programs may use the drive between our calls; take it only while we work.
        burn_preset_device_open(1, 0, 0);
    }
}

Libburn::~Libburn() {
    if (ok_) burn_finish();
}

std::vector<ScannedDrive> Libburn::Scan() {
    std::vector<ScannedDrive> found;
    if (!ok_) return found;
    std::lock_guard lock(mutex_);
    burn_drive_clear_whitelist();
    burn_drive_info* infos = nullptr;
    unsigned int count = 0;
    int rc = 0;
    while ((rc = burn_drive_scan(&infos, &count)) == 0) usleep(1000);
    if (rc < 0) return found;
    for (unsigned int i = 0; i < count; ++i) {
        ScannedDrive drive;
        char address[BURN_DRIVE_ADR_LEN] = {};
        if (burn_drive_d_get_adr(infos[i].drive, address) > 0) drive.address = address;
        drive.vendor = Trimmed(infos[i].vendor, sizeof infos[i].vendor);
        drive.product = Trimmed(infos[i].product, sizeof infos[i].product);
        drive.revision = Trimmed(infos[i].revision, sizeof infos[i].revision);
        int numProfiles = 0;
        int profiles[kMaxProfiles] = {};
        char current[kMaxProfiles] = {};
        if (burn_drive_get_all_profiles(infos[i].drive, &numProfiles, profiles, current) > 0) {
            numProfiles = std::min(numProfiles, kMaxProfiles);
            drive.profiles.assign(profiles, profiles + numProfiles);
        }
        if (!drive.address.empty()) found.push_back(std::move(drive));
    }
    if (infos != nullptr) burn_drive_info_free(infos);
    return found;
}

std::unique_ptr<GrabbedDrive> Libburn::Grab(const std::string& address, std::string* error) {
    if (!ok_) {
        if (error) *error = "libburn could not be initialised";
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    burn_drive_info* infos = nullptr;
    std::vector<char> writable(address.begin(), address.end());
    writable.push_back('\0');
    int rc = burn_drive_scan_and_grab(&infos, writable.data(), 1);
    if (rc <= 0 || infos == nullptr) {
        if (error) *error = "cannot open the drive " + address;
        if (infos != nullptr) burn_drive_info_free(infos);
        return nullptr;
    }
    return std::make_unique<GrabbedDrive>(infos, infos[0].drive);
}

std::string Libburn::TakeMessages(const char* minimumSeverity) {
    std::string text;
    if (!ok_) return text;
    int errorCode = 0;
    int osErrno = 0;
    char message[BURN_MSGS_MESSAGE_LEN] = {};
    char severity[80] = {};
    while (burn_msgs_obtain(const_cast<char*>(minimumSeverity), &errorCode, message, &osErrno,
                            severity) > 0) {
        if (!text.empty()) text += '\n';
        text += severity;
        text += ": ";
        text += message;
    }
    return text;
}

}  // namespace orvalis::recorders
