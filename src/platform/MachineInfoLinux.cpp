#include "platform/MachineInfo.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace orvalis::platform {

std::string ComputerName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

std::string UserName() {
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return pw->pw_name;
    if (const char* user = std::getenv("USER")) return user;
    return {};
}

}  // namespace orvalis::platform
