#include "media/WorkFolder.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <sstream>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace orvalis::media {
namespace {

// Mount table fields escape blanks, tabs, newlines and backslashes as octal "\040".
std::string Unescape(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' && field[i + 2] >= '0' &&
            field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool IsNetworkFileSystem(const std::string& type) {
    static const char* const kTypes[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs",
                                         "9p", "ceph", "glusterfs"};
    return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

bool HasOption(const std::string& options, const std::string& option) {
    std::stringstream in(options);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item == option) return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> WritableMountRoots(std::string_view mountInfo) {
    std::vector<std::string> roots;
    size_t pos = 0;
    while (pos < mountInfo.size()) {
        size_t end = mountInfo.find('\n', pos);
        if (end == std::string_view::npos) end = mountInfo.size();
        std::string line(mountInfo.substr(pos, end - pos));
        pos = end + 1;

        std::istringstream in(line);
        std::vector<std::string> fields;
        std::string field;
        while (in >> field) fields.push_back(field);
        auto dash = std::find(fields.begin(), fields.end(), "-");
        // id, parent, major:minor, root, mount point, options, optional fields..., "-",
        // type, source, super options
        if (fields.size() < 6 || dash == fields.end() || fields.end() - dash < 3) continue;
        const std::string mountPoint = Unescape(fields[4]);
        const std::string& mountOptions = fields[5];
        const std::string& type = *(dash + 1);
        const std::string source = Unescape(*(dash + 2));
        const std::string& superOptions = dash + 3 < fields.end() ? *(dash + 3) : std::string();
        if (HasOption(mountOptions, "ro") || HasOption(superOptions, "ro")) continue;
        bool real = source.rfind("/dev/", 0) == 0 || IsNetworkFileSystem(type);
        if (!real) continue;
        if (std::find(roots.begin(), roots.end(), mountPoint) != roots.end()) continue;
        roots.push_back(mountPoint);
    }
    return roots;
}

std::optional<uint64_t> FreeBytesOf(const std::string& path) {
    struct statvfs st{};
    if (path.empty() || statvfs(path.c_str(), &st) != 0) return std::nullopt;
    return static_cast<uint64_t>(st.f_bfree) * static_cast<uint64_t>(st.f_frsize);
}

std::string ChooseWorkFolder(const std::string& appDataFolder, const std::string& appDataVolumePath,
                             const std::vector<std::string>& roots, const FreeBytesQuery& freeBytes) {
    if (!appDataFolder.empty()) {
        std::optional<uint64_t> free = freeBytes(appDataVolumePath);
        if (free && *free > kAppDataFreeThreshold) {
            return platform::JoinPath(appDataFolder, kWorkFolderName);
        }
    }
    std::string chosen;
    uint64_t best = 0;
    for (const std::string& root : roots) {
        std::optional<uint64_t> free = freeBytes(root);
        if (!free || *free <= best) continue;
        best = *free;
        chosen = platform::JoinPath(root, kWorkFolderName);
    }
    return chosen;
}

std::string WorkFolder() {
    static std::mutex lock;
    static std::map<std::string, std::string> chosen;  // application-data folder -> choice
    const std::string appData = platform::AppDataFolder();
    std::lock_guard<std::mutex> guard(lock);
    if (auto it = chosen.find(appData); it != chosen.end()) return it->second;

    // The volume of the user's data root; a root that does not exist yet lies on the volume
    // of its nearest existing parent.
    std::string volumePath = platform::UserDataRoot();
    while (!volumePath.empty() && !platform::PathExists(volumePath)) {
        volumePath = platform::FolderOf(volumePath.substr(0, volumePath.size() - 1));
        if (volumePath.size() > 1 && volumePath.back() == platform::kPathSeparator) volumePath.pop_back();
    }
    std::vector<std::string> roots;
    if (auto table = platform::ReadWholeFile("/proc/self/mountinfo")) {
        for (const std::string& root : WritableMountRoots(*table)) {
            // Only roots where this user may make the folder can hold it.
            if (platform::IsFolder(root) && access(root.c_str(), W_OK) == 0) roots.push_back(root);
        }
    }
    std::string folder = ChooseWorkFolder(appData, volumePath, roots, FreeBytesOf);
    if (!folder.empty()) platform::CreateFolderPath(folder);
    chosen.emplace(appData, folder);
    return folder;
}

}  // namespace orvalis::media
