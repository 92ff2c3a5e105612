#include "media/WorkFolder.h"

#include <gtest/gtest.h>

#include <map>

#include "MediaTestSupport.h"

using namespace orvalis;
using namespace orvalis::media;

namespace {

FreeBytesQuery Table(std::map<std::string, uint64_t> free) {
    return [free](const std::string& path) -> std::optional<uint64_t> {
        auto it = free.find(path);
        if (it == free.end()) return std::nullopt;
        return it->second;
    };
}

class WorkFolderTest : public orvalis::testing::MediaTest {};

}  // namespace

TEST(WorkFolderChoice, AppDataWhenItsVolumeHasRoomElseTheRootWithMostFreeSpace) {
    const std::vector<std::string> roots{"/", "/media/usb", "/srv", "/mnt/net"};
    struct Case {
        uint64_t appDataFree;
        std::map<std::string, uint64_t> rootsFree;
        std::string expected;
    } cases[] = {
        {21474836481ull, {{"/srv", 1ull << 40}}, "/home/u/.local/share/Orvalis/Tessaly_tmp_backup"},
        {21474836480ull, {{"/", 100}, {"/media/usb", 300}, {"/srv", 200}}, "/media/usb/Tessaly_tmp_backup"},
        {0, {{"/", 300}, {"/media/usb", 300}}, "/Tessaly_tmp_backup"},  // a tie keeps the first
        {0, {{"/", 0}, {"/srv", 0}}, ""},                                // no room anywhere
        {0, {}, ""},                                                     // nothing answers
    };
    for (const Case& c : cases) {
        auto free = c.rootsFree;
        free["/home/u/.local/share"] = c.appDataFree;
        EXPECT_EQ(ChooseWorkFolder("/home/u/.local/share/Orvalis", "/home/u/.local/share", roots, Table(free)),
                  c.expected)
            << c.appDataFree;
    }
}

TEST(WorkFolderChoice, MountRootsAreRealWritableFileSystems) {
    const std::string table =
        "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "23 22 0:21 / /proc rw,nosuid - proc proc rw\n"
        "24 22 0:22 / /tmp rw - tmpfs tmpfs rw\n"
        "25 22 8:1 / /media/my\\040stick rw,nosuid shared:5 master:2 - vfat /dev/sdb1 rw\n"
        "26 22 8:2 / /mnt/cdrom ro - iso9660 /dev/sr0 ro\n"
        "27 22 0:50 / /srv/share rw - nfs4 server:/export rw\n"
        "28 22 254:0 /home /home rw - ext4 /dev/vda rw\n"
        "29 22 254:0 / / rw - ext4 /dev/vda rw\n"
        "broken line\n";
    EXPECT_EQ(WritableMountRoots(table),
              (std::vector<std::string>{"/", "/media/my stick", "/srv/share", "/home"}));
}

TEST_F(WorkFolderTest, IsChosenOnceAndMade) {
    const std::string folder = WorkFolder();
    const bool roomy = FreeBytesOf(platform::UserDataRoot()).value_or(0) > kAppDataFreeThreshold;
    if (roomy) {
        EXPECT_EQ(folder, platform::AppDataFolder() + "/Tessaly_tmp_backup");
    } else {
        EXPECT_NE(folder.rfind(platform::AppDataFolder(), 0), 0u);
    }
    if (!folder.empty()) {
        EXPECT_TRUE(platform::IsFolder(folder));
    }
    EXPECT_EQ(WorkFolder(), folder);
}
