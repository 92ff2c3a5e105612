#include "platform/fsimage/TreeScanner.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <utility>
#include <vector>

#include "platform/UniqueFd.h"
#include "platform/fsimage/DirectoryItem.h"
#include "platform/fsimage/FileInputStream.h"
#include "platform/fsimage/FsiResults.h"

namespace orvalis::fsimage {

namespace {

using FileId = std::pair<dev_t, ino_t>;

class Walker {
public:
    ResultCode Walk(const std::string& path, const struct stat& self, DirectoryItem& into) {
        FileId id{self.st_dev, self.st_ino};
        if (!ancestors_.insert(id).second) return kOk;  // a loop: the folder is already above
        ResultCode rc = WalkFolder(path, into);
        ancestors_.erase(id);
        return rc;
    }

private:
    ResultCode WalkFolder(const std::string& path, DirectoryItem& into) {
        DIR* dir = ::opendir(path.c_str());
        if (!dir) return kFsiDirectoryReadFailure;
        std::vector<std::string> names;
        errno = 0;
        while (dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(std::move(name));
        }
        bool listed = errno == 0;
        ::closedir(dir);
        if (!listed) return kFsiDirectoryReadFailure;

        for (const std::string& name : names) {
            std::string child = path == "/" ? "/" + name : path + "/" + name;
            struct stat st {};
            if (::stat(child.c_str(), &st) != 0) return kFsiDataStreamCreateFailure;
            if (S_ISDIR(st.st_mode)) {
                ResultCode rc = into.AddDirectory(name);
                if (rc != kOk) return rc;
                DirectoryItem* sub = into.FindDirectory(name);
                sub->SetModificationTime(static_cast<int64_t>(st.st_mtime));
                if (ResultCode w = Walk(child, st, *sub); w != kOk) return w;
            } else if (S_ISREG(st.st_mode)) {
                platform::UniqueFd probe(::open(child.c_str(), O_RDONLY | O_CLOEXEC));
                if (!probe) return kFsiDataStreamCreateFailure;
                ResultCode rc = into.AddFile(
                    name, std::make_shared<FileInputStream>(child, static_cast<uint64_t>(st.st_size),
                                                            static_cast<int64_t>(st.st_mtime)));
                if (rc != kOk) return rc;
            }
            // Pipes, sockets and devices have no bytes to record.
        }
        return kOk;
    }

    std::set<FileId> ancestors_;
};

}  // namespace

ResultCode TreeScanner::Scan(const std::string& folder, DirectoryItem& into) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return kPathNotFound;
    if (!S_ISDIR(st.st_mode)) return kNotAFolder;
    return Walker().Walk(folder, st, into);
}

}  // namespace orvalis::fsimage
