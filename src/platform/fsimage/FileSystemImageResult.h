#pragma once

#include <cstdint>
#include <memory>

#include "platform/fsimage/DiscImageStream.h"

namespace orvalis::fsimage {

class ImageLayout;

// A finished image: its size and a stream of its bytes.
class FileSystemImageResult {
public:
    explicit FileSystemImageResult(std::shared_ptr<const ImageLayout> layout);

    // A new stream at the start of the image; each stream reads on its own.
    std::shared_ptr<DiscImageStream> ImageStream() const;
    uint32_t TotalBlocks() const;
    uint32_t BlockSize() const;

private:
    std::shared_ptr<const ImageLayout> layout_;
};

}  // namespace orvalis::fsimage
