#include "platform/fsimage/DirectoryItem.h"

#include <sys/stat.h>

#include <utility>

#include "platform/fsimage/FileSystemImage.h"
#include "platform/fsimage/FsiResults.h"
#include "platform/fsimage/TreeScanner.h"

namespace orvalis::fsimage {

namespace {

// The longest name a folder on this platform can hold, in bytes.
constexpr size_t kMaxNameBytes = 255;

uint64_t BlocksOf(uint64_t bytes) { return (bytes + kBlockSize - 1) / kBlockSize; }

ItemCounts FileCost(const std::string& name, const FileItem& file) {
    ItemCounts c;
    c.files = 1;
    c.dataBlocks = BlocksOf(file.size);
    c.nameBytes = name.size();
    return c;
}

ItemCounts DirCost(const std::string& name, const DirectoryItem& dir) {
    ItemCounts c = dir.Count();
    c.directories += 1;
    c.nameBytes += name.size();
    return c;
}

// What of `existing` the merge of `incoming` replaces, counted as the incoming side counts.
ItemCounts Replaced(const DirectoryItem& existing, const DirectoryItem& incoming) {
    ItemCounts removed;
    for (const auto& [name, file] : incoming.Files()) {
        if (auto f = existing.Files().find(name); f != existing.Files().end()) {
            removed += FileCost(name, f->second);
        } else if (auto d = existing.Directories().find(name); d != existing.Directories().end()) {
            removed += DirCost(name, *d->second);
        }
    }
    for (const auto& [name, dir] : incoming.Directories()) {
        if (auto f = existing.Files().find(name); f != existing.Files().end()) {
            removed += FileCost(name, f->second);
        } else if (auto d = existing.Directories().find(name); d != existing.Directories().end()) {
            ItemCounts same;
            same.directories = 1;
            same.nameBytes = name.size();
            removed += same;
            removed += Replaced(*d->second, *dir);
        }
    }
    return removed;
}

}  // namespace

ItemCounts& ItemCounts::operator+=(const ItemCounts& o) {
    files += o.files;
    directories += o.directories;
    dataBlocks += o.dataBlocks;
    nameBytes += o.nameBytes;
    return *this;
}

ItemCounts& ItemCounts::operator-=(const ItemCounts& o) {
    files -= o.files;
    directories -= o.directories;
    dataBlocks -= o.dataBlocks;
    nameBytes -= o.nameBytes;
    return *this;
}

DirectoryItem::DirectoryItem(std::string name, int64_t modificationTime, FileSystemImage* image)
    : name_(std::move(name)), mtime_(modificationTime), image_(image) {}

ItemCounts DirectoryItem::Count() const {
    ItemCounts c;
    for (const auto& [name, file] : files_) c += FileCost(name, file);
    for (const auto& [name, dir] : dirs_) c += DirCost(name, *dir);
    return c;
}

ResultCode DirectoryItem::CheckNewName(const std::string& name) const {
    if (name.empty() || name == "." || name == ".." || name.size() > kMaxNameBytes ||
        name.find('/') != std::string::npos || name.find('\0') != std::string::npos) {
        return kFsiInvalidPath;
    }
    if (files_.count(name) || dirs_.count(name)) return kFsiDupName;
    return kOk;
}

ResultCode DirectoryItem::Grow(const ItemCounts& added, const ItemCounts& removed) {
    if (!image_) return kOk;
    ItemCounts next = image_->counts_;
    next += added;
    next -= removed;
    if (!image_->Fits(next)) return kFsiImageSizeLimit;
    image_->counts_ = next;
    return kOk;
}

ResultCode DirectoryItem::AddFile(const std::string& name, std::shared_ptr<InputStream> stream) {
    if (!stream) return kPointerInvalid;
    if (ResultCode rc = CheckNewName(name); rc != kOk) return rc;
    FileItem file{stream, stream->Size(), stream->ModificationTime()};
    if (ResultCode rc = Grow(FileCost(name, file), {}); rc != kOk) return rc;
    files_.emplace(name, std::move(file));
    return kOk;
}

ResultCode DirectoryItem::AddDirectory(const std::string& name) {
    if (ResultCode rc = CheckNewName(name); rc != kOk) return rc;
    auto dir = std::make_unique<DirectoryItem>(name, mtime_, image_);
    if (ResultCode rc = Grow(DirCost(name, *dir), {}); rc != kOk) return rc;
    dirs_.emplace(name, std::move(dir));
    return kOk;
}

DirectoryItem* DirectoryItem::FindDirectory(const std::string& name) {
    auto it = dirs_.find(name);
    return it == dirs_.end() ? nullptr : it->second.get();
}

ResultCode DirectoryItem::AddTree(const std::string& sourceFolder, BaseFolder base) {
    std::string folder = sourceFolder;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return kPathNotFound;

    // The walk fills a detached tree, so a failure half way leaves the image untouched.
    DirectoryItem holder("", 0, nullptr);
    DirectoryItem* target = &holder;
    std::string baseName = folder.substr(folder.find_last_of('/') + 1);
    if (base == BaseFolder::Included && !baseName.empty()) {
        if (ResultCode rc = holder.AddDirectory(baseName); rc != kOk) return rc;
        target = holder.FindDirectory(baseName);
        target->mtime_ = static_cast<int64_t>(st.st_mtime);
    }
    if (ResultCode rc = TreeScanner::Scan(folder, *target); rc != kOk) return rc;

    if (ResultCode rc = Grow(holder.Count(), Replaced(*this, holder)); rc != kOk) return rc;
    Merge(holder);
    return kOk;
}

void DirectoryItem::Merge(DirectoryItem& other) {
    for (auto& [name, file] : other.files_) {
        dirs_.erase(name);
        files_[name] = std::move(file);
    }
    for (auto& [name, dir] : other.dirs_) {
        files_.erase(name);
        auto it = dirs_.find(name);
        if (it == dirs_.end()) {
            dir->image_ = image_;
            // Folders further down still point at no image; give them this one.
            struct Adopt {
                static void Run(DirectoryItem& d, FileSystemImage* image) {
                    d.image_ = image;
                    for (auto& [n, sub] : d.dirs_) Run(*sub, image);
                }
            };
            Adopt::Run(*dir, image_);
            dirs_.emplace(name, std::move(dir));
        } else {
            it->second->mtime_ = dir->mtime_;
            it->second->Merge(*dir);
        }
    }
    other.files_.clear();
    other.dirs_.clear();
}

}  // namespace orvalis::fsimage
