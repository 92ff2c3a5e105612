#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/Result.h"
#include "platform/fsimage/FsiTypes.h"
#include "platform/fsimage/InputStream.h"

namespace orvalis::fsimage {

class FileSystemImage;

// One file of the image: where its bytes come from, and its size and time when it was added.
struct FileItem {
    std::shared_ptr<InputStream> stream;
    uint64_t size = 0;
    int64_t modificationTime = 0;
};

// What a subtree costs the image, for the size limit.
struct ItemCounts {
    uint64_t files = 0;
    uint64_t directories = 0;
    uint64_t dataBlocks = 0;
    uint64_t nameBytes = 0;

    ItemCounts& operator+=(const ItemCounts& other);
    ItemCounts& operator-=(const ItemCounts& other);
};

// A folder of the image. Names are the names the user gave, unique within a folder; the
// names each file system records are made from them when the result image is created.
class DirectoryItem {
public:
    DirectoryItem(std::string name, int64_t modificationTime, FileSystemImage* image);
    DirectoryItem(const DirectoryItem&) = delete;
    DirectoryItem& operator=(const DirectoryItem&) = delete;

    const std::string& Name() const { return name_; }
    int64_t ModificationTime() const { return mtime_; }
    void SetModificationTime(int64_t seconds) { mtime_ = seconds; }

    // Adds a file under the given name. Fails with kPointerInvalid without a stream,
    // kFsiInvalidPath for a name that cannot be one, kFsiDupName when the folder already holds
    // the name, kFsiImageSizeLimit when the image would outgrow the free media blocks.
    ResultCode AddFile(const std::string& name, std::shared_ptr<InputStream> stream);
    // Adds an empty folder.
    ResultCode AddDirectory(const std::string& name);
    // Adds what a folder on disk holds, all the way down, with the folder itself or not. What
    // is already in the image under the same names gives way to what is on disk. On failure
    // the image stays as it was.
    ResultCode AddTree(const std::string& sourceFolder, BaseFolder base);

    DirectoryItem* FindDirectory(const std::string& name);
    const std::map<std::string, std::unique_ptr<DirectoryItem>>& Directories() const { return dirs_; }
    const std::map<std::string, FileItem>& Files() const { return files_; }
    ItemCounts Count() const;

private:
    ResultCode CheckNewName(const std::string& name) const;
    // Moves the contents of other into this folder, replacing clashing items.
    void Merge(DirectoryItem& other);
    ResultCode Grow(const ItemCounts& added, const ItemCounts& removed);

    std::string name_;
    int64_t mtime_ = 0;
    FileSystemImage* image_ = nullptr;
    std::map<std::string, std::unique_ptr<DirectoryItem>> dirs_;
    std::map<std::string, FileItem> files_;
};

}  // namespace orvalis::fsimage
