#include "platform/fsimage/FileSystemImage.h"

#include <ctime>

#include "platform/fsimage/Bytes.h"
#include "platform/fsimage/FileSystemImageResult.h"
#include "platform/fsimage/FsiResults.h"
#include "platform/fsimage/ImageBuilder.h"
#include "platform/fsimage/ImageLayout.h"
#include "platform/fsimage/ImageNames.h"

namespace orvalis::fsimage {

namespace {

constexpr size_t kMaxVolumeNameChars = 32;

struct MediaDefaults {
    int32_t freeMediaBlocks;
    FsiFileSystems fileSystems;
};

// Capacity in 2048-byte blocks and the usual file systems of each kind of medium; a
// random-access disk has no fixed size.
bool DefaultsFor(MediaType type, MediaDefaults& out) {
    constexpr FsiFileSystems kCd = kFsiFileSystemISO9660 | kFsiFileSystemJoliet;
    constexpr FsiFileSystems kDvd = kFsiFileSystemsAll;
    constexpr FsiFileSystems kLarge = kFsiFileSystemUDF;
    switch (type) {
        case MediaType::Cdrom:
        case MediaType::Cdr:
        case MediaType::Cdrw: out = {359844, kCd}; return true;
        case MediaType::DvdRom:
        case MediaType::DvdPlusR:
        case MediaType::DvdPlusRw: out = {2295104, kDvd}; return true;
        case MediaType::DvdRam: out = {2236704, kDvd}; return true;
        case MediaType::DvdDashR:
        case MediaType::DvdDashRw: out = {2298496, kDvd}; return true;
        case MediaType::DvdPlusRDualLayer:
        case MediaType::DvdPlusRwDualLayer: out = {4173824, kDvd}; return true;
        case MediaType::DvdDashRDualLayer: out = {4171712, kDvd}; return true;
        case MediaType::Disk: out = {0, kDvd}; return true;
        case MediaType::HdDvdRom:
        case MediaType::HdDvdR:
        case MediaType::HdDvdRam: out = {7361472, kLarge}; return true;
        case MediaType::BdRom:
        case MediaType::BdR:
        case MediaType::BdRe: out = {12219392, kLarge}; return true;
        case MediaType::Unknown: break;
    }
    return false;
}

std::string DefaultVolumeName() {
    std::tm tm = bytes::Utc(static_cast<int64_t>(std::time(nullptr)));
    char text[48];
    std::snprintf(text, sizeof text, "%04d_%02d_%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    return text;
}

}  // namespace

FileSystemImage::FileSystemImage()
    : volumeName_(DefaultVolumeName()),
      root_(std::make_unique<DirectoryItem>("", static_cast<int64_t>(std::time(nullptr)), this)) {}

ResultCode FileSystemImage::SetFileSystemsToCreate(FsiFileSystems fileSystems) {
    if (fileSystems == kFsiFileSystemNone || (fileSystems & ~kFsiFileSystemsAll) != 0) return kFsiInvalidParam;
    // Joliet is a second directory tree of an ISO 9660 volume; it cannot stand alone.
    if (fileSystems & kFsiFileSystemJoliet) fileSystems |= kFsiFileSystemISO9660;
    fileSystems_ = fileSystems;
    return kOk;
}

ResultCode FileSystemImage::ChooseImageDefaultsForMediaType(MediaType type) {
    MediaDefaults defaults{};
    if (!DefaultsFor(type, defaults)) return kFsiInvalidParam;
    int32_t previous = freeMediaBlocks_;
    freeMediaBlocks_ = defaults.freeMediaBlocks;
    if (!Fits(counts_)) {
        freeMediaBlocks_ = previous;
        return kFsiImageTooBig;
    }
    if (fileSystems_ == kFsiFileSystemNone) fileSystems_ = defaults.fileSystems;
    return kOk;
}

ResultCode FileSystemImage::SetVolumeName(const std::string& name) {
    std::u32string chars = ImageNames::DecodeUtf8(name);
    if (chars.size() > kMaxVolumeNameChars) return kFsiInvalidVolumeName;
    for (char32_t c : chars) {
        if (c < 0x20 || c == 0x7F || c == U'\uFFFD') return kFsiInvalidVolumeName;
    }
    volumeName_ = name.empty() ? DefaultVolumeName() : name;
    return kOk;
}

ResultCode FileSystemImage::SetFreeMediaBlocks(int32_t blocks) {
    if (blocks < 0) return kFsiInvalidParam;
    int32_t previous = freeMediaBlocks_;
    freeMediaBlocks_ = blocks;
    if (!Fits(counts_)) {
        freeMediaBlocks_ = previous;
        return kFsiImageTooBig;
    }
    return kOk;
}

uint64_t FileSystemImage::EstimateBlocks(const ItemCounts& c) const {
    const bool udf = fileSystems_ & kFsiFileSystemUDF;
    const bool joliet = fileSystems_ & kFsiFileSystemJoliet;
    const uint64_t volumes = 1 + (joliet ? 1 : 0);
    const uint64_t entries = c.files + c.directories + 1;
    uint64_t blocks = udf ? 260 : 20;
    blocks += c.dataBlocks;
    if (udf) blocks += entries + (c.directories + 1) + (entries * 40 + c.nameBytes * 2) / kBlockSize;
    blocks += volumes * ((c.directories + 1) * 3 + (entries * 50 + c.nameBytes * 2) / kBlockSize);
    return blocks;
}

uint64_t FileSystemImage::EstimatedBlocks() const { return EstimateBlocks(counts_); }

bool FileSystemImage::Fits(const ItemCounts& counts) const {
    return freeMediaBlocks_ == 0 || EstimateBlocks(counts) <= static_cast<uint64_t>(freeMediaBlocks_);
}

Result<std::shared_ptr<FileSystemImageResult>> FileSystemImage::CreateResultImage() {
    using R = Result<std::shared_ptr<FileSystemImageResult>>;
    auto layout = ImageBuilder::Build(*root_, fileSystems_, volumeName_, static_cast<int64_t>(std::time(nullptr)));
    if (!layout.ok()) return R::Failure(layout.code(), layout.message());
    if (freeMediaBlocks_ != 0 && (*layout)->TotalBlocks() > static_cast<uint32_t>(freeMediaBlocks_)) {
        return R::Failure(kFsiImageSizeLimit, "the image is larger than the free media blocks");
    }
    return std::make_shared<FileSystemImageResult>(std::move(layout).value());
}

}  // namespace orvalis::fsimage
