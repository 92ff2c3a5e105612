#include "platform/recorders/MountPoints.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <sstream>

#include "platform/FileSystem.h"

namespace orvalis::recorders {
namespace {

// Mount points escape space, tab, newline and backslash as \ooo.
std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            bool octal = digits.size() == 3 &&
                         digits.find_first_not_of("01234567") == std::string::npos;
            if (octal) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

}  // namespace

std::vector<std::string> MountPointsOf(unsigned int major, unsigned int minor,
                                       const std::string& mountinfo) {
    std::vector<std::string> points;
    const std::string wanted = std::to_string(major) + ":" + std::to_string(minor);
    std::istringstream lines(mountinfo);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint)) continue;
        if (device == wanted) points.push_back(Unescape(mountPoint));
    }
    return points;
}

std::vector<std::string> VolumePathsOfDevice(const std::string& devicePath) {
    std::vector<std::string> paths{devicePath};
    struct stat st {};
    if (::stat(devicePath.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) return paths;
    auto mountinfo = platform::ReadWholeFile("/proc/self/mountinfo");
    if (!mountinfo) return paths;
    for (std::string& point : MountPointsOf(major(st.st_rdev), minor(st.st_rdev), *mountinfo))
        paths.push_back(std::move(point));
    return paths;
}

}  // namespace orvalis::recorders
