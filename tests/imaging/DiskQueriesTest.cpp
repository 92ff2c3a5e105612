#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include "imaging/DiskEnumerator.h"
#include "imaging/DiskQueries.h"
#include "platform/disks/DiskSystem.h"
#include "platform/disks/support/FakeDiskTree.h"

using namespace orvalis::imaging;
using orvalis::platform::DiskSystem;
using orvalis::testing::FakeDiskTree;

namespace {

// A removable disk (0) with three mounted volumes and a fixed one (1) with nothing mounted.
class DiskQueriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.Add({.name = "sdb", .size = 120000, .removable = true, .table = "dos",
                   .partitions = {{.number = 1, .start = 2048, .size = 40960, .type = "c",
                                   .mkfs = "mkfs.vfat -F 16 -s 1"},
                                  {.number = 2, .start = 43008, .size = 40960, .type = "7"},
                                  {.number = 3, .start = 83968, .size = 30000, .type = "83"}}});
        tree_.Add({.name = "sdc", .size = 50000});
        fat_ = tree_.Mount("sdb1", "vfat");
        ntfs_ = tree_.Mount("sdb2", "ntfs3");
        ext_ = tree_.Mount("sdb3", "ext4");
        DiskEnumerator enumerator(&system_);
        ASSERT_TRUE(enumerator.Enumerate());
        enumerator.AllRecords(records_);
        ASSERT_EQ(records_.size(), 4u);
    }
    FakeDiskTree tree_;
    DiskSystem system_{tree_.Roots()};
    std::string fat_, ntfs_, ext_;
    std::vector<VolumeRecord> records_;
};

TEST_F(DiskQueriesTest, DiskFacts) {
    EXPECT_TRUE(IsRemovableDisk(0, &system_));
    EXPECT_FALSE(IsRemovableDisk(1, &system_));
    EXPECT_FALSE(IsRemovableDisk(5, &system_));
    uint64_t length = 0;
    EXPECT_EQ(DiskLength(1, length, &system_), 0);
    EXPECT_EQ(length, 50000u * 512);
    EXPECT_EQ(DiskLength(5, length, &system_), ENOENT);
}

TEST_F(DiskQueriesTest, FileSystemOfADestination) {
    std::string name;
    // The FAT width is read from the volume itself.
    EXPECT_EQ(DriveFileSystem(fat_ + "/images/new.img", name, &system_), 0);
    EXPECT_EQ(name, "FAT");
    EXPECT_EQ(DriveFileSystem(ntfs_ + "/x.img", name, &system_), 0);
    EXPECT_EQ(name, "NTFS");
    EXPECT_EQ(DriveFileSystem(ext_, name, &system_), 0);
    EXPECT_EQ(name, "ext4");
    // Outside the fake mounts: the tree's root file system.
    EXPECT_EQ(DriveFileSystem("/", name, &system_), 0);
    EXPECT_EQ(name, "ext4");
}

TEST_F(DiskQueriesTest, FreeBytesOfADestination) {
    uint64_t freeBytes = 0;
    ASSERT_EQ(DriveFreeBytes(ext_ + "/not/yet/there.img", freeBytes, &system_), 0);
    struct statvfs info {};
    ASSERT_EQ(statvfs(ext_.c_str(), &info), 0);
    EXPECT_EQ(freeBytes, static_cast<uint64_t>(info.f_bavail) * info.f_frsize);
}

TEST_F(DiskQueriesTest, WhetherADestinationLiesOnTheSource) {
    const VolumeRecord& fat = records_[0];
    const VolumeRecord& ntfs = records_[1];
    ASSERT_EQ(fat.MountPoint, fat_);
    EXPECT_TRUE(PathOnVolume(fat_ + "/deep/folder/x.img", fat, &system_));
    EXPECT_FALSE(PathOnVolume(ntfs_ + "/x.img", fat, &system_));
    EXPECT_TRUE(PathOnVolume(ntfs_ + "/x.img", ntfs, &system_));
    EXPECT_FALSE(PathOnVolume(fat_ + "/x.img", records_[3], &system_));  // whole disk 1
    EXPECT_TRUE(PathOnDisk(ext_ + "/x.img", 0, &system_));
    EXPECT_FALSE(PathOnDisk(ext_ + "/x.img", 1, &system_));
    EXPECT_FALSE(PathOnDisk("/var/tmp/x.img", 0, &system_));
}

}  // namespace
