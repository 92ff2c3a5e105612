#include "platform/fsimage/DiscImageStream.h"

#include <algorithm>

#include "platform/fsimage/FileOutputStream.h"

namespace orvalis::fsimage {

namespace {
// Large enough that a copy costs few system calls, small enough to stay in the caches.
constexpr size_t kCopyBuffer = 1 << 20;
}  // namespace

DiscImageStream::DiscImageStream(std::shared_ptr<const ImageLayout> layout) : layout_(std::move(layout)) {}

DiscImageStream::~DiscImageStream() { layout_->Release(cursor_); }

uint64_t DiscImageStream::Size() const { return layout_->Size(); }

void DiscImageStream::Seek(uint64_t position) { position_ = position; }

Result<size_t> DiscImageStream::Read(void* buffer, size_t count) {
    Result<size_t> got = layout_->ReadAt(position_, static_cast<uint8_t*>(buffer), count, cursor_);
    if (got.ok()) position_ += *got;
    return got;
}

ResultCode DiscImageStream::CopyTo(OutputStream& output, uint64_t byteCount, uint64_t* bytesCopied) {
    uint64_t copied = 0;
    ResultCode rc = kOk;
    while (copied < byteCount) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(byteCount - copied, kCopyBuffer));
        if (buffer_.size() < want) buffer_.resize(std::min<uint64_t>(std::max<uint64_t>(want, 65536), kCopyBuffer));
        Result<size_t> got = Read(buffer_.data(), want);
        if (!got.ok()) {
            rc = got.code();
            break;
        }
        if (*got == 0) break;
        if ((rc = output.Write(buffer_.data(), *got)) != kOk) break;
        copied += *got;
    }
    if (bytesCopied) *bytesCopied = copied;
    return rc;
}

ResultCode DiscImageStream::CopyTo(int fd, uint64_t byteCount, uint64_t* bytesCopied) {
    FileOutputStream output(fd);
    ResultCode rc = CopyTo(output, byteCount, bytesCopied);
    ResultCode committed = output.Commit();
    return rc != kOk ? rc : committed;
}

}  // namespace orvalis::fsimage
