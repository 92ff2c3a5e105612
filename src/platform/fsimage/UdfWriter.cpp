#include "platform/fsimage/UdfWriter.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/fsimage/Bytes.h"
#include "platform/fsimage/FsiTypes.h"

namespace orvalis::fsimage {

using namespace bytes;

namespace {

constexpr uint16_t kUdfRevision = 0x0102;
constexpr uint16_t kDescriptorVersion = 2;
constexpr uint16_t kTagSerial = 1;
constexpr size_t kDescriptorSize = 512;

enum TagId : uint16_t {
    kPrimaryVolume = 1,
    kAnchorPointer = 2,
    kImplementationUse = 4,
    kPartition = 5,
    kLogicalVolume = 6,
    kUnallocatedSpace = 7,
    kTerminating = 8,
    kIntegrity = 9,
    kFileSet = 256,
    kFileIdentifier = 257,
    kFileEntry = 261,
};

void Tag(uint8_t* d, uint16_t id, uint32_t location, size_t length) {
    Le16(d, id);
    Le16(d + 2, kDescriptorVersion);
    d[5] = 0;
    Le16(d + 6, kTagSerial);
    const uint16_t crcLength = uint16_t(length - 16);
    Le16(d + 8, UdfWriter::Crc(d + 16, crcLength));
    Le16(d + 10, crcLength);
    Le32(d + 12, location);
    uint8_t sum = 0;
    for (int i = 0; i < 16; ++i) {
        if (i != 4) sum = uint8_t(sum + d[i]);
    }
    d[4] = sum;
}

void Charspec(uint8_t* d) {
    d[0] = 0;  // CS0
    std::memcpy(d + 1, "OSTA Compressed Unicode", 23);
}

void RegId(uint8_t* d, const char* id, const uint8_t suffix[8]) {
    d[0] = 0;
    std::memcpy(d + 1, id, std::strlen(id));
    std::memcpy(d + 24, suffix, 8);
}

void DomainId(uint8_t* d) {
    uint8_t suffix[8] = {};
    Le16(suffix, kUdfRevision);
    RegId(d, "*OSTA UDF Compliant", suffix);
}

void UdfId(uint8_t* d, const char* id) {
    uint8_t suffix[8] = {};
    Le16(suffix, kUdfRevision);
    suffix[2] = 4;  // UNIX
    suffix[3] = 5;  // Linux
    RegId(d, id, suffix);
}

void ImplementationId(uint8_t* d) {
    uint8_t suffix[8] = {4, 5};  // UNIX, Linux
    RegId(d, "*Orvalis", suffix);
}

// A fixed-size d-string: the compressed bytes, the used length in the last byte.
void DString(uint8_t* d, size_t field, const std::vector<uint8_t>& text) {
    std::memset(d, 0, field);
    if (text.empty()) return;
    size_t n = std::min(text.size(), field - 1);
    if (text[0] == 16 && n % 2 == 0) --n;  // keep whole 16-bit characters
    std::memcpy(d, text.data(), n);
    d[field - 1] = uint8_t(n);
}

std::vector<uint8_t> Narrow(const std::string& ascii) {
    std::vector<uint8_t> out{8};
    out.insert(out.end(), ascii.begin(), ascii.end());
    return out;
}

void Timestamp(uint8_t* d, int64_t seconds) {
    std::tm tm = Utc(seconds);
    Le16(d, 0x1000);  // local time, offset 0 minutes: UTC
    Le16(d + 2, uint16_t(tm.tm_year + 1900));
    d[4] = uint8_t(tm.tm_mon + 1);
    d[5] = uint8_t(tm.tm_mday);
    d[6] = uint8_t(tm.tm_hour);
    d[7] = uint8_t(tm.tm_min);
    d[8] = uint8_t(tm.tm_sec);
}

void ExtentAd(uint8_t* d, uint32_t length, uint32_t location) {
    Le32(d, length);
    Le32(d + 4, location);
}

void LongAd(uint8_t* d, uint32_t length, uint32_t block) {
    Le32(d, length);
    Le32(d + 4, block);
    Le16(d + 8, 0);  // partition reference
}

}  // namespace

uint16_t UdfWriter::Crc(const uint8_t* data, size_t size) {
    static const auto table = [] {
        std::array<uint16_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            uint16_t c = uint16_t(i << 8);
            for (int k = 0; k < 8; ++k) c = uint16_t((c & 0x8000) ? (c << 1) ^ 0x1021 : c << 1);
            t[i] = c;
        }
        return t;
    }();
    uint16_t crc = 0;
    for (size_t i = 0; i < size; ++i) crc = uint16_t((crc << 8) ^ table[((crc >> 8) ^ data[i]) & 0xFF]);
    return crc;
}

