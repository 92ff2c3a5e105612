#include <gtest/gtest.h>

#include "imaging/DiskEnumerator.h"
#include "platform/disks/DiskSystem.h"
#include "platform/disks/support/FakeDiskTree.h"

using namespace orvalis::imaging;
using orvalis::platform::DiskSystem;
using orvalis::testing::FakeDisk;
using orvalis::testing::FakeDiskTree;
using orvalis::testing::FakePartition;

namespace {

// What one finished record should say.
struct Expected {
    int disk;
    int letter;
    int partition;  // 0: unallocated stretch or whole disk
    uint64_t start;
    uint64_t count;
    int kind;
};

struct EnumerationCase {
    const char* what;
    std::vector<FakeDisk> disks;
    std::vector<Expected> records;
};

FakePartition Linux(int number, uint64_t start, uint64_t size) {
    return {.number = number, .start = start, .size = size, .type = "83"};
}

std::vector<VolumeRecord> Walk(DiskEnumerator& enumerator) {
    std::vector<VolumeRecord> records;
    VolumeRecord record;
    while (enumerator.NextRecord(record)) records.push_back(record);
    return records;
}

TEST(DiskEnumerator, BuildsTheListOfEachLayout) {
    const EnumerationCase cases[] = {
        {"the 1985-sector gap before a volume at 2048 is no stretch",
         {{.name = "sda", .size = 12048, .table = "dos", .partitions = {Linux(1, 2048, 10000)}}},
         {{0, 1, 1, 2048, 10000, 0x83}}},
        {"a gap of 16066 sectors is a stretch, one of 16065 is not",
         {{.name = "sda", .size = 40000, .table = "dos",
           .partitions = {Linux(1, 16128, 1000), Linux(2, 33194, 6806)}}},
         {{0, 1, 1, 16128, 1000, 0x83}, {0, 2, 0, 17128, 16066, 0}, {0, 3, 2, 33194, 6806, 0x83}}},
        {"free space at the end: listed when longer than a cylinder",
         {{.name = "sda", .size = 12048 + 16065, .table = "dos",
           .partitions = {Linux(1, 2048, 10000)}},
          {.name = "sdb", .size = 12048 + 16066, .table = "dos",
           .partitions = {Linux(1, 2048, 10000)}}},
         {{0, 1, 1, 2048, 10000, 0x83}, {1, 2, 1, 2048, 10000, 0x83}, {1, 3, 0, 12048, 16066, 0}}},
        {"volumes come out by start sector, whatever their numbers",
         {{.name = "sda", .size = 30000, .table = "dos",
           .partitions = {Linux(1, 20000, 10000), Linux(2, 2048, 17952)}}},
         {{0, 1, 2, 2048, 17952, 0x83}, {0, 2, 1, 20000, 10000, 0x83}}},
        {"disks without listed volumes are whole-disk entries, numbered in turn",
         {{.name = "sda", .size = 30000, .table = "dos", .partitions = {Linux(1, 2048, 27952)}},
          {.name = "sdb", .size = 50000},
          {.name = "sdc", .size = 60000, .table = "gpt",
           .partitions = {{.number = 1, .start = 2048, .size = 32768,
                           .type = "E3C9E316-0B5C-4DB8-817D-F92DF00215AE"}}}},
         {{0, 1, 1, 2048, 27952, 0x83}, {1, 2, 0, 0, 50000, 0}, {2, 3, 0, 0, 60000, 0}}},
        {"a partition that cannot be opened is left out",
         {{.name = "sda", .size = 30000, .table = "dos",
           .partitions = {Linux(1, 2048, 10000),
                          {.number = 2, .start = 12048, .size = 1000, .type = "83",
                           .openable = false}}}},
         {{0, 1, 1, 2048, 10000, 0x83}, {0, 2, 0, 12048, 17952, 0}}},
        {"the extended container is no volume; its logical partitions are",
         {{.name = "sda", .size = 30000, .table = "dos",
           .partitions = {Linux(1, 2048, 8192),
                          {.number = 2, .start = 10240, .size = 19760, .type = "5"},
                          Linux(5, 12288, 17712)}}},
         {{0, 1, 1, 2048, 8192, 0x83}, {0, 2, 5, 12288, 17712, 0x83}}},
        {"4096-byte sectors: starts and lengths in those sectors",
         {{.name = "sda", .size = 140000, .sectorSize = 4096, .table = "gpt",
           .partitions = {{.number = 1, .start = 2048, .size = 131072,
                           .type = "0FC63DAF-8483-4772-8E79-3D69D8477DE4"}}}},
         {{0, 1, 1, 256, 16384, 0x83}}},
    };
    for (const EnumerationCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDiskTree tree;
        for (const FakeDisk& disk : c.disks) tree.Add(disk);
        DiskSystem system(tree.Roots());
        DiskEnumerator enumerator(&system);
        ASSERT_TRUE(enumerator.Enumerate());
        std::vector<VolumeRecord> records = Walk(enumerator);
        ASSERT_EQ(records.size(), c.records.size());
        for (size_t i = 0; i < records.size(); ++i) {
            SCOPED_TRACE(i);
            const VolumeRecord& r = records[i];
            const Expected& e = c.records[i];
            EXPECT_EQ(r.DiskNumber, e.disk);
            EXPECT_EQ(int{r.Letter}, e.letter);
            EXPECT_EQ(r.PartitionNumber, e.partition);
            EXPECT_EQ(r.StartSector, e.start);
            EXPECT_EQ(r.SectorCount, e.count);
            EXPECT_EQ(int{r.Kind}, e.kind);
            EXPECT_FALSE(r.DevicePath.empty());
            if (e.partition == 0) {
                EXPECT_TRUE(r.FileSystem.empty());
                EXPECT_TRUE(r.VolumePath.empty());
                EXPECT_EQ(r.UsedBytes, 0u);
                EXPECT_EQ(r.FreeBytes, r.SectorCount * enumerator.BytesPerSector());
                EXPECT_EQ(r.TotalBytes, r.FreeBytes);
            }
        }
        std::vector<VolumeRecord> all;
        enumerator.AllRecords(all);
        EXPECT_EQ(all.size(), records.size());
        EXPECT_FALSE(enumerator.NextRecord(all.front()));  // still at the end
    }
}

TEST(DiskEnumerator, MountedVolumesGetTheirSpaceUnmountedOnesTheirLength) {
    FakeDiskTree tree;
    tree.Add({.name = "sda", .size = 30000, .table = "dos",
              .partitions = {Linux(1, 2048, 10000), Linux(2, 12048, 17952)}});
    const std::string folder = tree.Mount("sda1", "ext4");
    DiskSystem system(tree.Roots());
    DiskEnumerator enumerator(&system);
    ASSERT_TRUE(enumerator.Enumerate());
    std::vector<VolumeRecord> records = Walk(enumerator);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].MountPoint, folder);
    EXPECT_EQ(records[0].VolumePath, tree.DevicePath("sda1"));
    EXPECT_EQ(records[0].DevicePath, tree.DevicePath("sda"));
    // The folder's own file system answers statvfs.
    EXPECT_GT(records[0].TotalBytes, 0u);
    EXPECT_EQ(records[0].UsedBytes, records[0].TotalBytes - records[0].FreeBytes);
    EXPECT_TRUE(records[1].MountPoint.empty());
    EXPECT_EQ(records[1].TotalBytes, 17952u * 512);
    EXPECT_EQ(records[1].FreeBytes, 0u);
    EXPECT_EQ(records[1].UsedBytes, records[1].TotalBytes);
}

