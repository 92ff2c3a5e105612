#include "platform/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace orvalis::platform {

std::string ProgramFolder() {
    static const std::string folder = [] {
        char buffer[PATH_MAX + 1];
        ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
        if (n <= 0) return std::string("./");
        std::string path(buffer, static_cast<size_t>(n));
        return FolderOf(path);
    }();
    return folder;
}

std::string UserDataRoot() {
    // XDG: an absolute XDG_DATA_HOME wins; a relative one is invalid and ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') return xdg;
    std::string home;
    if (const char* h = std::getenv("HOME"); h && h[0] == '/') {
        home = h;
    } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    }
    if (home.empty()) return {};
    return JoinPath(home, ".local/share");
}

std::string AppDataFolder() {
    std::string root = UserDataRoot();
    if (root.empty()) return {};
    return JoinPath(root, "Orvalis");
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    std::string result = folder;
    while (result.size() > 1 && result.back() == kPathSeparator) result.pop_back();
    size_t start = 0;
    while (start < name.size() && name[start] == kPathSeparator) ++start;
    if (result != "/") result += kPathSeparator;
    result.append(name, start);
    return result;
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.rfind(kPathSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind(kPathSeparator);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace orvalis::platform
