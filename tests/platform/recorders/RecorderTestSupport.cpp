#include "RecorderTestSupport.h"

#include <algorithm>
#include <cstring>

namespace orvalis::recorders::testing {

Result<size_t> MemoryImage::Read(void* buffer, size_t count) {
    size_t n = std::min(count, bytes_.size() - offset_);
    std::memcpy(buffer, bytes_.data() + offset_, n);
    offset_ += n;
    return n;
}

std::string PatternBytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i / 2048 * 7 + i) & 0xFF);
    return bytes;
}

std::string Entry(const std::string& backing, const std::string& product, const std::string& writes,
                  int loaded, unsigned long long sectors) {
    return backing + "|" + product + "|" + writes + "|" + std::to_string(loaded) + "|" +
           std::to_string(sectors);
}

}  // namespace orvalis::recorders::testing
