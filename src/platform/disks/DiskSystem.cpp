#include "platform/disks/DiskSystem.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

#include "platform/FileSystem.h"

namespace orvalis::platform {

std::optional<std::string> ReadAttribute(const std::string& path) {
    std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return std::nullopt;
    size_t end = text->find_last_not_of(" \t\r\n");
    text->resize(end == std::string::npos ? 0 : end + 1);
    size_t begin = text->find_first_not_of(" \t");
    return begin == std::string::npos ? std::string{} : text->substr(begin);
}

std::optional<uint64_t> ReadNumberAttribute(const std::string& path) {
    std::optional<std::string> text = ReadAttribute(path);
    if (!text || text->empty() || !std::isdigit(static_cast<unsigned char>((*text)[0]))) {
        return std::nullopt;
    }
    char* end = nullptr;
    unsigned long long value = std::strtoull(text->c_str(), &end, 10);
    if (*end != '\0') return std::nullopt;
    return value;
}

bool ParseDeviceNumbers(const std::string& text, unsigned& major, unsigned& minor) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    char* end = nullptr;
    unsigned long a = std::strtoul(text.c_str(), &end, 10);
    if (end != text.c_str() + colon) return false;
    unsigned long b = std::strtoul(text.c_str() + colon + 1, &end, 10);
    if (*end != '\0' || end == text.c_str() + colon + 1) return false;
    major = static_cast<unsigned>(a);
    minor = static_cast<unsigned>(b);
    return true;
}

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool IsExcludedName(const std::string& name) {
    for (const char* prefix : {"ram", "zram", "dm-", "md", "sr", "fd"}) {
        if (StartsWith(name, prefix)) return true;
    }
    if (StartsWith(name, "mmcblk") &&
        (name.find("boot") != std::string::npos || name.find("rpmb") != std::string::npos)) {
        return true;
    }
    return false;
}

// Names compared with their digit runs as numbers: loop2 < loop10, sdz < sdaa.
bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
        const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
            std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            na.erase(0, std::min(na.find_first_not_of('0'), na.size() - 1));
            nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size() - 1));
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (da != db) return da;  // a digit before a letter
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    // Same stem: the shorter name first (sdz before sdaa is decided by length of letters).
    return a.size() - i < b.size() - j;
}

bool DiskOrderLess(const PhysicalDisk& a, const PhysicalDisk& b) {
    const bool loopA = StartsWith(a.name, "loop"), loopB = StartsWith(b.name, "loop");
    if (loopA != loopB) return loopB;
    // Kernel names of one family grow in length (sdz, then sdaa): shorter first.
    if (!loopA && a.name.size() != b.name.size() &&
        !std::isdigit(static_cast<unsigned char>(a.name.back())) &&
        !std::isdigit(static_cast<unsigned char>(b.name.back())) &&
        a.name.substr(0, 2) == b.name.substr(0, 2)) {
        return a.name.size() < b.name.size();
    }
    return NaturalLess(a.name, b.name);
}

std::optional<PhysicalDisk> ReadDisk(const DiskRoots& roots, const std::string& name,
                                     std::string& identity) {
    if (IsExcludedName(name)) return std::nullopt;
    const std::string folder = roots.sysfs + "/block/" + name;
    PhysicalDisk disk;
    disk.name = name;
    disk.sysfsPath = folder;
    disk.devicePath = roots.dev + "/" + name;
    disk.size512 = ReadNumberAttribute(folder + "/size").value_or(0);
    if (disk.size512 == 0) return std::nullopt;
    if (ReadNumberAttribute(folder + "/hidden").value_or(0) != 0) return std::nullopt;
    if (StartsWith(name, "loop") && ReadNumberAttribute(folder + "/ro").value_or(0) != 0) {
        return std::nullopt;
    }
    disk.removable = ReadNumberAttribute(folder + "/removable").value_or(0) != 0;
    if (std::optional<std::string> dev = ReadAttribute(folder + "/dev")) {
        ParseDeviceNumbers(*dev, disk.major, disk.minor);
    }
    for (const FolderEntry& entry : ListFolder(folder)) {
        if (!entry.isFolder) continue;
        const std::string sub = folder + "/" + entry.name;
        std::optional<uint64_t> number = ReadNumberAttribute(sub + "/partition");
        if (!number) continue;
        PartitionInfo partition;
        partition.name = entry.name;
        partition.devicePath = roots.dev + "/" + entry.name;
        partition.number = static_cast<int>(*number);
        partition.start512 = ReadNumberAttribute(sub + "/start").value_or(0);
        partition.size512 = ReadNumberAttribute(sub + "/size").value_or(0);
        if (std::optional<std::string> dev = ReadAttribute(sub + "/dev")) {
            ParseDeviceNumbers(*dev, partition.major, partition.minor);
        }
        disk.partitions.push_back(std::move(partition));
    }
    std::sort(disk.partitions.begin(), disk.partitions.end(),
              [](const PartitionInfo& a, const PartitionInfo& b) { return a.number < b.number; });
    identity = name + "#" + ReadAttribute(folder + "/diskseq").value_or("") + "#" +
               std::to_string(disk.major) + ":" + std::to_string(disk.minor);
    return disk;
}

}  // namespace

