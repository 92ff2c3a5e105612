#include "platform/fsimage/FileSystemImageResult.h"

#include "platform/fsimage/FsiTypes.h"
#include "platform/fsimage/ImageLayout.h"

namespace orvalis::fsimage {

FileSystemImageResult::FileSystemImageResult(std::shared_ptr<const ImageLayout> layout)
    : layout_(std::move(layout)) {}

std::shared_ptr<DiscImageStream> FileSystemImageResult::ImageStream() const {
    return std::make_shared<DiscImageStream>(layout_);
}

uint32_t FileSystemImageResult::TotalBlocks() const { return layout_->TotalBlocks(); }

uint32_t FileSystemImageResult::BlockSize() const { return kBlockSize; }

}  // namespace orvalis::fsimage
