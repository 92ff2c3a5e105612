#include <gtest/gtest.h>

#include "platform/disks/PartitionTypes.h"

using namespace orvalis::platform;

namespace {

struct GptCase {
    const char* guid;
    const char* fileSystem;
    int expected;
};

TEST(PartitionTypes, GptTypesMapToMbrBytes) {
    const GptCase cases[] = {
        {"0FC63DAF-8483-4772-8E79-3D69D8477DE4", "ext4", 0x83},
        {"0fc63daf-8483-4772-8e79-3d69d8477de4", "", 0x83},  // case does not matter
        {"4F68BCE3-E8CD-4DB1-96E7-FBCAF984B709", "btrfs", 0x83},
        {"0657FD6D-A4AB-43C4-84E5-0933C84B4F4F", "swap", 0x82},
        {"C12A7328-F81F-11D2-BA4B-00A0C93EC93B", "FAT32", 0xEF},
        {"EBD0A0A2-B9E5-4433-87C0-68B6B72699C7", "NTFS", 0x07},
        {"EBD0A0A2-B9E5-4433-87C0-68B6B72699C7", "exFAT", 0x07},
        {"EBD0A0A2-B9E5-4433-87C0-68B6B72699C7", "FAT32", 0x0C},
        {"EBD0A0A2-B9E5-4433-87C0-68B6B72699C7", "FAT", 0x06},
        {"EBD0A0A2-B9E5-4433-87C0-68B6B72699C7", "", 0x07},
        {"E6D6D379-F507-44C2-A23C-238F2A3DF928", "LVM2_member", 0x8E},
        {"DE94BBA4-06D1-4D40-A16A-BFD50179D6AC", "NTFS", 0x27},
        {"E3C9E316-0B5C-4DB8-817D-F92DF00215AE", "", 0},  // Microsoft reserved
        {"21686148-6449-6E6F-744E-656564454649", "", 0},  // BIOS boot
        {"01234567-89AB-CDEF-0123-456789ABCDEF", "ext4", 0},
    };
    for (const GptCase& c : cases) {
        EXPECT_EQ(MbrTypeForGptType(c.guid, c.fileSystem), c.expected)
            << c.guid << " " << c.fileSystem;
    }
}

TEST(PartitionTypes, FileSystemsMapToMbrBytes) {
    EXPECT_EQ(MbrTypeForFileSystem(""), 0);
    EXPECT_EQ(MbrTypeForFileSystem("ext4"), 0x83);
    EXPECT_EQ(MbrTypeForFileSystem("xfs"), 0x83);
    EXPECT_EQ(MbrTypeForFileSystem("swap"), 0x82);
    EXPECT_EQ(MbrTypeForFileSystem("exFAT"), 0x07);
    EXPECT_EQ(MbrTypeForFileSystem("FAT32"), 0x0C);
    EXPECT_EQ(MbrTypeForFileSystem("crypto_LUKS"), 0xE8);
    EXPECT_TRUE(IsExtendedMbrType(0x05));
    EXPECT_TRUE(IsExtendedMbrType(0x0F));
    EXPECT_FALSE(IsExtendedMbrType(0x83));
}

}  // namespace
