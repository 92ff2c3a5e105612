#pragma once

#include <cstddef>

#include "platform/Result.h"

namespace orvalis::fsimage {

// Where an image stream copies its bytes to.
class OutputStream {
public:
    virtual ~OutputStream() = default;
    // Writes all count bytes, or fails with a code.
    virtual ResultCode Write(const void* buffer, size_t count) = 0;
    // Makes what was written so far final.
    virtual ResultCode Commit() { return kOk; }
};

}  // namespace orvalis::fsimage
