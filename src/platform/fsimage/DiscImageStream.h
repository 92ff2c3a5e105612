#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Result.h"
#include "platform/fsimage/ImageLayout.h"

namespace orvalis::fsimage {

class OutputStream;

// The bytes of an image, made as they are read: metadata from memory, file data straight
// from the sources. Reading from the start to the end reads every source once.
class DiscImageStream {
public:
    explicit DiscImageStream(std::shared_ptr<const ImageLayout> layout);
    ~DiscImageStream();
    DiscImageStream(const DiscImageStream&) = delete;
    DiscImageStream& operator=(const DiscImageStream&) = delete;

    uint64_t Size() const;
    uint64_t Position() const { return position_; }
    // Positions past the end are allowed; reads there give nothing.
    void Seek(uint64_t position);

    // Reads up to count bytes (less only at the end): the number read, or the failure of a
    // source that cannot be read as it was added. The position moves only on success.
    Result<size_t> Read(void* buffer, size_t count);

    // Copies byteCount bytes (fewer at the end of the image) to the output. Returns 0 or the
    // first failure, of a source or of the output; bytesCopied tells how far it came.
    ResultCode CopyTo(OutputStream& output, uint64_t byteCount, uint64_t* bytesCopied = nullptr);
    // The same to a file descriptor that the caller owns.
    ResultCode CopyTo(int fd, uint64_t byteCount, uint64_t* bytesCopied = nullptr);

private:
    std::shared_ptr<const ImageLayout> layout_;
    ImageLayout::Cursor cursor_;
    uint64_t position_ = 0;
    std::vector<uint8_t> buffer_;
};

}  // namespace orvalis::fsimage
