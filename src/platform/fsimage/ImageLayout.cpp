#include "platform/fsimage/ImageLayout.h"

#include <algorithm>
#include <cstring>

#include "platform/fsimage/FsiResults.h"
#include "platform/fsimage/FsiTypes.h"
#include "platform/fsimage/UdfWriter.h"

namespace orvalis::fsimage {

void ImageLayout::AddMetadata(uint32_t firstBlock, std::vector<uint8_t> bytes) {
    if (bytes.empty()) return;
    Region r;
    r.firstBlock = firstBlock;
    r.blocks = (bytes.size() + kBlockSize - 1) / kBlockSize;
    r.kind = Kind::Metadata;
    r.index = metadata_.size();
    r.length = bytes.size();
    metadata_.insert(metadata_.end(), bytes.begin(), bytes.end());
    regions_.push_back(r);
}

void ImageLayout::AddFile(FileData file) {
    if (file.size > 0) files_.push_back(std::move(file));
}

void ImageLayout::SetUdfEntries(uint32_t firstBlock, uint32_t partitionStart, int64_t recordingTime,
                                std::vector<UdfEntry> entries) {
    udfFirstBlock_ = firstBlock;
    udfPartitionStart_ = partitionStart;
    udfRecordingTime_ = recordingTime;
    udfEntries_ = std::move(entries);
    if (udfEntries_.empty()) return;
    Region r;
    r.firstBlock = firstBlock;
    r.blocks = udfEntries_.size();
    r.kind = Kind::UdfEntries;
    regions_.push_back(r);
}

void ImageLayout::Finish(uint32_t totalBlocks) {
    totalBlocks_ = totalBlocks;
    std::sort(files_.begin(), files_.end(),
              [](const FileData& a, const FileData& b) { return a.firstBlock < b.firstBlock; });
    for (size_t i = 0; i < files_.size(); ++i) {
        Region r;
        r.firstBlock = files_[i].firstBlock;
        r.blocks = (files_[i].size + kBlockSize - 1) / kBlockSize;
        r.kind = Kind::File;
        r.index = i;
        regions_.push_back(r);
    }
    std::sort(regions_.begin(), regions_.end(),
              [](const Region& a, const Region& b) { return a.firstBlock < b.firstBlock; });
    // Fill the gaps with zero regions so that every block belongs to exactly one region.
    std::vector<Region> all;
    uint64_t next = 0;
    for (const Region& r : regions_) {
        if (r.firstBlock > next) all.push_back(Region{next, r.firstBlock - next, Kind::Zero, 0, 0});
        all.push_back(r);
        next = r.firstBlock + r.blocks;
    }
    if (next < totalBlocks) all.push_back(Region{next, totalBlocks - next, Kind::Zero, 0, 0});
    regions_ = std::move(all);
    metadata_.shrink_to_fit();
}

Result<size_t> ImageLayout::ReadAt(uint64_t offset, uint8_t* buffer, size_t count,
                                   Cursor& cursor) const {
    const uint64_t size = Size();
    if (offset >= size) return size_t{0};
    if (count > size - offset) count = static_cast<size_t>(size - offset);
    size_t done = 0;
    auto it = std::upper_bound(regions_.begin(), regions_.end(), offset / kBlockSize,
                               [](uint64_t block, const Region& r) { return block < r.firstBlock; });
    --it;
    while (done < count) {
        const Region& r = *it;
        const uint64_t start = r.firstBlock * kBlockSize;
        const uint64_t end = (r.firstBlock + r.blocks) * kBlockSize;
        const uint64_t at = offset + done;
        const size_t n = static_cast<size_t>(std::min<uint64_t>(count - done, end - at));
        const uint64_t within = at - start;
        uint8_t* out = buffer + done;
        switch (r.kind) {
            case Kind::Zero:
                std::memset(out, 0, n);
                break;
            case Kind::Metadata: {
                size_t have = within < r.length ? static_cast<size_t>(std::min<uint64_t>(n, r.length - within)) : 0;
                std::memcpy(out, metadata_.data() + r.index + within, have);
                std::memset(out + have, 0, n - have);
                break;
            }
            case Kind::File: {
                const FileData& f = files_[r.index];
                size_t have = within < f.size ? static_cast<size_t>(std::min<uint64_t>(n, f.size - within)) : 0;
                if (have > 0) {
                    ResultCode rc = ReadFile(r.index, within, out, have, cursor);
                    if (rc != kOk) return Result<size_t>::Failure(rc, "a source of the image cannot be read");
                }
                std::memset(out + have, 0, n - have);
                break;
            }
            case Kind::UdfEntries:
                ReadUdfEntries(at - udfFirstBlock_ * uint64_t{kBlockSize}, out, n);
                break;
        }
        done += n;
        ++it;
    }
    return done;
}

ResultCode ImageLayout::ReadFile(size_t index, uint64_t offset, uint8_t* out, size_t count,
                                 Cursor& cursor) const {
    if (cursor.openFile != index) {
        Release(cursor);
        cursor.openFile = index;
        PrefetchAfter(index, cursor);
    }
    const FileData& f = files_[index];
    size_t done = 0;
    while (done < count) {
        Result<size_t> got = f.stream->ReadAt(offset + done, out + done, count - done);
        if (!got.ok()) {
            Release(cursor);
            return got.code();
        }
        if (*got == 0) {
            Release(cursor);
            return kFsiDataStreamInconsistency;
        }
        done += *got;
    }
    if (offset + done == f.size) Release(cursor);
    return kOk;
}

void ImageLayout::PrefetchAfter(size_t index, Cursor& cursor) const {
    // Announce the files that follow, a few megabytes' worth, so that many small files are
    // fetched together instead of one wait each.
    constexpr uint64_t kAheadBytes = 16u << 20;
    constexpr size_t kAheadFiles = 64;
    if (cursor.prefetched < index + 1) cursor.prefetched = index + 1;
    uint64_t ahead = 0;
    for (size_t i = index + 1; i < files_.size() && i < index + 1 + kAheadFiles && ahead < kAheadBytes; ++i) {
        ahead += files_[i].size;
        if (i >= cursor.prefetched) {
            files_[i].stream->Prefetch();
            cursor.prefetched = i + 1;
        }
    }
}

void ImageLayout::Release(Cursor& cursor) const {
    if (cursor.openFile < files_.size()) files_[cursor.openFile].stream->Release();
    cursor.openFile = SIZE_MAX;
}

void ImageLayout::ReadUdfEntries(uint64_t offset, uint8_t* out, size_t count) const {
    uint8_t block[kBlockSize];
    while (count > 0) {
        const uint64_t index = offset / kBlockSize;
        const size_t within = static_cast<size_t>(offset % kBlockSize);
        const size_t n = std::min<size_t>(count, kBlockSize - within);
        const uint32_t tagLocation = udfFirstBlock_ + static_cast<uint32_t>(index) - udfPartitionStart_;
        UdfWriter::RenderFileEntry(udfEntries_[index], tagLocation, udfRecordingTime_, block);
        std::memcpy(out, block + within, n);
        out += n;
        offset += n;
        count -= n;
    }
}

}  // namespace orvalis::fsimage