std::vector<uint8_t> UdfWriter::VolumeRecognition() {
    std::vector<uint8_t> out(3 * kBlockSize, 0);
    const char* ids[] = {"BEA01", "NSR02", "TEA01"};
    for (int i = 0; i < 3; ++i) {
        uint8_t* p = out.data() + i * kBlockSize;
        std::memcpy(p + 1, ids[i], 5);
        p[6] = 1;
    }
    return out;
}

std::vector<uint8_t> UdfWriter::DescriptorSequence(const VolumeInfo& info, uint32_t first) {
    std::vector<uint8_t> out(6 * kBlockSize, 0);
    auto at = [&](int i) { return out.data() + i * kBlockSize; };

    // Primary volume descriptor.
    uint8_t* p = at(0);
    Le32(p + 16, 0);
    Le32(p + 20, 0);
    DString(p + 24, 32, info.volumeId);
    Le16(p + 56, 1);
    Le16(p + 58, 1);
    Le16(p + 60, 2);
    Le16(p + 62, 2);
    Le32(p + 64, 1);
    Le32(p + 68, 1);
    char setId[32];
    std::snprintf(setId, sizeof setId, "%016llX", static_cast<unsigned long long>(info.recordingTime));
    DString(p + 72, 128, Narrow(setId));
    Charspec(p + 200);
    Charspec(p + 264);
    ImplementationId(p + 344);
    Timestamp(p + 376, info.recordingTime);
    ImplementationId(p + 388);
    Tag(p, kPrimaryVolume, first, kDescriptorSize);

    // Implementation use volume descriptor: the logical volume information.
    p = at(1);
    Le32(p + 16, 1);
    UdfId(p + 20, "*UDF LV Info");
    Charspec(p + 52);
    DString(p + 116, 128, info.volumeId);
    ImplementationId(p + 352);
    Tag(p, kImplementationUse, first + 1, kDescriptorSize);

    // Partition descriptor: one read-only partition.
    p = at(2);
    Le32(p + 16, 2);
    Le16(p + 20, 1);
    Le16(p + 22, 0);
    uint8_t none[8] = {};
    RegId(p + 24, "+NSR02", none);
    Le32(p + 184, 1);
    Le32(p + 188, info.partitionStart);
    Le32(p + 192, info.partitionLength);
    ImplementationId(p + 196);
    Tag(p, kPartition, first + 2, kDescriptorSize);

    // Logical volume descriptor with one type 1 partition map.
    p = at(3);
    Le32(p + 16, 3);
    Charspec(p + 20);
    DString(p + 84, 128, info.volumeId);
    Le32(p + 212, kBlockSize);
    DomainId(p + 216);
    LongAd(p + 248, kBlockSize, 0);  // the file set descriptor
    Le32(p + 264, 6);
    Le32(p + 268, 1);
    ImplementationId(p + 272);
    ExtentAd(p + 432, 2 * kBlockSize, kIntegrityBlock);
    p[440] = 1;
    p[441] = 6;
    Le16(p + 442, 1);
    Le16(p + 444, 0);
    Tag(p, kLogicalVolume, first + 3, 446);

    // Unallocated space descriptor: nothing is free.
    p = at(4);
    Le32(p + 16, 4);
    Le32(p + 20, 0);
    Tag(p, kUnallocatedSpace, first + 4, 24);

    Tag(at(5), kTerminating, first + 5, kDescriptorSize);
    return out;
}

std::vector<uint8_t> UdfWriter::Integrity(const VolumeInfo& info) {
    std::vector<uint8_t> out(2 * kBlockSize, 0);
    uint8_t* p = out.data();
    Timestamp(p + 16, info.recordingTime);
    Le32(p + 28, 1);  // closed
    Le64(p + 40, info.nextUniqueId);
    Le32(p + 72, 1);
    Le32(p + 76, 46);
    Le32(p + 80, 0);  // free space
    Le32(p + 84, info.partitionLength);
    ImplementationId(p + 88);
    Le32(p + 120, info.files);
    Le32(p + 124, info.directories);
    Le16(p + 128, kUdfRevision);
    Le16(p + 130, kUdfRevision);
    Le16(p + 132, kUdfRevision);
    Tag(p, kIntegrity, kIntegrityBlock, 134);
    Tag(out.data() + kBlockSize, kTerminating, kIntegrityBlock + 1, kDescriptorSize);
    return out;
}

