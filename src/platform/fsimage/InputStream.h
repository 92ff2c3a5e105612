#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Result.h"

namespace orvalis::fsimage {

// A readable source of one file's bytes. The image reads it while it is streamed, so the
// source must stay readable until then. Calls may come from more than one image stream.
class InputStream {
public:
    virtual ~InputStream() = default;
    // The size in bytes, as known when the stream was made.
    virtual uint64_t Size() const = 0;
    // Last modification, in seconds since 1970 (UTC).
    virtual int64_t ModificationTime() const = 0;
    // Reads up to count bytes at offset: the number read (0 at the end) or a failure code.
    virtual Result<size_t> ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
    // Lets go of whatever the stream holds open until the next read.
    virtual void Release() {}
    // A hint that the first bytes will be wanted soon, so they can be fetched meanwhile.
    virtual void Prefetch() {}
};

}  // namespace orvalis::fsimage
