#include "platform/fsimage/IsoWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/fsimage/Bytes.h"
#include "platform/fsimage/FsiTypes.h"

namespace orvalis::fsimage {

using namespace bytes;

namespace {

constexpr uint8_t kFlagDirectory = 0x02;
constexpr uint8_t kFlagMultiExtent = 0x80;

void RecordDate(uint8_t* p, int64_t seconds) {
    std::tm tm = Utc(seconds);
    p[0] = uint8_t(tm.tm_year);
    p[1] = uint8_t(tm.tm_mon + 1);
    p[2] = uint8_t(tm.tm_mday);
    p[3] = uint8_t(tm.tm_hour);
    p[4] = uint8_t(tm.tm_min);
    p[5] = uint8_t(tm.tm_sec);
    p[6] = 0;  // UTC
}

void VolumeDate(uint8_t* p, int64_t seconds) {
    if (seconds == 0) {
        std::memset(p, '0', 16);
        p[16] = 0;
        return;
    }
    std::tm tm = Utc(seconds);
    char text[96];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d00", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    std::memcpy(p, text, 16);
    p[16] = 0;
}

void AppendRecord(std::vector<uint8_t>& out, uint32_t extent, uint32_t length, int64_t mtime,
                  uint8_t flags, const std::string& id) {
    const size_t size = 33 + id.size() + (id.size() % 2 == 0 ? 1 : 0);
    // A record never crosses a block boundary; the rest of the block stays zero.
    if (out.size() % kBlockSize + size > kBlockSize) out.resize((out.size() / kBlockSize + 1) * kBlockSize);
    size_t at = out.size();
    out.resize(at + size);
    uint8_t* p = out.data() + at;
    p[0] = uint8_t(size);
    Both32(p + 2, extent);
    Both32(p + 10, length);
    RecordDate(p + 18, mtime);
    p[25] = flags;
    Both16(p + 28, 1);
    p[32] = uint8_t(id.size());
    std::memcpy(p + 33, id.data(), id.size());
}

// Text fields of a volume descriptor: d/a-characters, or UCS-2 spaces for Joliet.
void Field(uint8_t* p, size_t size, const std::string& text, bool ucs2) {
    if (!ucs2) {
        Text(p, size, text);
        return;
    }
    for (size_t i = 0; i < size; ++i) p[i] = i % 2 == 0 ? 0 : ' ';
    if (size % 2 == 1) p[size - 1] = 0;
    std::memcpy(p, text.data(), std::min(text.size(), size & ~size_t{1}));
}

std::string Ascii16(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out.push_back(0);
        out.push_back(c);
    }
    return out;
}

}  // namespace

std::string IsoWriter::Ucs2(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(char(c >> 8));
        out.push_back(char(c & 0xFF));
    }
    return out;
}

bool IsoWriter::IdentifierLess(const std::string& a, const std::string& b) {
    auto parts = [](const std::string& id, std::string& name, std::string& ext) {
        std::string s = id.substr(0, id.find(';'));
        size_t dot = s.rfind('.');
        name = dot == std::string::npos ? s : s.substr(0, dot);
        ext = dot == std::string::npos ? "" : s.substr(dot + 1);
    };
    auto padded = [](std::string x, std::string y) {
        size_t n = std::max(x.size(), y.size());
        x.resize(n, ' ');
        y.resize(n, ' ');
        return x.compare(y);
    };
    std::string an, ae, bn, be;
    parts(a, an, ae);
    parts(b, bn, be);
    if (int c = padded(an, bn); c != 0) return c < 0;
    return padded(ae, be) < 0;
}