std::vector<uint8_t> UdfWriter::Anchor(uint32_t block) {
    std::vector<uint8_t> out(kBlockSize, 0);
    uint8_t* p = out.data();
    ExtentAd(p + 16, kSequenceBlocks * kBlockSize, kMainSequence);
    ExtentAd(p + 24, kSequenceBlocks * kBlockSize, kReserveSequence);
    Tag(p, kAnchorPointer, block, kDescriptorSize);
    return out;
}

std::vector<uint8_t> UdfWriter::FileSet(const VolumeInfo& info) {
    std::vector<uint8_t> out(2 * kBlockSize, 0);
    uint8_t* p = out.data();
    Timestamp(p + 16, info.recordingTime);
    Le16(p + 28, 3);
    Le16(p + 30, 3);
    Le32(p + 32, 1);
    Le32(p + 36, 1);
    Charspec(p + 48);
    DString(p + 112, 128, info.volumeId);
    Charspec(p + 240);
    DString(p + 304, 32, info.volumeId);
    LongAd(p + 400, kBlockSize, info.rootEntryBlock);
    DomainId(p + 416);
    Tag(p, kFileSet, 0, kDescriptorSize);
    Tag(out.data() + kBlockSize, kTerminating, 1, kDescriptorSize);
    return out;
}

void UdfWriter::AppendIdentifier(std::vector<uint8_t>& out, uint32_t dirBlock, bool directory,
                                 bool parent, const std::vector<uint8_t>& id, uint32_t entryBlock) {
    const size_t start = out.size();
    const size_t size = IdentifierSize(id.size());
    out.resize(start + size, 0);
    uint8_t* d = out.data() + start;
    Le16(d + 16, 1);
    d[18] = uint8_t((directory ? 0x02 : 0) | (parent ? 0x08 : 0));
    d[19] = uint8_t(id.size());
    LongAd(d + 20, kBlockSize, entryBlock);
    Le16(d + 36, 0);
    if (!id.empty()) std::memcpy(d + 38, id.data(), id.size());
    Tag(d, kFileIdentifier, dirBlock + uint32_t(start / kBlockSize), size);
}

void UdfWriter::RenderFileEntry(const UdfEntry& e, uint32_t tagLocation, int64_t recordingTime,
                                uint8_t* d) {
    (void)recordingTime;
    std::memset(d, 0, kBlockSize);
    Le32(d + 16, 0);
    Le16(d + 20, 4);  // strategy 4: one entry
    Le16(d + 22, 0);
    Le16(d + 24, 1);
    d[27] = e.directory ? 4 : 5;
    Le16(d + 34, 0);  // short allocation descriptors
    Le32(d + 36, 0xFFFFFFFF);
    Le32(d + 40, 0xFFFFFFFF);
    // Read for everyone, and search for folders.
    const uint32_t rights = e.directory ? 0x5 : 0x4;
    Le32(d + 44, rights | rights << 5 | rights << 10);
    Le16(d + 48, e.linkCount);
    Le64(d + 56, e.informationLength);
    Le64(d + 64, (e.informationLength + kBlockSize - 1) / kBlockSize);
    Timestamp(d + 72, e.modificationTime);
    Timestamp(d + 84, e.modificationTime);
    Timestamp(d + 96, e.modificationTime);
    Le32(d + 108, 1);
    ImplementationId(d + 128);
    Le64(d + 160, e.uniqueId);
    Le32(d + 168, 0);
    uint8_t* ad = d + 176;
    uint64_t left = e.informationLength;
    uint32_t block = e.firstBlock;
    uint32_t adBytes = 0;
    while (left > 0 && adBytes + 8 <= kBlockSize - 176) {
        uint64_t part = std::min(left, kMaxExtent);
        Le32(ad + adBytes, uint32_t(part));
        Le32(ad + adBytes + 4, block);
        adBytes += 8;
        left -= part;
        block += uint32_t(part / kBlockSize);
    }
    Le32(d + 172, adBytes);
    Tag(d, kFileEntry, tagLocation, 176 + adBytes);
}

}  // namespace orvalis::fsimage
