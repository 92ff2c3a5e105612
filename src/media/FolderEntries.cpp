#include "media/FolderEntries.h"

#include <dirent.h>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace orvalis::media {

int ListFolderEntries(const std::string& folder, std::vector<std::string>& entries) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    std::string prefix = folder;
    if (prefix.empty() || prefix.back() != platform::kPathSeparator) prefix += platform::kPathSeparator;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        entries.push_back(prefix + e->d_name);
    }
    closedir(dir);
    return 1;
}

void DeleteFilesIn(const std::string& folder) {
    std::vector<std::string> entries;
    ListFolderEntries(folder, entries);
    for (const std::string& path : entries) {
        if (!platform::IsFolder(path)) platform::DeleteFile(path);
    }
}

}  // namespace orvalis::media
