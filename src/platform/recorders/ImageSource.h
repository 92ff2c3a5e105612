#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Result.h"

namespace orvalis::recorders {

// The bytes that a data writer puts on the medium, read once from the start.
class ImageSource {
public:
    virtual ~ImageSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads up to count bytes: the number read (0 at the end) or a failure code.
    virtual Result<size_t> Read(void* buffer, size_t count) = 0;
};

}  // namespace orvalis::recorders
