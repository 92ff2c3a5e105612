#include <gtest/gtest.h>

#include <fstream>

#include "platform/disks/DiskDevice.h"
#include "platform/disks/DiskSystem.h"
#include "platform/disks/support/FakeDiskTree.h"

using namespace orvalis::platform;
using orvalis::Result;
using orvalis::testing::FakeDisk;
using orvalis::testing::FakeDiskTree;

namespace {

std::vector<std::pair<std::string, int32_t>> Numbers(DiskSystem& system) {
    std::vector<std::pair<std::string, int32_t>> result;
    const std::vector<PhysicalDisk> disks = system.ListDisks().value();
    for (const PhysicalDisk& disk : disks) {
        result.emplace_back(disk.name, disk.number);
    }
    return result;
}

using Pairs = std::vector<std::pair<std::string, int32_t>>;

TEST(DiskSystem, ListsDisksOnlyAndNumbersThemStably) {
    FakeDiskTree tree;
    for (const char* name : {"sdb", "loop10", "sda", "nvme0n1", "loop2", "sdaa", "sdz"}) {
        tree.Add(FakeDisk{.name = name, .size = 2048});
    }
    tree.Add(FakeDisk{.name = "loop3", .size = 2048, .readOnly = true});  // a squashfs image
    tree.Add(FakeDisk{.name = "zram0", .size = 2048});
    tree.Add(FakeDisk{.name = "sr0", .size = 2048});
    tree.Add(FakeDisk{.name = "dm-0", .size = 2048});
    tree.Add(FakeDisk{.name = "mmcblk0boot0", .size = 2048});
    tree.Add(FakeDisk{.name = "loop4", .size = 0});  // not attached

    DiskSystem system(tree.Roots());
    EXPECT_EQ(Numbers(system), (Pairs{{"nvme0n1", 0}, {"sda", 1}, {"sdb", 2}, {"sdz", 3},
                                      {"sdaa", 4}, {"loop2", 5}, {"loop10", 6}}));

    // A disk that goes keeps the others' numbers; a new one takes the lowest free number.
    tree.Remove("sda");
    EXPECT_EQ(Numbers(system), (Pairs{{"nvme0n1", 0}, {"sdb", 2}, {"sdz", 3}, {"sdaa", 4},
                                      {"loop2", 5}, {"loop10", 6}}));
    tree.Add(FakeDisk{.name = "sdc", .size = 2048});
    EXPECT_EQ(Numbers(system)[1], (std::pair<std::string, int32_t>{"sdc", 1}));

    // The same kernel name with a new disk sequence number is another disk: it takes the
    // lowest free number (the one nvme0n1 left) instead of keeping 2.
    tree.Remove("nvme0n1");
    std::ofstream(tree.Roots().sysfs + "/block/sdb/diskseq") << "99\n";
    EXPECT_EQ(Numbers(system), (Pairs{{"sdb", 0}, {"sdc", 1}, {"sdz", 3}, {"sdaa", 4},
                                      {"loop2", 5}, {"loop10", 6}}));

    ASSERT_TRUE(system.FindDisk(3).has_value());
    EXPECT_EQ(system.FindDisk(3)->name, "sdz");
    EXPECT_FALSE(system.FindDisk(2).has_value());
}

TEST(DiskSystem, ReadsPartitionsAndAttributes) {
    FakeDiskTree tree;
    tree.Add(FakeDisk{.name = "sda", .size = 40960, .removable = true, .table = "dos",
                      .partitions = {{.number = 2, .start = 20480, .size = 8192, .type = "83"},
                                     {.number = 1, .start = 2048, .size = 8192, .type = "c"}}});
    DiskSystem system(tree.Roots());
    std::optional<PhysicalDisk> disk = system.FindDisk(0);
    ASSERT_TRUE(disk.has_value());
    EXPECT_TRUE(disk->removable);
    EXPECT_EQ(disk->devicePath, tree.DevicePath("sda"));
    ASSERT_EQ(disk->partitions.size(), 2u);
    EXPECT_EQ(disk->partitions[0].name, "sda1");
    EXPECT_EQ(disk->partitions[0].start512, 2048u);
    EXPECT_EQ(disk->partitions[1].number, 2);
    EXPECT_EQ(disk->partitions[1].minor, 2u);
    EXPECT_EQ(system.DisksBelowDevice(8, 2), std::vector<std::string>{"sda"});
    EXPECT_TRUE(system.DisksBelowDevice(8, 99).empty());
}

TEST(DiskSystem, NoSysfsMeansNoList) {
    DiskSystem system(DiskRoots{"/nonexistent/sys", "/nonexistent/dev", "/nonexistent/mi"});
    EXPECT_FALSE(system.ListDisks().has_value());
}

TEST(DiskDevice, PlainFileIsMeasuredThroughSysfs) {
    FakeDiskTree tree;
    tree.Add(FakeDisk{.name = "sda", .size = 8192, .sectorSize = 4096});
    DiskSystem system(tree.Roots());
    Result<DiskDevice> device = DiskDevice::Open(*system.FindDisk(0));
    ASSERT_TRUE(device.ok());
    EXPECT_EQ(*device->BytesPerSector(), 4096u);
    EXPECT_EQ(*device->LengthBytes(), 8192u * 512);
    EXPECT_FALSE(device->Geometry().has_value());
    EXPECT_EQ(DiskDevice::Open(tree.DevicePath("sdq")).code(), ENOENT);
}

}  // namespace
