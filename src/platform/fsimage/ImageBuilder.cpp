#include "platform/fsimage/ImageBuilder.h"

#include <algorithm>
#include <deque>

#include "platform/fsimage/BuildNode.h"
#include "platform/fsimage/DirectoryItem.h"
#include "platform/fsimage/FsiResults.h"
#include "platform/fsimage/ImageLayout.h"
#include "platform/fsimage/ImageNames.h"
#include "platform/fsimage/IsoWriter.h"
#include "platform/fsimage/UdfWriter.h"

namespace orvalis::fsimage {

namespace {

constexpr uint32_t kFirstDescriptor = 16;
constexpr uint64_t kMaxPathTableDirs = 65535;
constexpr uint64_t kFirstUniqueId = 16;  // 1 to 15 are reserved; the root has 0

uint32_t Blocks(uint64_t bytes) { return uint32_t((bytes + kBlockSize - 1) / kBlockSize); }

bool EqualsNoCase(const std::string& a, const char* b) {
    std::string upper;
    for (char c : a) upper.push_back(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
    return upper == b;
}

class Builder {
public:
    Builder(FsiFileSystems fs, const std::string& volumeName, int64_t now)
        : iso_(fs & kFsiFileSystemISO9660), joliet_(fs & kFsiFileSystemJoliet),
          udf_(fs & kFsiFileSystemUDF), volumeName_(volumeName), now_(now) {}

    Result<std::shared_ptr<ImageLayout>> Run(const DirectoryItem& root) {
        using R = Result<std::shared_ptr<ImageLayout>>;
        BuildNode top;
        top.directory = true;
        top.modificationTime = root.ModificationTime() ? root.ModificationTime() : now_;
        nodes_.push_back(std::move(top));
        Flatten(root, 0);
        if (ResultCode rc = Name(); rc != kOk) return R::Failure(rc, "no unique name");
        for (int v = 0; v < 2; ++v) {
            if (HasVolume(v) && DirOrder(v) > kMaxPathTableDirs) return R::Failure(kFsiTooManyDirs);
        }
        for (const BuildNode& n : nodes_) {
            if (!n.directory && (n.size + UdfWriter::kMaxExtent - 1) / UdfWriter::kMaxExtent >
                                    UdfWriter::kMaxExtentsPerEntry) {
                return R::Failure(kFsiDataTooBig, n.name + " is too large");
            }
        }
        Allocate();
        if (total_ > 0xFFFFFFFFull) return R::Failure(kFsiImageSizeLimit);
        return Emit();
    }

private:
    bool HasVolume(int v) const { return v == kIsoPrimary ? iso_ : joliet_; }

    void Flatten(const DirectoryItem& dir, int32_t self) {
        // Files and folders together, in the order of their names.
        auto f = dir.Files().begin();
        auto d = dir.Directories().begin();
        while (f != dir.Files().end() || d != dir.Directories().end()) {
            bool takeFile = d == dir.Directories().end() ||
                            (f != dir.Files().end() && f->first < d->first);
            BuildNode node;
            node.parent = self;
            int32_t index = int32_t(nodes_.size());
            if (takeFile) {
                node.name = f->first;
                node.stream = f->second.stream;
                node.size = f->second.size;
                node.modificationTime = f->second.modificationTime;
                nodes_.push_back(std::move(node));
                nodes_[size_t(self)].children.push_back(index);
                ++f;
            } else {
                node.name = d->first;
                node.directory = true;
                node.modificationTime = d->second->ModificationTime() ? d->second->ModificationTime() : now_;
                nodes_.push_back(std::move(node));
                nodes_[size_t(self)].children.push_back(index);
                Flatten(*d->second, index);
                ++d;
            }
        }
    }

    ResultCode Name() {
        for (size_t i = 0; i < nodes_.size(); ++i) {
            BuildNode& dir = nodes_[i];
            if (!dir.directory) continue;
            std::vector<ImageNames::Entry> entries;
            for (int32_t c : dir.children) entries.push_back({nodes_[size_t(c)].name, nodes_[size_t(c)].directory});
            if (iso_) {
                auto names = ImageNames::IsoNames(entries);
                if (!names.ok()) return names.code();
                for (size_t k = 0; k < dir.children.size(); ++k) {
                    BuildNode& child = nodes_[size_t(dir.children[k])];
                    child.isoId[kIsoPrimary] = (*names)[k] + (child.directory ? "" : ";1");
                }
                dir.isoOrder[kIsoPrimary] = dir.children;
                std::sort(dir.isoOrder[kIsoPrimary].begin(), dir.isoOrder[kIsoPrimary].end(), [&](int32_t a, int32_t b) {
                    return IsoWriter::IdentifierLess(nodes_[size_t(a)].isoId[kIsoPrimary], nodes_[size_t(b)].isoId[kIsoPrimary]);
                });
            }
            if (joliet_) {
                auto names = ImageNames::JolietNames(entries);
                if (!names.ok()) return names.code();
                for (size_t k = 0; k < dir.children.size(); ++k) {
                    BuildNode& child = nodes_[size_t(dir.children[k])];
                    child.isoId[kIsoJoliet] = IsoWriter::Ucs2((*names)[k] + (child.directory ? u"" : u";1"));
                }
                dir.isoOrder[kIsoJoliet] = dir.children;
                std::sort(dir.isoOrder[kIsoJoliet].begin(), dir.isoOrder[kIsoJoliet].end(), [&](int32_t a, int32_t b) {
                    return nodes_[size_t(a)].isoId[kIsoJoliet] < nodes_[size_t(b)].isoId[kIsoJoliet];
                });
            }
            if (udf_) {
                auto names = ImageNames::UdfNames(entries);
                if (!names.ok()) return names.code();
                for (size_t k = 0; k < dir.children.size(); ++k) {
                    nodes_[size_t(dir.children[k])].udfId = ImageNames::UdfCompressed((*names)[k]);
                }
            }
        }
        return kOk;
    }

    // Folders level by level, each level in the order of its parents and then of the
    // volume's sorting, as the path table lists them.
    size_t DirOrder(int v) {
        std::vector<int32_t>& order = dirOrder_[v];
        order.clear();
        std::deque<int32_t> queue{0};
        while (!queue.empty()) {
            int32_t d = queue.front();
            queue.pop_front();
            nodes_[size_t(d)].isoDirNumber[v] = uint16_t(order.size() + 1);
            order.push_back(d);
            for (int32_t c : nodes_[size_t(d)].isoOrder[v]) {
                if (nodes_[size_t(c)].directory) queue.push_back(c);
            }
        }
        return order.size();
    }

    uint32_t UdfDirSize(const BuildNode& dir) const {
        size_t size = UdfWriter::IdentifierSize(0);
        for (int32_t c : dir.children) size += UdfWriter::IdentifierSize(nodes_[size_t(c)].udfId.size());
        return uint32_t(size);
    }

    void Allocate() {
        uint64_t next = kFirstDescriptor;
        if (iso_) pvdBlock_ = uint32_t(next++);
        if (joliet_) svdBlock_ = uint32_t(next++);
        if (iso_) terminatorBlock_ = uint32_t(next++);
        if (udf_) {
            vrsBlock_ = uint32_t(next);
            next = UdfWriter::kAnchorBlock + 1;
        }
        for (int v = 0; v < 2; ++v) {
            if (!HasVolume(v)) continue;
            pathTableSize_[v] = uint32_t(IsoWriter::PathTable(nodes_, dirOrder_[v], v, false).size());
            lPath_[v] = uint32_t(next);
            next += Blocks(pathTableSize_[v]);
            mPath_[v] = uint32_t(next);
            next += Blocks(pathTableSize_[v]);
        }
        for (int v = 0; v < 2; ++v) {
            if (!HasVolume(v)) continue;
            for (int32_t d : dirOrder_[v]) {
                BuildNode& dir = nodes_[size_t(d)];
                dir.isoDirSize[v] = uint32_t(IsoWriter::Directory(nodes_, d, v).size());
                dir.isoDirBlock[v] = uint32_t(next);
                next += Blocks(dir.isoDirSize[v]);
            }
        }
        if (udf_) {
            partitionStart_ = uint32_t(next);
            next += 2;  // file set descriptor and its terminator
            entryStart_ = uint32_t(next);
            for (size_t i = 0; i < nodes_.size(); ++i) nodes_[i].udfEntryBlock = uint32_t(next + i - partitionStart_);
            next += nodes_.size();
            for (BuildNode& n : nodes_) {
                if (!n.directory) continue;
                n.udfDirSize = UdfDirSize(n);
                n.udfDirBlock = uint32_t(next - partitionStart_);
                next += Blocks(n.udfDirSize);
            }
        }
        // File data: the DVD-Video files first, together and by name, then the rest in
        // tree order.
        std::vector<int32_t> order;
        for (int32_t c : nodes_[0].children) {
            if (nodes_[size_t(c)].directory && EqualsNoCase(nodes_[size_t(c)].name, "VIDEO_TS")) {
                for (int32_t f : nodes_[size_t(c)].children) {
                    if (!nodes_[size_t(f)].directory) order.push_back(f);
                }
            }
        }
        std::vector<bool> placed(nodes_.size(), false);
        for (int32_t f : order) placed[size_t(f)] = true;
        for (size_t i = 0; i < nodes_.size(); ++i) {
            if (!nodes_[i].directory && !placed[i]) order.push_back(int32_t(i));
        }
        for (int32_t f : order) {
            BuildNode& n = nodes_[size_t(f)];
            // An empty file has no data; its record points at the start of the volume, which
            // is always inside it.
            n.dataBlock = n.size == 0 ? 0 : uint32_t(next);
            next += Blocks(n.size);
        }
        if (udf_) {
            partitionLength_ = uint32_t(next - partitionStart_);
            lastAnchor_ = uint32_t(next);
            next += 1;
        }
        total_ = next;
    }

    Result<std::shared_ptr<ImageLayout>> Emit() {
        auto layout = std::make_shared<ImageLayout>();
        const uint32_t total = uint32_t(total_);
        for (int v = 0; v < 2; ++v) {
            if (!HasVolume(v)) continue;
            IsoWriter::VolumeInfo info;
            if (v == kIsoPrimary) {
                info.volumeId = ImageNames::IsoVolumeId(volumeName_);
            } else {
                std::u16string name = ImageNames::ToUtf16(ImageNames::DecodeUtf8(volumeName_));
                if (name.size() > 16) name.resize(16);
                info.volumeId = IsoWriter::Ucs2(name);
            }
            info.totalBlocks = total;
            info.pathTableSize = pathTableSize_[v];
            info.lPathTable = lPath_[v];
            info.mPathTable = mPath_[v];
            info.creationTime = now_;
            layout->AddMetadata(v == kIsoPrimary ? pvdBlock_ : svdBlock_, IsoWriter::VolumeDescriptor(nodes_, v, info));
            layout->AddMetadata(lPath_[v], IsoWriter::PathTable(nodes_, dirOrder_[v], v, false));
            layout->AddMetadata(mPath_[v], IsoWriter::PathTable(nodes_, dirOrder_[v], v, true));
            for (int32_t d : dirOrder_[v]) {
                layout->AddMetadata(nodes_[size_t(d)].isoDirBlock[v], IsoWriter::Directory(nodes_, d, v));
            }
        }
        if (iso_) layout->AddMetadata(terminatorBlock_, IsoWriter::Terminator());
        if (udf_) EmitUdf(*layout);
        for (const BuildNode& n : nodes_) {
            if (!n.directory) layout->AddFile({n.stream, n.size, n.dataBlock});
        }
        layout->Finish(total);
        return layout;
    }

    void EmitUdf(ImageLayout& layout) {
        UdfWriter::VolumeInfo info;
        info.volumeId = ImageNames::UdfCompressed(ImageNames::ToUtf16(ImageNames::DecodeUtf8(volumeName_)));
        info.recordingTime = now_;
        info.partitionStart = partitionStart_;
        info.partitionLength = partitionLength_;
        info.rootEntryBlock = nodes_[0].udfEntryBlock;
        std::vector<UdfEntry> entries;
        for (size_t i = 0; i < nodes_.size(); ++i) {
            const BuildNode& n = nodes_[i];
            UdfEntry e;
            e.directory = n.directory;
            e.modificationTime = n.modificationTime;
            e.uniqueId = i == 0 ? 0 : kFirstUniqueId + i - 1;
            if (n.directory) {
                ++info.directories;
                e.informationLength = n.udfDirSize;
                e.firstBlock = n.udfDirBlock;
                uint16_t links = 1;
                for (int32_t c : n.children) links = uint16_t(links + (nodes_[size_t(c)].directory ? 1 : 0));
                e.linkCount = links;
                std::vector<uint8_t> fids;
                fids.reserve(n.udfDirSize);
                UdfWriter::AppendIdentifier(fids, n.udfDirBlock, true, true, {}, nodes_[size_t(n.parent)].udfEntryBlock);
                for (int32_t c : n.children) {
                    const BuildNode& child = nodes_[size_t(c)];
                    UdfWriter::AppendIdentifier(fids, n.udfDirBlock, child.directory, false, child.udfId, child.udfEntryBlock);
                }
                layout.AddMetadata(partitionStart_ + n.udfDirBlock, std::move(fids));
            } else {
                ++info.files;
                e.informationLength = n.size;
                e.firstBlock = n.dataBlock - partitionStart_;
            }
            entries.push_back(e);
        }
        info.nextUniqueId = kFirstUniqueId + nodes_.size();
        layout.AddMetadata(vrsBlock_, UdfWriter::VolumeRecognition());
        layout.AddMetadata(UdfWriter::kMainSequence, UdfWriter::DescriptorSequence(info, UdfWriter::kMainSequence));
        layout.AddMetadata(UdfWriter::kReserveSequence, UdfWriter::DescriptorSequence(info, UdfWriter::kReserveSequence));
        layout.AddMetadata(UdfWriter::kIntegrityBlock, UdfWriter::Integrity(info));
        layout.AddMetadata(UdfWriter::kAnchorBlock, UdfWriter::Anchor(UdfWriter::kAnchorBlock));
        layout.AddMetadata(partitionStart_, UdfWriter::FileSet(info));
        layout.AddMetadata(lastAnchor_, UdfWriter::Anchor(lastAnchor_));
        layout.SetUdfEntries(entryStart_, partitionStart_, now_, std::move(entries));
    }

    bool iso_, joliet_, udf_;
    std::string volumeName_;
    int64_t now_;
    std::vector<BuildNode> nodes_;
    std::vector<int32_t> dirOrder_[2];
    uint32_t pathTableSize_[2] = {0, 0}, lPath_[2] = {0, 0}, mPath_[2] = {0, 0};
    uint32_t pvdBlock_ = 0, svdBlock_ = 0, terminatorBlock_ = 0, vrsBlock_ = 0;
    uint32_t partitionStart_ = 0, partitionLength_ = 0, entryStart_ = 0, lastAnchor_ = 0;
    uint64_t total_ = 0;
};

}  // namespace

Result<std::shared_ptr<ImageLayout>> ImageBuilder::Build(const DirectoryItem& root, FsiFileSystems fileSystems,
                                                         const std::string& volumeName, int64_t now) {
    return Builder(fileSystems, volumeName, now).Run(root);
}

}  // namespace orvalis::fsimage
