#pragma once

#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/recorders/ImageSource.h"

namespace orvalis::recorders::testing {

// An image held in memory.
class MemoryImage : public ImageSource {
public:
    explicit MemoryImage(std::string bytes) : bytes_(std::move(bytes)) {}
    uint64_t Size() const override { return bytes_.size(); }
    Result<size_t> Read(void* buffer, size_t count) override;
    size_t BytesRead() const { return offset_; }

private:
    std::string bytes_;
    size_t offset_ = 0;
};

// Bytes that differ from sector to sector, so a misplaced sector shows.
std::string PatternBytes(size_t size);

// One emulated recorder entry for ORVALIS_RECORDERS.
std::string Entry(const std::string& backing, const std::string& product, const std::string& writes,
                  int loaded, unsigned long long sectors);

}  // namespace orvalis::recorders::testing
