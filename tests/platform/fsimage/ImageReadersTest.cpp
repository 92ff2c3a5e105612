// Every kind of image, checked only with readers written elsewhere: 7z gives the tree back
// byte for byte, isoinfo and xorriso walk the ISO 9660 side, isovfy and udfinfo accept the
// structures, and a loop mount agrees where the machine has the file systems.

#include <gtest/gtest.h>

#include <ostream>

#include <set>

#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "platform/FileSystem.h"

namespace orvalis::fsimage::testing {
namespace {

using orvalis::testing::TempDir;

// A tree with the awkward corners: an empty file and folder, a file of exactly one block, a
// folder holding enough entries to span several directory blocks, a deep chain, names
// outside ASCII.
void MakeMixedTree(const std::string& root) {
    WriteFile(root + "/a.txt", "hello\n");
    WriteFile(root + "/zero", "");
    WriteFile(root + "/block.bin", RandomBytes(2048, 1));
    WriteFile(root + "/sub/b.bin", RandomBytes(100001, 2));
    WriteFile(root + "/sub/Ñandú café.txt", "non-ascii\n");
    WriteFile(root + "/sub/日本語のファイル.txt", "wide\n");
    platform::CreateFolderPath(root + "/empty");
    std::string deep = root + "/deep";
    for (int i = 0; i < 12; ++i) deep += "/level" + std::to_string(i);
    WriteFile(deep + "/bottom.txt", "bottom\n");
    for (int i = 0; i < 300; ++i) {
        WriteFile(root + "/many/file_with_a_longer_name_" + std::to_string(i) + ".dat",
                  RandomBytes(static_cast<size_t>(i * 37), static_cast<uint32_t>(i)));
    }
}

struct Kind {
    const char* label;
    FsiFileSystems fileSystems;
    const char* reader;  // what 7z is told to read: "iso" (Joliet) or "udf"
};

// Test names and failure messages show the case by its label.
void PrintTo(const Kind& c, std::ostream* out) { *out << c.label; }

class ImageReadersTest : public ::testing::TestWithParam<Kind> {};

TEST_P(ImageReadersTest, SevenZipGivesTheTreeBackByteForByte) {
    TempDir dir;
    MakeMixedTree(dir / "src");
    ASSERT_EQ(ImageOfFolder(dir / "src", GetParam().fileSystems, dir / "image.iso"), kOk);
    ASSERT_EQ(Extract(dir / "image.iso", GetParam().reader, dir / "out"), "");
    EXPECT_EQ(TreeDifferences(dir / "src", dir / "out"), "");
}

TEST_P(ImageReadersTest, OutsideCheckersAcceptTheStructures) {
    TempDir dir;
    MakeMixedTree(dir / "src");
    const FsiFileSystems fs = GetParam().fileSystems;
    ASSERT_EQ(ImageOfFolder(dir / "src", fs, dir / "image.iso"), kOk);
    const std::string image = Quote(dir / "image.iso");
    if (fs & kFsiFileSystemISO9660) {
        CommandResult vfy = Shell("isovfy " + image);
        EXPECT_NE(vfy.output.find("No errors found"), std::string::npos) << vfy.output;
        CommandResult find = Shell("xorriso -indev stdio:" + image + " -find / -type f");
        EXPECT_EQ(find.status, 0) << find.output;
        EXPECT_NE(find.output.find("/sub/Ñandú café.txt"), std::string::npos) << find.output;
        EXPECT_NE(find.output.find("/level11/bottom.txt"), std::string::npos) << find.output;
        EXPECT_EQ(ListIso(dir / "image.iso", true).size(), 300u + 7 + 3 + 13);
    }
    if (fs & kFsiFileSystemUDF) {
        CommandResult info = Shell("udfinfo " + image);
        EXPECT_EQ(info.status, 0) << info.output;
        EXPECT_NE(info.output.find("udfrev=1.02"), std::string::npos) << info.output;
        EXPECT_NE(info.output.find("integrity=closed"), std::string::npos) << info.output;
        EXPECT_NE(info.output.find("label=TESTVOL"), std::string::npos) << info.output;
        EXPECT_NE(info.output.find("numfiles=307"), std::string::npos) << info.output;
        EXPECT_NE(info.output.find("numdirs=17"), std::string::npos) << info.output;
    } else {
        EXPECT_NE(Shell("udfinfo " + image).status, 0);
    }
}

TEST_P(ImageReadersTest, LoopMountAgreesWithTheTree) {
    const FsiFileSystems fs = GetParam().fileSystems;
    const std::string type = (fs & kFsiFileSystemUDF) ? "udf" : "iso9660";
    std::string why;
    if (!CanLoopMount(type, &why)) GTEST_SKIP() << "no loop mount: " << why;
    TempDir dir;
    MakeMixedTree(dir / "src");
    ASSERT_EQ(ImageOfFolder(dir / "src", fs, dir / "image.iso"), kOk);
    platform::CreateFolderPath(dir / "mnt");
    CommandResult mount = Shell("mount -t " + type + " -o loop,ro " + Quote(dir / "image.iso") + " " + Quote(dir / "mnt"));
    if (mount.status != 0) GTEST_SKIP() << "loop mount refused: " << mount.output;
    std::string differences = TreeDifferences(dir / "src", dir / "mnt");
    Shell("umount " + Quote(dir / "mnt"));
    EXPECT_EQ(differences, "");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ImageReadersTest,
    ::testing::Values(Kind{"IsoJoliet", kFsiFileSystemISO9660 | kFsiFileSystemJoliet, "iso"},
                      Kind{"UdfOnly", kFsiFileSystemUDF, "udf"},
                      Kind{"BridgeReadAsUdf", kFsiFileSystemsAll, "udf"},
                      Kind{"BridgeReadAsJoliet", kFsiFileSystemsAll, "iso"}),
    [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.label); });

TEST(IsoOnlyImage, HoldsUpperCaseNamesThatReadBackAsTheyWere) {
    // Names that ISO 9660 can hold unchanged come back unchanged without Joliet.
    TempDir dir;
    WriteFile(dir / "src/README.TXT", "read me\n");
    WriteFile(dir / "src/DATA/VALUES.BIN", RandomBytes(5000, 3));
    WriteFile(dir / "src/DATA/EMPTY.DAT", "");
    platform::CreateFolderPath(dir / "src/NOTHING");
    ASSERT_EQ(ImageOfFolder(dir / "src", kFsiFileSystemISO9660, dir / "image.iso"), kOk);
    CommandResult d = Shell("isoinfo -d -i " + Quote(dir / "image.iso"));
    EXPECT_NE(d.output.find("NO Joliet present"), std::string::npos) << d.output;
    EXPECT_NE(d.output.find("Volume id: TESTVOL"), std::string::npos) << d.output;
    ASSERT_EQ(Extract(dir / "image.iso", "iso", dir / "out"), "");
    EXPECT_EQ(TreeDifferences(dir / "src", dir / "out"), "");
    EXPECT_NE(Shell("isovfy " + Quote(dir / "image.iso")).output.find("No errors found"), std::string::npos);
}

TEST(BridgeImage, SharesOneCopyOfEachFileBetweenTheFileSystems) {
    TempDir dir;
    WriteFile(dir / "src/one.bin", RandomBytes(300000, 4));
    WriteFile(dir / "src/two.bin", RandomBytes(300000, 5));
    ASSERT_EQ(ImageOfFolder(dir / "src", kFsiFileSystemsAll, dir / "image.iso"), kOk);
    // The ISO 9660 and Joliet records point at the same blocks, and the image holds the
    // data once: far less than two copies of 600 000 bytes.
    auto iso = ListIso(dir / "image.iso", false);
    auto joliet = ListIso(dir / "image.iso", true);
    ASSERT_EQ(iso.size(), 2u);
    ASSERT_EQ(joliet.size(), 2u);
    EXPECT_EQ(iso[0].block, joliet[0].block);
    EXPECT_EQ(iso[1].block, joliet[1].block);
    EXPECT_LT(platform::FileSize(dir / "image.iso").value_or(0), 600000u + 1200u * 1024);
    ASSERT_EQ(Extract(dir / "image.iso", "udf", dir / "udf"), "");
    EXPECT_EQ(TreeDifferences(dir / "src", dir / "udf"), "");
}

}  // namespace
}  // namespace orvalis::fsimage::testing
