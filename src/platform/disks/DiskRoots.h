#pragma once

#include <string>

namespace orvalis::platform {

// Where the disk layer looks for the kernel's view of the machine. Tests point these at a
// fake tree: a folder laid out like /sys (block/<disk>/...), a folder of device files (plain
// files serve) and a mountinfo file.
struct DiskRoots {
    std::string sysfs = "/sys";
    std::string dev = "/dev";
    std::string mountInfo = "/proc/self/mountinfo";

    // The defaults, each replaced by ORVALIS_SYSFS_ROOT, ORVALIS_DEV_ROOT or
    // ORVALIS_MOUNTINFO when that variable is set and not empty.
    static DiskRoots FromEnvironment();
};

}  // namespace orvalis::platform
