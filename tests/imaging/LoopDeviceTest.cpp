// A real disk: an image file with a partition table, attached as a loop device. Needs root
// and a working loop driver; skipped, saying why, elsewhere.
#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"
#include "imaging/DiskEnumerator.h"
#include "imaging/DiskQueries.h"
#include "imaging/SectorCopyJob.h"
#include "platform/FileSystem.h"
#include "platform/disks/DiskSystem.h"

using namespace orvalis::imaging;
using orvalis::platform::DiskSystem;
using orvalis::platform::PathExists;
using orvalis::testing::RunCommand;
using orvalis::testing::TempDir;

namespace {

// Detaches the loop device whatever the test's outcome.
class LoopDevice {
public:
    explicit LoopDevice(std::string device) : device_(std::move(device)) {}
    ~LoopDevice() { RunCommand("losetup -d '" + device_ + "' 2>&1"); }
    LoopDevice(const LoopDevice&) = delete;
    LoopDevice& operator=(const LoopDevice&) = delete;
    const std::string& path() const { return device_; }
    std::string name() const { return device_.substr(device_.rfind('/') + 1); }

private:
    std::string device_;
};

TEST(LoopDevice, ListedAndImagedLikeDdReadsIt) {
    if (geteuid() != 0) GTEST_SKIP() << "loop devices need root";
    if (RunCommand("losetup -f >/dev/null 2>&1").status != 0) {
        GTEST_SKIP() << "no free loop device (losetup -f failed)";
    }
    TempDir dir;
    const std::string file = dir / "disk.img";
    ASSERT_EQ(RunCommand("truncate -s 64M '" + file + "' && printf 'label: dos\\n"
                         "start=2048, size=40960, type=83\\nstart=43008, type=c\\n' | "
                         "sfdisk -q '" + file + "' 2>&1").status, 0);
    orvalis::testing::CommandResult attached = RunCommand("losetup -f --show -P '" + file + "'");
    if (attached.status != 0) GTEST_SKIP() << "losetup cannot attach: " << attached.output;
    std::string device = attached.output;
    while (!device.empty() && (device.back() == '\n' || device.back() == ' ')) device.pop_back();
    LoopDevice loop(device);
    const std::string p1 = device + "p1", p2 = device + "p2";
    const std::string sysfs = "/sys/block/" + loop.name() + "/" + loop.name() + "p1";
    // Without udev the partitions may need asking for.
    if (!PathExists(sysfs)) RunCommand("partx -a '" + device + "' 2>&1");
    if (!PathExists(sysfs) || !PathExists(p2)) {
        GTEST_SKIP() << "the kernel shows no partitions of " << device;
    }
    ASSERT_EQ(RunCommand("mkfs.ext4 -q -F -L LoopHome '" + p1 + "' 2>&1 && "
                         "head -c 3000000 /dev/urandom | dd of='" + p2 +
                         "' bs=64K conv=fsync status=none 2>&1").status, 0);

    DiskSystem system;  // the machine's own sysfs, /dev and mountinfo
    DiskEnumerator enumerator(&system);
    ASSERT_TRUE(enumerator.Enumerate());
    std::vector<VolumeRecord> mine;
    std::vector<VolumeRecord> all;
    enumerator.AllRecords(all);
    for (const VolumeRecord& record : all) {
        if (record.DevicePath == device) mine.push_back(record);
    }
    ASSERT_EQ(mine.size(), 2u) << "the loop disk's entries";
    EXPECT_EQ(mine[0].VolumePath, p1);
    EXPECT_EQ(mine[0].FileSystem, "ext4");
    EXPECT_EQ(mine[0].Label, "LoopHome");
    EXPECT_EQ(int{mine[0].Kind}, 0x83);
    EXPECT_EQ(mine[0].StartSector, 2048u);
    EXPECT_EQ(mine[0].SectorCount, 40960u);
    EXPECT_EQ(mine[1].PartitionNumber, 2);
    EXPECT_EQ(int{mine[1].Kind}, 0x0C);
    EXPECT_EQ(mine[1].StartSector, 43008u);
    EXPECT_EQ(mine[1].SectorCount, 131072u - 43008u);
    const int32_t disk = mine[0].DiskNumber;
    uint64_t length = 0;
    EXPECT_EQ(DiskLength(disk, length, &system), 0);
    EXPECT_EQ(length, 64u << 20);
    EXPECT_TRUE(PathOnVolume(p2, mine[1], &system));
    EXPECT_FALSE(PathOnVolume(p1, mine[1], &system));
    EXPECT_TRUE(PathOnDisk(p1, disk, &system));

    for (const VolumeRecord& record : mine) {
        SCOPED_TRACE(record.VolumePath);
        const std::string image = dir / "part.img", reference = dir / "dd.img";
        SectorCopyJob job;
        job.Disks = &system;
        ASSERT_EQ(CopySectors(job, disk, record.StartSector, record.SectorCount, image, nullptr), 0);
        ASSERT_EQ(RunCommand("dd if='" + record.VolumePath + "' of='" + reference +
                             "' bs=64K status=none && cmp '" + image + "' '" + reference + "'")
                      .status,
                  0);
    }
    SectorCopyJob whole;
    whole.Disks = &system;
    ASSERT_EQ(CopySectors(whole, disk, 0, 0, dir / "whole.img", nullptr), 0);
    EXPECT_EQ(RunCommand("cmp '" + (dir / "whole.img") + "' '" + device + "'").status, 0);
}

}  // namespace
