#pragma once

#include <string>

#include "platform/Result.h"

namespace orvalis::fsimage {

class DirectoryItem;

// Reads a folder on disk into a detached DirectoryItem: every file (following links to
// files), every folder (a link that leads back up the tree is not followed again), nothing
// else. Names starting with a dot are files like any other here.
class TreeScanner {
public:
    // kPathNotFound or kNotAFolder for a bad folder, kFsiDirectoryReadFailure for a folder
    // that cannot be listed, kFsiDataStreamCreateFailure for a file that cannot be read.
    static ResultCode Scan(const std::string& folder, DirectoryItem& into);
};

}  // namespace orvalis::fsimage
