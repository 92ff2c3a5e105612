#pragma once

#include <cstdint>
#include <memory>

namespace orvalis::media {

// What is kept between runs of the archive tool: the read buffer of the runs that copy or
// drop the tool's output, and whether the current image has been listed yet.
struct ArchiveToolState {
    static constexpr uint32_t kInitialCapacity = 0xA00000;  // 10 MiB

    explicit ArchiveToolState(uint32_t capacity = kInitialCapacity)
        : Capacity(capacity), Buffer(std::make_unique<char[]>(capacity)) {}

    // Makes room for `size` bytes; the buffer grows to the largest amount ever asked for
    // and stays that size.
    void EnsureCapacity(uint32_t size) {
        if (size <= Capacity) return;
        Buffer.reset();
        Buffer = std::make_unique<char[]>(size);
        Capacity = size;
    }

    uint32_t Capacity;
    int32_t Listed = 0;  // 1 once the current image is in the listing file
    std::unique_ptr<char[]> Buffer;
};

}  // namespace orvalis::media
