#include "platform/fsimage/FileInputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/fsimage/FsiResults.h"

namespace orvalis::fsimage {

namespace {
// How far ahead of the reading position the OS is asked to fetch a file.
constexpr uint64_t kReadAhead = 8u << 20;
}  // namespace

Result<std::shared_ptr<FileInputStream>> FileInputStream::Open(const std::string& path) {
    using R = Result<std::shared_ptr<FileInputStream>>;
    platform::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) return R::Failure(HResultFromErrno(errno), "cannot open " + path);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return R::Failure(HResultFromErrno(errno), "cannot examine " + path);
    if (!S_ISREG(st.st_mode)) return R::Failure(HResultFromErrno(EISDIR), path + " is not a file");
    return std::make_shared<FileInputStream>(path, static_cast<uint64_t>(st.st_size),
                                             static_cast<int64_t>(st.st_mtime));
}

FileInputStream::FileInputStream(std::string path, uint64_t size, int64_t modificationTime)
    : path_(std::move(path)), size_(size), mtime_(modificationTime) {}

ResultCode FileInputStream::CheckSize() const {
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0) return kFsiDataStreamReadFailure;
    return static_cast<uint64_t>(st.st_size) == size_ ? kOk : kFsiDataStreamInconsistency;
}

ResultCode FileInputStream::EnsureOpen() {
    if (fd_) return kOk;
    fd_.Reset(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd_) return kFsiDataStreamReadFailure;
    if (ResultCode rc = CheckSize(); rc != kOk) {
        fd_.Reset();
        return rc;
    }
    ::posix_fadvise(fd_.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    fetchedTo_ = 0;
    return kOk;
}

Result<size_t> FileInputStream::ReadAt(uint64_t offset, void* buffer, size_t count) {
    std::lock_guard lock(mutex_);
    if (offset >= size_ || count == 0) return size_t{0};
    if (ResultCode rc = EnsureOpen(); rc != kOk) {
        return Result<size_t>::Failure(rc, "cannot read " + path_);
    }
    if (count > size_ - offset) count = static_cast<size_t>(size_ - offset);
    // Keep a deep queue of reads in flight, so the disk works while the image is written.
    if (fetchedTo_ < size_ && offset + count + kReadAhead / 2 > fetchedTo_) {
        uint64_t from = std::max(fetchedTo_, offset);
        ::posix_fadvise(fd_.get(), static_cast<off_t>(from), static_cast<off_t>(kReadAhead), POSIX_FADV_WILLNEED);
        fetchedTo_ = from + kReadAhead;
    }
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(fd_.get(), static_cast<char*>(buffer) + done, count - done,
                            static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Result<size_t>::Failure(kFsiDataStreamReadFailure, "cannot read " + path_);
        if (n == 0) {
            return Result<size_t>::Failure(kFsiDataStreamInconsistency, path_ + " became shorter");
        }
        done += static_cast<size_t>(n);
    }
    // Having reached the end, make sure the file did not grow or shrink while it was read.
    if (offset + done == size_ && CheckSize() != kOk) {
        return Result<size_t>::Failure(kFsiDataStreamInconsistency, path_ + " changed size");
    }
    return done;
}

void FileInputStream::Prefetch() {
    platform::UniqueFd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd) ::posix_fadvise(fd.get(), 0, static_cast<off_t>(std::min(size_, kReadAhead)), POSIX_FADV_WILLNEED);
}

void FileInputStream::Release() {
    std::lock_guard lock(mutex_);
    fd_.Reset();
}

}  // namespace orvalis::fsimage
