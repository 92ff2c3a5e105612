#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/disks/MountTable.h"

using orvalis::platform::MountTable;

namespace {

const char* kMountInfo =
    "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
    "30 22 8:1 / /media/usb\\040stick rw,nosuid master:7 - vfat /dev/sdb1 rw,fmask=0022\n"
    "31 22 8:1 /photos /srv/photos rw - vfat /dev/sdb1 rw\n"
    "32 22 0:45 / /mnt/pool rw - btrfs /dev/sdc2 rw,space_cache\n"
    "garbage line\n"
    "33 22 0:26 / /tmp rw - tmpfs tmpfs rw\n";

TEST(MountTable, ParsesFieldsAndDecodesEscapes) {
    MountTable table = MountTable::Parse(kMountInfo);
    ASSERT_EQ(table.entries().size(), 5u);
    const auto& usb = table.entries()[1];
    EXPECT_EQ(usb.major, 8u);
    EXPECT_EQ(usb.minor, 1u);
    EXPECT_EQ(usb.mountPoint, "/media/usb stick");
    EXPECT_EQ(usb.fsType, "vfat");  // after the optional "master:7" field
    EXPECT_EQ(usb.source, "/dev/sdb1");
    EXPECT_EQ(table.entries()[4].source, "tmpfs");
}

TEST(MountTable, FindsDeviceByNumberOrSourcePreferringWholeMount) {
    MountTable table = MountTable::Parse(kMountInfo);
    // The bind mount of /photos comes second; the whole file system's mount wins anyway.
    const auto* usb = table.FindDevice(8, 1, "/nonexistent/sdb1", "/dev");
    ASSERT_NE(usb, nullptr);
    EXPECT_EQ(usb->mountPoint, "/media/usb stick");
    // btrfs lists an anonymous device number: found by its source.
    const auto* pool = table.FindDevice(8, 34, "/dev/sdc2", "/dev");
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(pool->mountPoint, "/mnt/pool");
    EXPECT_EQ(table.FindDevice(8, 17, "/dev/sdd1", "/dev"), nullptr);
}

TEST(MountTable, FindsTheDeepestMountAbovePath) {
    orvalis::testing::TempDir dir;
    const std::string inner = dir.Write("inner/file.img", "x");
    MountTable table = MountTable::Parse("1 0 254:0 / / rw - ext4 /dev/vda rw\n"
                                         "2 1 8:1 / " + dir.path() + " rw - vfat /dev/sdb1 rw\n"
                                         "3 1 8:2 / " + dir.path() + "/in rw - ext4 /dev/sdb2 rw\n");
    const auto* mount = table.FindPath(inner);
    ASSERT_NE(mount, nullptr);
    // "/in" is no folder above ".../inner/file.img".
    EXPECT_EQ(mount->source, "/dev/sdb1");
}

TEST(MountTable, NearestExistingPathWalksUp) {
    orvalis::testing::TempDir dir;
    EXPECT_EQ(orvalis::platform::NearestExistingPath(dir / "a/b/c.img"), dir.path());
    EXPECT_EQ(orvalis::platform::NearestExistingPath(dir.path()), dir.path());
}

}  // namespace
