#include "platform/disks/BlockProbe.h"

#include <blkid/blkid.h>

#include <cctype>
#include <memory>

namespace orvalis::platform {

namespace {

struct ProbeDeleter {
    void operator()(blkid_probe probe) const { blkid_free_probe(probe); }
};
using ProbePtr = std::unique_ptr<std::remove_pointer_t<blkid_probe>, ProbeDeleter>;

ProbePtr NewProbe(int fd) {
    ProbePtr probe(blkid_new_probe());
    if (!probe || blkid_probe_set_device(probe.get(), fd, 0, 0) != 0) return nullptr;
    return probe;
}

std::string Value(blkid_probe probe, const char* name) {
    const char* data = nullptr;
    size_t length = 0;
    if (blkid_probe_lookup_value(probe, name, &data, &length) != 0 || !data) return {};
    std::string value(data, length);
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::optional<FileSystemProbe> ProbeFileSystem(int fd) {
    ProbePtr probe = NewProbe(fd);
    if (!probe) return std::nullopt;
    blkid_probe_enable_superblocks(probe.get(), 1);
    blkid_probe_set_superblocks_flags(probe.get(), BLKID_SUBLKS_TYPE | BLKID_SUBLKS_LABEL |
                                                       BLKID_SUBLKS_VERSION);
    blkid_probe_enable_partitions(probe.get(), 0);
    if (blkid_do_safeprobe(probe.get()) != 0) return std::nullopt;
    FileSystemProbe result;
    result.type = Value(probe.get(), "TYPE");
    if (result.type.empty()) return std::nullopt;
    result.version = Value(probe.get(), "VERSION");
    result.label = Value(probe.get(), "LABEL");
    return result;
}

const PartitionTableEntry* PartitionTableProbe::Find(int number) const {
    for (const PartitionTableEntry& entry : entries) {
        if (entry.number == number) return &entry;
    }
    return nullptr;
}

PartitionTableProbe ProbePartitionTable(int fd) {
    PartitionTableProbe result;
    ProbePtr probe = NewProbe(fd);
    if (!probe) return result;
    blkid_partlist list = blkid_probe_get_partitions(probe.get());
    if (!list) return result;
    blkid_parttable table = blkid_partlist_get_table(list);
    if (!table) return result;
    const char* type = blkid_parttable_get_type(table);
    result.type = type ? type : "";
    const int count = blkid_partlist_numof_partitions(list);
    for (int i = 0; i < count; ++i) {
        blkid_partition partition = blkid_partlist_get_partition(list, i);
        if (!partition) continue;
        PartitionTableEntry entry;
        entry.number = blkid_partition_get_partno(partition);
        entry.start512 = static_cast<uint64_t>(blkid_partition_get_start(partition));
        entry.size512 = static_cast<uint64_t>(blkid_partition_get_size(partition));
        entry.extended = blkid_partition_is_extended(partition) != 0;
        blkid_parttable own = blkid_partition_get_table(partition);
        const char* ownType = own ? blkid_parttable_get_type(own) : nullptr;
        if (ownType && std::string(ownType) == "gpt") {
            const char* guid = blkid_partition_get_type_string(partition);
            entry.typeGuid = guid ? Upper(guid) : "";
        } else {
            entry.mbrType = blkid_partition_get_type(partition);
        }
        result.entries.push_back(std::move(entry));
    }
    return result;
}

std::string FileSystemName(const FileSystemProbe& probe) {
    if (probe.type == "vfat" || probe.type == "msdos") {
        // libblkid names the FAT width in VERSION; FAT12 and FAT16 are both plain "FAT".
        return probe.version == "FAT12" || probe.version == "FAT16" ? "FAT" : "FAT32";
    }
    if (probe.type == "ntfs") return "NTFS";
    if (probe.type == "exfat") return "exFAT";
    return probe.type;
}

}  // namespace orvalis::platform
