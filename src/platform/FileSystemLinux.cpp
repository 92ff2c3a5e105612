#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Paths.h"
#include "platform/UniqueFd.h"

namespace orvalis::platform {

bool PathExists(const std::string& path) {
    struct stat st{};
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat st{};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRegularFile(const std::string& path) {
    struct stat st{};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool CreateFolderPath(const std::string& path) {
    if (path.empty()) return false;
    // Each prefix that ends before a separator (after the first character), and finally the
    // whole path, must be a folder; the missing ones are made in turn.
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != kPathSeparator) continue;
        std::string prefix = path.substr(0, i);
        if (IsFolder(prefix)) continue;
        if (mkdir(prefix.c_str(), 0755) != 0 && !(errno == EEXIST && IsFolder(prefix))) {
            return false;
        }
    }
    return IsFolder(path);
}

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    return ReadFolder(folder).value_or(std::vector<FolderEntry>{});
}

std::optional<std::vector<FolderEntry>> ReadFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return std::nullopt;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        FolderEntry entry;
        entry.name = e->d_name;
        if (e->d_type == DT_DIR) {
            entry.isFolder = true;
        } else if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            entry.isFolder = IsFolder(JoinPath(folder, entry.name));
        }
        entries.push_back(std::move(entry));
    }
    closedir(dir);
    return entries;
}

std::optional<uint64_t> FileSize(const std::string& path) {
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

std::optional<LocalTime> LastWriteTime(const std::string& path) {
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return ToLocalTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

static int WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

int CopyFileReplacing(const std::string& from, const std::string& to) {
    UniqueFd in(open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in) return errno;
    struct stat st{};
    if (fstat(in.get(), &st) != 0) return errno;
    // Copying a file onto itself (the same path, or another name of it) would empty it
    // before it is read.
    struct stat target{};
    if (stat(to.c_str(), &target) == 0 && target.st_dev == st.st_dev && target.st_ino == st.st_ino) {
        return EINVAL;
    }
    UniqueFd out(open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 07777));
    if (!out) return errno;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = read(in.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) break;
        if (int err = WriteAll(out.get(), buffer, static_cast<size_t>(n))) return err;
    }
    return out.Close();
}

bool DeleteFile(const std::string& path) {
    if (IsFolder(path)) return false;
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) return std::nullopt;
    struct stat st{};
    if (fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
    std::string bytes;
    if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

int WriteWholeFile(const std::string& path, const std::string& bytes) {
    struct stat st{};
    mode_t mode = 0644;
    if (stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return EISDIR;
        if (access(path.c_str(), W_OK) != 0) return errno;
        mode = st.st_mode & 07777;
    }
    std::string temp = path + ".orvalis-new";
    UniqueFd fd(open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
    if (!fd) return errno;
    int err = WriteAll(fd.get(), bytes.data(), bytes.size());
    if (!err && fsync(fd.get()) != 0) err = errno;
    if (int closeErr = fd.Close(); !err) err = closeErr;
    if (!err && rename(temp.c_str(), path.c_str()) != 0) err = errno;
    if (err) unlink(temp.c_str());
    return err;
}

}  // namespace orvalis::platform