std::vector<uint8_t> IsoWriter::Directory(const std::vector<BuildNode>& nodes, int32_t dir, int volume) {
    const BuildNode& self = nodes[size_t(dir)];
    const BuildNode& parent = nodes[size_t(self.parent)];
    std::vector<uint8_t> out;
    AppendRecord(out, self.isoDirBlock[volume], self.isoDirSize[volume], self.modificationTime,
                 kFlagDirectory, std::string(1, '\0'));
    AppendRecord(out, parent.isoDirBlock[volume], parent.isoDirSize[volume], parent.modificationTime,
                 kFlagDirectory, std::string(1, '\1'));
    for (int32_t index : self.isoOrder[volume]) {
        const BuildNode& child = nodes[size_t(index)];
        if (child.directory) {
            AppendRecord(out, child.isoDirBlock[volume], child.isoDirSize[volume],
                         child.modificationTime, kFlagDirectory, child.isoId[volume]);
            continue;
        }
        if (child.size <= 0xFFFFFFFFu) {
            AppendRecord(out, child.dataBlock, uint32_t(child.size), child.modificationTime, 0,
                         child.isoId[volume]);
            continue;
        }
        uint64_t left = child.size;
        uint32_t block = child.dataBlock;
        while (left > 0) {
            uint64_t part = std::min(left, kMaxExtent);
            left -= part;
            AppendRecord(out, block, uint32_t(part), child.modificationTime,
                         left > 0 ? kFlagMultiExtent : 0, child.isoId[volume]);
            block += uint32_t(part / kBlockSize);
        }
    }
    out.resize((out.size() + kBlockSize - 1) / kBlockSize * kBlockSize);
    return out;
}

std::vector<uint8_t> IsoWriter::PathTable(const std::vector<BuildNode>& nodes,
                                          const std::vector<int32_t>& order, int volume, bool bigEndian) {
    std::vector<uint8_t> out;
    for (int32_t index : order) {
        const BuildNode& d = nodes[size_t(index)];
        std::string id = index == 0 ? std::string(1, '\0') : d.isoId[volume];
        size_t at = out.size();
        out.resize(at + 8 + id.size() + id.size() % 2);
        uint8_t* p = out.data() + at;
        p[0] = uint8_t(id.size());
        uint16_t parent = nodes[size_t(d.parent)].isoDirNumber[volume];
        if (bigEndian) {
            Be32(p + 2, d.isoDirBlock[volume]);
            Be16(p + 6, parent);
        } else {
            Le32(p + 2, d.isoDirBlock[volume]);
            Le16(p + 6, parent);
        }
        std::memcpy(p + 8, id.data(), id.size());
    }
    return out;
}

std::vector<uint8_t> IsoWriter::VolumeDescriptor(const std::vector<BuildNode>& nodes, int volume,
                                                 const VolumeInfo& info) {
    const bool joliet = volume == kIsoJoliet;
    std::vector<uint8_t> out(kBlockSize, 0);
    uint8_t* p = out.data();
    p[0] = joliet ? 2 : 1;
    std::memcpy(p + 1, "CD001", 5);
    p[6] = 1;
    Field(p + 8, 32, joliet ? Ascii16("LINUX") : "LINUX", joliet);
    Field(p + 40, 32, info.volumeId, joliet);
    Both32(p + 80, info.totalBlocks);
    if (joliet) std::memcpy(p + 88, "%/E", 3);  // UCS-2 level 3
    Both16(p + 120, 1);
    Both16(p + 124, 1);
    Both16(p + 128, uint16_t(kBlockSize));
    Both32(p + 132, info.pathTableSize);
    Le32(p + 140, info.lPathTable);
    Be32(p + 148, info.mPathTable);
    std::vector<uint8_t> root;
    const BuildNode& r = nodes[0];
    AppendRecord(root, r.isoDirBlock[volume], r.isoDirSize[volume], r.modificationTime,
                 kFlagDirectory, std::string(1, '\0'));
    std::memcpy(p + 156, root.data(), 34);
    const std::string app = "ORVALIS";
    Field(p + 190, 128, "", joliet);
    Field(p + 318, 128, "", joliet);
    Field(p + 446, 128, "", joliet);
    Field(p + 574, 128, joliet ? Ascii16(app) : app, joliet);
    Field(p + 702, 37, "", joliet);
    Field(p + 739, 37, "", joliet);
    Field(p + 776, 37, "", joliet);
    VolumeDate(p + 813, info.creationTime);
    VolumeDate(p + 830, info.creationTime);
    VolumeDate(p + 847, 0);
    VolumeDate(p + 864, info.creationTime);
    p[881] = 1;
    return out;
}

std::vector<uint8_t> IsoWriter::Terminator() {
    std::vector<uint8_t> out(kBlockSize, 0);
    out[0] = 255;
    std::memcpy(out.data() + 1, "CD001", 5);
    out[6] = 1;
    return out;
}

}  // namespace orvalis::fsimage
