#include "platform/disks/PartitionTypes.h"

#include <array>
#include <cctype>
#include <utility>

namespace orvalis::platform {

namespace {

constexpr std::string_view kMicrosoftBasicData = "EBD0A0A2-B9E5-4433-87C0-68B6B72699C7";

struct GptMapping {
    std::string_view guid;
    uint8_t mbrType;
};

// Each GPT type with the MBR byte that older tools use for the same contents.
constexpr std::array kGptTypes = {
    GptMapping{"0FC63DAF-8483-4772-8E79-3D69D8477DE4", 0x83},  // Linux filesystem
    GptMapping{"4F68BCE3-E8CD-4DB1-96E7-FBCAF984B709", 0x83},  // Linux root (x86-64)
    GptMapping{"44479540-F297-41B2-9AF7-D131D5F0458A", 0x83},  // Linux root (x86)
    GptMapping{"B921B045-1DF0-41C3-AF44-4C6F280D3FAE", 0x83},  // Linux root (AArch64)
    GptMapping{"8484680C-9521-48C6-9C11-B0720656F69E", 0x83},  // Linux /usr (x86-64)
    GptMapping{"933AC7E1-2EB4-4F13-B844-0E14E2AEF915", 0x83},  // Linux /home
    GptMapping{"3B8F8425-20E0-4F3B-907F-1A25A76F98E8", 0x83},  // Linux /srv
    GptMapping{"4D21B016-B534-45C2-A9FB-5C16E091FD2D", 0x83},  // Linux /var
    GptMapping{"7EC6F557-3BC5-4ACA-B293-16EF5DF639D1", 0x83},  // Linux /var/tmp
    GptMapping{"0657FD6D-A4AB-43C4-84E5-0933C84B4F4F", 0x82},  // Linux swap
    GptMapping{"E6D6D379-F507-44C2-A23C-238F2A3DF928", 0x8E},  // Linux LVM
    GptMapping{"A19D880F-05FC-4D3B-A006-743F0F84911E", 0xFD},  // Linux RAID
    GptMapping{"CA7D7CCB-63ED-4C53-861C-1742536059CC", 0xE8},  // Linux LUKS
    GptMapping{"BC13C2FF-59E6-4262-A352-B275FD6F7172", 0xEA},  // Linux extended boot
    GptMapping{"C12A7328-F81F-11D2-BA4B-00A0C93EC93B", 0xEF},  // EFI system
    GptMapping{"DE94BBA4-06D1-4D40-A16A-BFD50179D6AC", 0x27},  // Windows recovery
    GptMapping{"48465300-0000-11AA-AA11-00306543ECAC", 0xAF},  // Apple HFS+
    GptMapping{"516E7CB6-6ECF-11D6-8FF8-00022D09712B", 0xA5},  // FreeBSD UFS
};

struct FileSystemMapping {
    std::string_view name;
    uint8_t mbrType;
};

constexpr std::array kFileSystems = {
    FileSystemMapping{"NTFS", kMbrNtfsExfat},  FileSystemMapping{"exFAT", kMbrNtfsExfat},
    FileSystemMapping{"FAT32", kMbrFat32Lba},  FileSystemMapping{"FAT", kMbrFat16},
    FileSystemMapping{"swap", kMbrLinuxSwap},  FileSystemMapping{"LVM2_member", 0x8E},
    FileSystemMapping{"linux_raid_member", 0xFD}, FileSystemMapping{"crypto_LUKS", 0xE8},
    FileSystemMapping{"hfsplus", 0xAF},        FileSystemMapping{"hfs", 0xAF},
    FileSystemMapping{"ufs", 0xA5},
};

bool SameGuid(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsExtendedMbrType(int type) { return type == 0x05 || type == 0x0F || type == 0x85; }

uint8_t MbrTypeForGptType(std::string_view guid, std::string_view fileSystem) {
    if (SameGuid(guid, kMicrosoftBasicData)) {
        // Other systems put NTFS, exFAT and FAT on this one type; an MBR table would name
        // each by its own byte. Anything else on it is taken as an installable file system.
        if (fileSystem == "FAT32") return kMbrFat32Lba;
        if (fileSystem == "FAT") return kMbrFat16;
        return kMbrNtfsExfat;
    }
    for (const GptMapping& mapping : kGptTypes) {
        if (SameGuid(guid, mapping.guid)) return mapping.mbrType;
    }
    return 0;
}

uint8_t MbrTypeForFileSystem(std::string_view fileSystem) {
    if (fileSystem.empty()) return 0;
    for (const FileSystemMapping& mapping : kFileSystems) {
        if (fileSystem == mapping.name) return mapping.mbrType;
    }
    // ext4, btrfs, xfs, f2fs and every other file system libblkid knows: a Linux one.
    return kMbrLinux;
}

}  // namespace orvalis::platform
