#include <gtest/gtest.h>

#include "platform/recorders/MediaTypes.h"
#include "platform/recorders/MountPoints.h"

namespace orvalis::recorders {
namespace {

TEST(MediaTypes, ProfilesMapToTheMediaTypeNumbers) {
    struct Case {
        int profile;
        PhysicalMediaType type;
    };
    const Case cases[] = {
        {0x08, kMediaCdrom},   {0x09, kMediaCdr},      {0x0A, kMediaCdrw},
        {0x10, kMediaDvdRom},  {0x11, kMediaDvdDashR}, {0x12, kMediaDvdRam},
        {0x13, kMediaDvdDashRw}, {0x14, kMediaDvdDashRw}, {0x15, kMediaDvdDashRDualLayer},
        {0x16, kMediaDvdDashRDualLayer}, {0x1A, kMediaDvdPlusRw}, {0x1B, kMediaDvdPlusR},
        {0x2A, kMediaDvdPlusRwDualLayer}, {0x2B, kMediaDvdPlusRDualLayer},
        {0x40, kMediaBdRom},   {0x41, kMediaBdR},      {0x42, kMediaBdR},
        {0x43, kMediaBdRe},    {0x50, kMediaHdDvdRom}, {0x51, kMediaHdDvdR},
        {0x52, kMediaHdDvdRam}, {0x02, kMediaDisk},
        {0x00, kMediaUnknown}, {0x53, kMediaUnknown},  {0xFFFF, kMediaUnknown},
    };
    for (const Case& c : cases) EXPECT_EQ(MediaTypeForProfile(c.profile), c.type) << std::hex << c.profile;
}

TEST(MediaTypes, ADriveWritesOnlyItsRecordableProfiles) {
    // A combo drive: reads DVD-ROM and CD-ROM, writes CD-R and CD-RW. Reading DVDs must not
    // make it a DVD writer.
    EXPECT_EQ(WritableMediaTypes({0x08, 0x09, 0x0A, 0x10}),
              (std::vector<PhysicalMediaType>{kMediaCdr, kMediaCdrw}));
    // Both DVD-RW profiles name one media type, listed once.
    EXPECT_EQ(WritableMediaTypes({0x1B, 0x13, 0x14, 0x2B, 0x40}),
              (std::vector<PhysicalMediaType>{kMediaDvdPlusR, kMediaDvdDashRw, kMediaDvdPlusRDualLayer}));
}

TEST(MountPoints, FindsEveryMountOfTheDeviceWithEscapesUndone) {
    const std::string mountinfo =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "40 22 11:0 / /media/user/My\\040Disc ro,nosuid shared:20 - iso9660 /dev/sr0 ro\n"
        "41 22 11:1 / /media/other ro - udf /dev/sr1 ro\n"
        "42 22 11:0 / /mnt/again ro - iso9660 /dev/sr0 ro\n";
    EXPECT_EQ(MountPointsOf(11, 0, mountinfo),
              (std::vector<std::string>{"/media/user/My Disc", "/mnt/again"}));
    EXPECT_TRUE(MountPointsOf(11, 5, mountinfo).empty());
    EXPECT_EQ(VolumePathsOfDevice("/nonexistent/sr9"), std::vector<std::string>{"/nonexistent/sr9"});
}

}  // namespace
}  // namespace orvalis::recorders
