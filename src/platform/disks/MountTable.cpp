#include "platform/disks/MountTable.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <sstream>

#include "platform/FileSystem.h"

namespace orvalis::platform {

std::string DecodeMountField(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out.push_back(static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0')));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

MountTable MountTable::Parse(const std::string& text) {
    MountTable table;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> parts;
        std::string part;
        while (fields >> part) parts.push_back(part);
        // id parent major:minor root mount-point options [optional...] - type source options
        size_t dash = 0;
        for (size_t i = 6; i < parts.size(); ++i) {
            if (parts[i] == "-") {
                dash = i;
                break;
            }
        }
        if (dash == 0 || dash + 1 >= parts.size()) continue;
        MountEntry entry;
        const std::string& numbers = parts[2];
        size_t colon = numbers.find(':');
        if (colon == std::string::npos) continue;
        char* end = nullptr;
        unsigned long major = std::strtoul(numbers.c_str(), &end, 10);
        if (end != numbers.c_str() + colon) continue;
        unsigned long minor = std::strtoul(numbers.c_str() + colon + 1, &end, 10);
        if (*end != '\0') continue;
        entry.major = static_cast<unsigned>(major);
        entry.minor = static_cast<unsigned>(minor);
        entry.root = DecodeMountField(parts[3]);
        entry.mountPoint = DecodeMountField(parts[4]);
        entry.fsType = parts[dash + 1];
        if (dash + 2 < parts.size()) entry.source = DecodeMountField(parts[dash + 2]);
        table.entries_.push_back(std::move(entry));
    }
    return table;
}

MountTable MountTable::Read(const std::string& mountInfoPath) {
    std::optional<std::string> text = ReadWholeFile(mountInfoPath);
    return text ? Parse(*text) : MountTable{};
}

std::string ResolvedPath(const std::string& path) {
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer)) return buffer;
    return path;
}

std::string SourceBelowDevRoot(const std::string& source, const std::string& devRoot) {
    if (devRoot != "/dev" && source.rfind("/dev/", 0) == 0) return devRoot + source.substr(4);
    return source;
}

const MountEntry* MountTable::FindDevice(unsigned major, unsigned minor,
                                         const std::string& devicePath,
                                         const std::string& devRoot) const {
    const std::string wanted = ResolvedPath(devicePath);
    const MountEntry* found = nullptr;
    for (const MountEntry& entry : entries_) {
        bool same = (major || minor) && entry.major == major && entry.minor == minor;
        if (!same && !entry.source.empty() && entry.source[0] == '/') {
            same = ResolvedPath(SourceBelowDevRoot(entry.source, devRoot)) == wanted;
        }
        if (!same) continue;
        if (entry.root == "/") return &entry;
        if (!found) found = &entry;
    }
    return found;
}

namespace {
bool IsBelow(const std::string& path, const std::string& folder) {
    if (folder == "/") return !path.empty() && path[0] == '/';
    return path == folder || (path.rfind(folder, 0) == 0 && path.size() > folder.size() &&
                              path[folder.size()] == '/');
}
}  // namespace

const MountEntry* MountTable::FindPath(const std::string& path) const {
    const std::string resolved = ResolvedPath(path);
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : entries_) {
        if (!IsBelow(resolved, entry.mountPoint)) continue;
        // Later lines mount over earlier ones at the same point.
        if (!best || entry.mountPoint.size() >= best->mountPoint.size()) best = &entry;
    }
    return best;
}

std::string NearestExistingPath(const std::string& path) {
    std::string current = path;
    while (!current.empty()) {
        struct stat info {};
        if (::stat(current.c_str(), &info) == 0) return current;
        size_t slash = current.find_last_of('/');
        if (slash == std::string::npos) return PathExists(".") ? "." : std::string{};
        if (slash == 0) return "/";
        current.resize(slash);
    }
    return {};
}

}  // namespace orvalis::platform
