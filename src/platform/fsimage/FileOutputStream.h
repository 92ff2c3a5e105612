#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/UniqueFd.h"
#include "platform/fsimage/OutputStream.h"

namespace orvalis::fsimage {

// Writes to a file descriptor. Runs of zero bytes written to a regular file become holes, so
// an image of sparse or empty space takes no room and no time; Commit and Close set the
// length the writes reached. A regular file is handed to the disk as it grows, so a large
// image neither fills the page cache nor waits for one long flush at the end.
class FileOutputStream final : public OutputStream {
public:
    // Creates the file, or empties it when it exists.
    static Result<std::unique_ptr<FileOutputStream>> Create(const std::string& path);
    // Writes to a descriptor that the caller owns (a pipe, a device, an open file).
    explicit FileOutputStream(int fd);
    ~FileOutputStream() override;

    ResultCode Write(const void* buffer, size_t count) override;
    ResultCode Commit() override;
    // Commits and closes a file made by Create; reports an error of the close.
    ResultCode Close();
    uint64_t BytesWritten() const { return written_; }

private:
    FileOutputStream(platform::UniqueFd owned);
    ResultCode WriteAll(const char* data, size_t count);

    platform::UniqueFd owned_;
    int fd_ = -1;
    bool regular_ = false;
    bool holePending_ = false;
    uint64_t written_ = 0;
    uint64_t flushStarted_ = 0;  // bytes whose write-back to disk has been started
};

}  // namespace orvalis::fsimage
