#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/UniqueFd.h"
#include "platform/fsimage/InputStream.h"

namespace orvalis::fsimage {

// A file on disk, read only. Opening checks that the file can be read and records its size;
// the file is opened again when its bytes are wanted and let go afterwards, so an image of
// many files keeps one descriptor open at a time. A file that is gone or whose size is not
// the recorded one makes the read fail rather than give different bytes.
class FileInputStream final : public InputStream {
public:
    static Result<std::shared_ptr<FileInputStream>> Open(const std::string& path);
    // For a file already examined (a folder walk): path, size and time as found.
    FileInputStream(std::string path, uint64_t size, int64_t modificationTime);

    const std::string& Path() const { return path_; }
    uint64_t Size() const override { return size_; }
    int64_t ModificationTime() const override { return mtime_; }
    Result<size_t> ReadAt(uint64_t offset, void* buffer, size_t count) override;
    void Release() override;
    void Prefetch() override;

private:
    ResultCode EnsureOpen();
    ResultCode CheckSize() const;

    std::string path_;
    uint64_t size_ = 0;
    int64_t mtime_ = 0;
    std::mutex mutex_;
    platform::UniqueFd fd_;
    uint64_t fetchedTo_ = 0;  // how far the OS was asked to read ahead
};

}  // namespace orvalis::fsimage
