#include <gtest/gtest.h>

#include "imaging/DiskEnumerator.h"
#include "imaging/VolumeKind.h"
#include "platform/disks/BlockProbe.h"
#include "platform/disks/DiskSystem.h"
#include "platform/disks/support/FakeDiskTree.h"

using namespace orvalis::imaging;
using orvalis::platform::DiskSystem;
using orvalis::platform::PartitionTableEntry;
using orvalis::testing::FakeDiskTree;

namespace {

constexpr const char* kBasicData = "EBD0A0A2-B9E5-4433-87C0-68B6B72699C7";
constexpr const char* kLinuxData = "0FC63DAF-8483-4772-8E79-3D69D8477DE4";
constexpr const char* kEfiSystem = "C12A7328-F81F-11D2-BA4B-00A0C93EC93B";
constexpr const char* kReserved = "E3C9E316-0B5C-4DB8-817D-F92DF00215AE";
constexpr const char* kUnknown = "01234567-89AB-CDEF-0123-456789ABCDEF";

TEST(VolumeKind, TableTypeThenFileSystemRule) {
    struct Case {
        int mbrType;
        const char* guid;  // null: MBR entry; "": no table at all
        const char* fileSystem;
        int expected;
    };
    const Case cases[] = {
        {0x83, nullptr, "ext4", 0x83},  {0x0C, nullptr, "FAT32", 11},
        {0x0E, nullptr, "fat", 6},      {0x07, nullptr, "NTFS", 7},
        {0x07, nullptr, "exFAT", 0x07}, {0x82, nullptr, "", 0x82},
        {0x83, nullptr, "ntfs", 7},     // the file system decides over the type byte
        {0, kLinuxData, "btrfs", 0x83}, {0, kBasicData, "exFAT", 7},
        {0, kBasicData, "FAT32", 11},   {0, kBasicData, "FAT", 6},
        {0, kBasicData, "", 7},         {0, kEfiSystem, "FAT32", 11},
        {0, kEfiSystem, "", 0xEF},      {0, kReserved, "", 0},
        {0, kUnknown, "xfs", 0x83},     {0, kUnknown, "", 0},
        {0, "", "ext4", 0x83},          {0, "", "exFAT", 7},
        {0, "", "", 0},
    };
    for (const Case& c : cases) {
        PartitionTableEntry entry;
        entry.mbrType = c.mbrType;
        if (c.guid) entry.typeGuid = c.guid;
        const bool noTable = c.guid && !*c.guid;
        EXPECT_EQ(int{VolumeKind(noTable ? nullptr : &entry, c.fileSystem)}, c.expected)
            << c.mbrType << " " << (c.guid ? c.guid : "mbr") << " " << c.fileSystem;
    }
}

// Real file systems on a GPT disk and on a disk without a table, listed as on a Linux
// machine: every one of them comes out with its name, label and kind.
TEST(VolumeKind, LinuxVolumesAreListed) {
    FakeDiskTree tree;
    tree.Add({.name = "sda", .size = 260000, .table = "gpt",
              .partitions = {
                  {.number = 1, .start = 2048, .size = 16384, .type = kEfiSystem,
                   .mkfs = "mkfs.vfat -F 16 -s 1 -n EFI"},
                  {.number = 2, .start = 18432, .size = 81920, .type = kBasicData,
                   .mkfs = "mkfs.vfat -F 32 -s 1 -n SHARED"},
                  {.number = 3, .start = 100352, .size = 16384, .type = kBasicData,
                   .mkfs = "mkfs.exfat -L Media"},
                  {.number = 4, .start = 116736, .size = 16384, .type = kBasicData,
                   .mkfs = "mkfs.ntfs -q -F -f -L Windows"},
                  {.number = 5, .start = 133120, .size = 32768, .type = kLinuxData,
                   .mkfs = "mkfs.ext4 -q -F -L Home"},
                  {.number = 6, .start = 165888, .size = 32768, .type = kReserved},
                  {.number = 7, .start = 198656, .size = 32768, .type = kUnknown,
                   .mkfs = "mkfs.ext4 -q -F"},
              }});
    tree.Add({.name = "sdb", .size = 32768, .removable = true, .wholeMkfs = "mkfs.exfat -L Stick"});
    DiskSystem system(tree.Roots());
    DiskEnumerator enumerator(&system);
    ASSERT_TRUE(enumerator.Enumerate());
    std::vector<VolumeRecord> records;
    enumerator.AllRecords(records);

    struct Listed {
        int disk;
        int partition;
        const char* fileSystem;
        const char* label;
        int kind;
    };
    const Listed expected[] = {
        {0, 1, "FAT", "EFI", 6},         {0, 2, "FAT32", "SHARED", 11},
        {0, 3, "exFAT", "Media", 7},     {0, 4, "NTFS", "Windows", 7},
        {0, 5, "ext4", "Home", 0x83},
        {0, 0, "", "", 0},  // the reserved partition is no volume: its space shows as free
        {0, 7, "ext4", "", 0x83},
        {0, 0, "", "", 0},  // the tail after partition 7
        {1, 0, "exFAT", "Stick", 7},     // a file system on the whole disk
    };
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i].DiskNumber, expected[i].disk);
        EXPECT_EQ(records[i].PartitionNumber, expected[i].partition);
        EXPECT_EQ(records[i].FileSystem, expected[i].fileSystem);
        EXPECT_EQ(records[i].Label, expected[i].label);
        EXPECT_EQ(int{records[i].Kind}, expected[i].kind);
    }
    EXPECT_EQ(records.back().StartSector, 0u);
    EXPECT_EQ(records.back().SectorCount, 32768u);
    EXPECT_EQ(records.back().VolumePath, tree.DevicePath("sdb"));
}

}  // namespace
