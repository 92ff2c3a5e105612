// orvalis-cli disks and disk-image as a script runs them, on a fake disk tree.
#include <gtest/gtest.h>

#include <fstream>

#include "TestSupport.h"
#include "platform/FileSystem.h"
#include "platform/disks/support/FakeDiskTree.h"

using orvalis::platform::ReadWholeFile;
using orvalis::testing::FakeDiskTree;
using orvalis::testing::RunCommand;

namespace {

class CliDisksTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.Add({.name = "sda", .size = 60000, .table = "dos",
                   .partitions = {{.number = 1, .start = 2048, .size = 20480, .type = "c",
                                   .mkfs = "mkfs.vfat -F 16 -s 1 -n PHOTOS"},
                                  {.number = 2, .start = 22528, .size = 2000, .type = "83"}}});
        tree_.Add({.name = "sdb", .size = 4000, .removable = true});
        // Every byte of the disk tells where it is, so that a shifted copy shows.
        std::string bytes = *ReadWholeFile(tree_.DevicePath("sda"));
        for (size_t i = 22528 * 512; i < 24528 * 512; ++i) bytes[i] = static_cast<char>(i / 512 + i);
        std::ofstream(tree_.DevicePath("sda"), std::ios::binary) << bytes;
        disk_ = bytes;
        photos_ = tree_.Mount("sda1", "vfat");
    }
    orvalis::testing::CommandResult Cli(const std::string& args) {
        const auto roots = tree_.Roots();
        return RunCommand("ORVALIS_SYSFS_ROOT='" + roots.sysfs + "' ORVALIS_DEV_ROOT='" +
                          roots.dev + "' ORVALIS_MOUNTINFO='" + roots.mountInfo + "' '" +
                          orvalis::testing::BinDir() + "/orvalis-cli' " + args + " 2>&1");
    }
    FakeDiskTree tree_;
    std::string disk_;
    std::string photos_;
    std::string out_ = tree_.Folder("images");
};

TEST_F(CliDisksTest, ListsDisksAndTheirEntries) {
    auto result = Cli("disks");
    ASSERT_EQ(result.status, 0) << result.output;
    const std::string& text = result.output;
    EXPECT_NE(text.find("Disk 0  " + tree_.DevicePath("sda") + "  fixed  29.30 MB"),
              std::string::npos) << text;
    EXPECT_NE(text.find("Disk 1  " + tree_.DevicePath("sdb") + "  removable"),
              std::string::npos) << text;
    EXPECT_NE(text.find(photos_), std::string::npos) << text;
    EXPECT_NE(text.find("PHOTOS"), std::string::npos) << text;
    EXPECT_NE(text.find("(unallocated)"), std::string::npos) << text;  // after partition 2
    EXPECT_NE(text.find("(whole disk)"), std::string::npos) << text;
}

TEST_F(CliDisksTest, ImagesAnEntryOrAWholeDisk) {
    auto entry = Cli("disk-image --entry 2 --out '" + out_ + "/two.img'");
    ASSERT_EQ(entry.status, 0) << entry.output;
    EXPECT_TRUE(*ReadWholeFile(out_ + "/two.img") == disk_.substr(22528 * 512, 2000 * 512));
    auto whole = Cli("disk-image --disk 1 --out '" + out_ + "/stick.img'");
    ASSERT_EQ(whole.status, 0) << whole.output;
    EXPECT_EQ(orvalis::platform::FileSize(out_ + "/stick.img").value_or(0), 4000u * 512);
}

TEST_F(CliDisksTest, RefusesBadRequests) {
    struct Case {
        std::string args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {"disk-image --entry 1 --out '" + photos_ + "/self.img'", 1, "volume being imaged"},
        {"disk-image --disk 0 --out '" + photos_ + "/self.img'", 1, "disk being imaged"},
        {"disk-image --entry 42 --out '" + out_ + "/x.img'", 1, "no entry 42"},
        {"disk-image --disk 9 --out '" + out_ + "/x.img'", 1, "no disk 9"},
        {"disk-image --disk 0 --entry 1 --out x.img", 2, "either --disk or --entry"},
        {"disk-image --entry 1", 2, "--out FILE is missing"},
        {"disk-image --entry one --out x.img", 2, "usage:"},
        {"disks extra", 2, "usage:"},
    };
    for (const Case& c : cases) {
        auto result = Cli(c.args);
        EXPECT_EQ(result.status, c.status) << c.args << "\n" << result.output;
        EXPECT_NE(result.output.find(c.says), std::string::npos) << c.args << "\n" << result.output;
    }
}

}  // namespace