TEST(DiskEnumerator, WalksDisksWithHolesAndFindsWhatVanished) {
    FakeDiskTree tree;
    for (const char* name : {"sda", "sdb", "sdc"}) {
        tree.Add({.name = name, .size = 30000, .table = "dos",
                  .partitions = {Linux(1, 2048, 10000), Linux(2, 12048, 17952)}});
    }
    DiskSystem system(tree.Roots());
    DiskEnumerator first(&system);
    ASSERT_TRUE(first.Enumerate());
    std::vector<VolumeRecord> before;
    first.AllRecords(before);
    ASSERT_EQ(before.size(), 6u);

    std::vector<VolumeRecord> vanished;
    DiskEnumerator same(&system);
    same.FindVanished(before, vanished);
    EXPECT_TRUE(vanished.empty());

    tree.Remove("sdb");
    DiskEnumerator after(&system);
    after.FindVanished(before, vanished);
    ASSERT_EQ(vanished.size(), 2u);
    EXPECT_EQ(vanished[0].DiskNumber, 1);
    EXPECT_EQ(vanished[1].DiskNumber, 1);
    // Disks 0 and 2 only: walked in order, renumbered by place.
    std::vector<VolumeRecord> records = Walk(after);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].DiskNumber, 0);
    EXPECT_EQ(records[2].DiskNumber, 2);
    EXPECT_EQ(int{records[3].Letter}, 4);
}

TEST(DiskEnumerator, EmptyWithoutSysfs) {
    DiskSystem system({"/nonexistent/sys", "/nonexistent/dev", "/nonexistent/mountinfo"});
    DiskEnumerator enumerator(&system);
    EXPECT_FALSE(enumerator.Enumerate());
    VolumeRecord record;
    EXPECT_FALSE(enumerator.NextRecord(record));
}

}  // namespace
