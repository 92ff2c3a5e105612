#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Result.h"
#include "platform/fsimage/InputStream.h"

namespace orvalis::fsimage {

// A UDF file entry as the image needs it; the entry's block is written when it is read.
struct UdfEntry {
    uint64_t informationLength = 0;
    uint64_t uniqueId = 0;
    int64_t modificationTime = 0;
    uint32_t firstBlock = 0;  // of its data, counted from the partition start
    uint16_t linkCount = 1;
    bool directory = false;
};

// Where everything of a finished image lies, block by block: metadata kept in memory, the
// file data read from the sources, UDF file entries made on demand, zeros elsewhere.
class ImageLayout {
public:
    struct FileData {
        std::shared_ptr<InputStream> stream;
        uint64_t size = 0;
        uint32_t firstBlock = 0;
    };

    // Remembers the reading position of one stream: the source it has open.
    struct Cursor {
        size_t openFile = SIZE_MAX;
        size_t prefetched = 0;  // files below this index were announced to their sources
    };

    ImageLayout() = default;

    // Building: blocks not covered stay zero. Pieces must not overlap.
    void AddMetadata(uint32_t firstBlock, std::vector<uint8_t> bytes);
    void AddFile(FileData file);
    void SetUdfEntries(uint32_t firstBlock, uint32_t partitionStart, int64_t recordingTime,
                       std::vector<UdfEntry> entries);
    void Finish(uint32_t totalBlocks);

    uint32_t TotalBlocks() const { return totalBlocks_; }
    uint64_t Size() const { return static_cast<uint64_t>(totalBlocks_) * 2048u; }

    // Fills buffer with count bytes from offset (less only at the end of the image); a source
    // that cannot be read as it was added fails the read.
    Result<size_t> ReadAt(uint64_t offset, uint8_t* buffer, size_t count, Cursor& cursor) const;
    // Releases the source a cursor holds open.
    void Release(Cursor& cursor) const;

private:
    enum class Kind : uint8_t { Zero, Metadata, File, UdfEntries };
    struct Region {
        uint64_t firstBlock = 0;
        uint64_t blocks = 0;
        Kind kind = Kind::Zero;
        uint64_t index = 0;  // metadata byte offset, or file index
        uint64_t length = 0; // bytes of metadata
    };

    void PrefetchAfter(size_t index, Cursor& cursor) const;
    ResultCode ReadFile(size_t index, uint64_t offset, uint8_t* out, size_t count,
                        Cursor& cursor) const;
    void ReadUdfEntries(uint64_t offset, uint8_t* out, size_t count) const;

    std::vector<uint8_t> metadata_;
    std::vector<Region> regions_;
    std::vector<FileData> files_;  // in the order of their blocks, once finished
    std::vector<UdfEntry> udfEntries_;
    uint32_t udfFirstBlock_ = 0;
    uint32_t udfPartitionStart_ = 0;
    int64_t udfRecordingTime_ = 0;
    uint32_t totalBlocks_ = 0;
};

}  // namespace orvalis::fsimage