DiskSystem::DiskSystem(DiskRoots roots) : roots_(std::move(roots)) {}

DiskSystem& DiskSystem::Default() {
    static DiskSystem instance(DiskRoots::FromEnvironment());
    return instance;
}

std::optional<std::vector<PhysicalDisk>> DiskSystem::ListDisks() {
    const std::string blockFolder = roots_.sysfs + "/block";
    if (!IsFolder(blockFolder)) return std::nullopt;
    std::vector<std::pair<PhysicalDisk, std::string>> found;
    for (const FolderEntry& entry : ListFolder(blockFolder)) {
        // Entries of /sys/block are links to the device folders: not "folders" to lstat.
        std::string identity;
        if (std::optional<PhysicalDisk> disk = ReadDisk(roots_, entry.name, identity)) {
            found.emplace_back(std::move(*disk), std::move(identity));
        }
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return DiskOrderLess(a.first, b.first); });

    std::lock_guard lock(mutex_);
    std::map<std::string, int32_t> kept;
    for (const auto& [disk, identity] : found) {
        auto it = numbers_.find(identity);
        if (it != numbers_.end()) kept.insert(*it);
    }
    std::set<int32_t> taken;
    for (const auto& [identity, number] : kept) taken.insert(number);
    std::vector<PhysicalDisk> disks;
    for (auto& [disk, identity] : found) {
        auto it = kept.find(identity);
        if (it == kept.end()) {
            int32_t number = 0;
            while (taken.count(number)) ++number;
            taken.insert(number);
            it = kept.emplace(identity, number).first;
        }
        disk.number = it->second;
        disks.push_back(std::move(disk));
    }
    numbers_ = std::move(kept);
    std::sort(disks.begin(), disks.end(),
              [](const PhysicalDisk& a, const PhysicalDisk& b) { return a.number < b.number; });
    return disks;
}

std::optional<PhysicalDisk> DiskSystem::FindDisk(int32_t number) {
    std::optional<std::vector<PhysicalDisk>> disks = ListDisks();
    if (!disks) return std::nullopt;
    for (PhysicalDisk& disk : *disks) {
        if (disk.number == number) return std::move(disk);
    }
    return std::nullopt;
}

std::vector<std::string> DiskSystem::DisksBelowDevice(unsigned major, unsigned minor) const {
    std::vector<std::string> names;
    const std::string blockFolder = roots_.sysfs + "/block";
    // Walk down from the device through "slaves" until whole disks are reached.
    std::vector<std::string> pending;
    std::set<std::string> seen;
    const std::string wanted = std::to_string(major) + ":" + std::to_string(minor);
    for (const FolderEntry& disk : ListFolder(blockFolder)) {
        const std::string folder = blockFolder + "/" + disk.name;
        if (ReadAttribute(folder + "/dev").value_or("") == wanted) {
            pending.push_back(disk.name);
            continue;
        }
        for (const FolderEntry& sub : ListFolder(folder)) {
            if (ReadAttribute(folder + "/" + sub.name + "/dev").value_or("") == wanted &&
                ReadNumberAttribute(folder + "/" + sub.name + "/partition")) {
                pending.push_back(disk.name);
            }
        }
    }
    auto diskOfName = [&](const std::string& name) -> std::string {
        if (PathExists(blockFolder + "/" + name)) return name;
        for (const FolderEntry& disk : ListFolder(blockFolder)) {
            if (PathExists(blockFolder + "/" + disk.name + "/" + name + "/partition")) {
                return disk.name;
            }
        }
        return {};
    };
    while (!pending.empty()) {
        std::string name = pending.back();
        pending.pop_back();
        if (!seen.insert(name).second) continue;
        std::vector<FolderEntry> slaves = ListFolder(blockFolder + "/" + name + "/slaves");
        if (slaves.empty()) {
            names.push_back(name);
            continue;
        }
        for (const FolderEntry& slave : slaves) {
            std::string disk = diskOfName(slave.name);
            if (!disk.empty()) pending.push_back(disk);
        }
    }
    return names;
}

}  // namespace orvalis::platform
