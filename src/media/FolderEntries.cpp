#include "media/FolderEntries.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace orvalis::media {

std::string FolderPrefix(const std::string& folder) {
    std::string prefix = folder;
    if (prefix.empty() || prefix.back() != platform::kPathSeparator) prefix += platform::kPathSeparator;
    return prefix;
}

int ListFolderEntries(const std::string& folder, std::vector<std::string>& entries) {
    auto found = platform::ReadFolder(folder);
    if (!found) return 0;
    const std::string prefix = FolderPrefix(folder);
    for (const platform::FolderEntry& e : *found) entries.push_back(prefix + e.name);
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
