#include "platform/disks/DiskRoots.h"

#include <cstdlib>

namespace orvalis::platform {

namespace {
void Override(std::string& value, const char* variable) {
    const char* text = std::getenv(variable);
    if (text && *text) value = text;
}
}  // namespace

DiskRoots DiskRoots::FromEnvironment() {
    DiskRoots roots;
    Override(roots.sysfs, "ORVALIS_SYSFS_ROOT");
    Override(roots.dev, "ORVALIS_DEV_ROOT");
    Override(roots.mountInfo, "ORVALIS_MOUNTINFO");
    return roots;
}

}  // namespace orvalis::platform
