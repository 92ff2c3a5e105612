#include "platform/fsimage/FileOutputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/fsimage/FsiResults.h"

namespace orvalis::fsimage {

namespace {

constexpr size_t kHoleGranule = 4096;
constexpr uint64_t kFlushStep = 8u << 20;

bool AllZero(const char* data, size_t count) {
    if (count == 0 || data[0] != 0) return false;
    return std::memcmp(data, data + 1, count - 1) == 0;
}

}  // namespace

Result<std::unique_ptr<FileOutputStream>> FileOutputStream::Create(const std::string& path) {
    platform::UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd) {
        return Result<std::unique_ptr<FileOutputStream>>::Failure(HResultFromErrno(errno),
                                                                   "cannot create " + path);
    }
    return std::unique_ptr<FileOutputStream>(new FileOutputStream(std::move(fd)));
}

FileOutputStream::FileOutputStream(platform::UniqueFd owned) : FileOutputStream(owned.get()) {
    owned_ = std::move(owned);
}

FileOutputStream::FileOutputStream(int fd) : fd_(fd) {
    struct stat st {};
    regular_ = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
               ::lseek(fd, 0, SEEK_CUR) == static_cast<off_t>(0) && st.st_size == 0;
}

FileOutputStream::~FileOutputStream() { Commit(); }

ResultCode FileOutputStream::WriteAll(const char* data, size_t count) {
    while (count > 0) {
        ssize_t n = ::write(fd_, data, count);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return HResultFromErrno(errno);
        data += n;
        count -= static_cast<size_t>(n);
        written_ += static_cast<uint64_t>(n);
    }
    return kOk;
}

ResultCode FileOutputStream::Write(const void* buffer, size_t count) {
    const char* data = static_cast<const char*>(buffer);
    // Only a fresh regular file written from its start gets holes: there every skipped byte
    // is known to read back as zero.
    if (regular_ && count >= kHoleGranule && written_ % kHoleGranule == 0 && AllZero(data, count)) {
        if (::lseek(fd_, static_cast<off_t>(count), SEEK_CUR) < 0) return HResultFromErrno(errno);
        written_ += count;
        holePending_ = true;
        return kOk;
    }
    holePending_ = false;
    ResultCode rc = WriteAll(data, count);
    if (rc == kOk && regular_ && written_ - flushStarted_ >= kFlushStep) {
        // Only starts the write-back; nothing here waits for the disk.
        ::sync_file_range(fd_, static_cast<off_t>(flushStarted_), static_cast<off_t>(written_ - flushStarted_),
                          SYNC_FILE_RANGE_WRITE);
        flushStarted_ = written_;
    }
    return rc;
}

ResultCode FileOutputStream::Commit() {
    if (holePending_) {
        if (::ftruncate(fd_, static_cast<off_t>(written_)) != 0) return HResultFromErrno(errno);
        holePending_ = false;
    }
    return kOk;
}

ResultCode FileOutputStream::Close() {
    ResultCode rc = Commit();
    if (owned_) {
        int closeError = owned_.Close();
        if (rc == kOk && closeError != 0) rc = HResultFromErrno(closeError);
    }
    return rc;
}

}  // namespace orvalis::fsimage
