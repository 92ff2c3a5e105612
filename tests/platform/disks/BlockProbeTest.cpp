#include <fcntl.h>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/UniqueFd.h"
#include "platform/disks/BlockProbe.h"
#include "platform/disks/support/FakeDiskTree.h"

using namespace orvalis::platform;
using orvalis::testing::MustRun;
using orvalis::testing::TempDir;

namespace {

struct ProbeCase {
    const char* mkfs;
    uint64_t megabytes;
    const char* name;   // as the disk list shows it
    const char* label;
};

// Real file systems made by their own tools, read back through libblkid.
TEST(BlockProbe, NamesFileSystemsAsTheListShowsThem) {
    const ProbeCase cases[] = {
        {"mkfs.ext4 -q -F -L Home", 8, "ext4", "Home"},
        {"mkfs.vfat -F 32 -s 1 -n STICK", 40, "FAT32", "STICK"},
        {"mkfs.vfat -F 16 -n OLD", 16, "FAT", "OLD"},
        {"mkfs.exfat -L Media", 8, "exFAT", "Media"},
        {"mkfs.ntfs -q -F -f -L Windows", 8, "NTFS", "Windows"},
        {"mkswap -L swap0", 8, "swap", "swap0"},
    };
    TempDir dir;
    for (const ProbeCase& c : cases) {
        const std::string file = dir / "volume.img";
        MustRun("rm -f '" + file + "' && truncate -s " + std::to_string(c.megabytes) + "M '" +
                file + "' && " + c.mkfs + " '" + file + "'");
        UniqueFd fd(::open(file.c_str(), O_RDONLY));
        std::optional<FileSystemProbe> probe = ProbeFileSystem(fd.get());
        ASSERT_TRUE(probe.has_value()) << c.mkfs;
        EXPECT_EQ(FileSystemName(*probe), c.name) << c.mkfs;
        EXPECT_EQ(probe->label, c.label) << c.mkfs;
    }
    MustRun("truncate -s 1M '" + (dir / "blank.img") + "'");
    UniqueFd blank(::open((dir / "blank.img").c_str(), O_RDONLY));
    EXPECT_FALSE(ProbeFileSystem(blank.get()).has_value());
}

TEST(BlockProbe, ReadsMbrAndGptTables) {
    TempDir dir;
    const std::string mbr = dir / "mbr.img", gpt = dir / "gpt.img";
    MustRun("truncate -s 64M '" + mbr + "' && printf 'label: dos\\nstart=2048, size=20480, "
            "type=c\\nstart=22528, size=40960, type=5\\nstart=24576, size=8192, type=83\\n' "
            "| sfdisk -q '" + mbr + "'");
    MustRun("truncate -s 64M '" + gpt + "' && printf 'label: gpt\\nstart=2048, size=20480, "
            "type=C12A7328-F81F-11D2-BA4B-00A0C93EC93B\\n' | sfdisk -q '" + gpt + "'");
    UniqueFd mbrFd(::open(mbr.c_str(), O_RDONLY)), gptFd(::open(gpt.c_str(), O_RDONLY));

    PartitionTableProbe dos = ProbePartitionTable(mbrFd.get());
    EXPECT_EQ(dos.type, "dos");
    ASSERT_NE(dos.Find(1), nullptr);
    EXPECT_EQ(dos.Find(1)->mbrType, 0x0C);
    EXPECT_EQ(dos.Find(1)->start512, 2048u);
    ASSERT_NE(dos.Find(2), nullptr);
    EXPECT_TRUE(dos.Find(2)->extended);
    ASSERT_NE(dos.Find(5), nullptr);  // the logical partition inside it
    EXPECT_EQ(dos.Find(5)->mbrType, 0x83);

    PartitionTableProbe table = ProbePartitionTable(gptFd.get());
    EXPECT_EQ(table.type, "gpt");
    ASSERT_NE(table.Find(1), nullptr);
    EXPECT_EQ(table.Find(1)->typeGuid, "C12A7328-F81F-11D2-BA4B-00A0C93EC93B");
    EXPECT_EQ(table.Find(1)->mbrType, 0);
}

}  // namespace
