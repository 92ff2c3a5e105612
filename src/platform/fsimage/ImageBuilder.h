#pragma once

#include <memory>
#include <string>

#include "platform/Result.h"
#include "platform/fsimage/FsiTypes.h"

namespace orvalis::fsimage {

class DirectoryItem;
class ImageLayout;

// Lays out an image of a tree: gives every item its names and blocks and writes the
// metadata of each file system asked for. The file data stays in the sources.
class ImageBuilder {
public:
    static Result<std::shared_ptr<ImageLayout>> Build(const DirectoryItem& root, FsiFileSystems fileSystems,
                                                      const std::string& volumeName, int64_t now);
};

}  // namespace orvalis::fsimage
