// Files of 4 GiB and more: ISO 9660 records them in several extents, UDF in several
// allocation descriptors. Sparse sources keep the test quick and small on disk; the image
// written through the stream is sparse as well.

#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>

#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "platform/FileSystem.h"

namespace orvalis::fsimage::testing {
namespace {

using orvalis::testing::TempDir;

constexpr uint64_t kGiB = 1ull << 30;
constexpr uint64_t kBigSize = 4 * kGiB + 3 * 1024 * 1024 + 123;

class LargeFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Where the machine has a memory file system, holes read back without the page
        // cache filling with gigabytes of zeros first; elsewhere the test is only slower.
        std::unique_ptr<orvalis::testing::ScopedEnv> tmp;
        if (platform::IsFolder("/dev/shm") && ::access("/dev/shm", W_OK) == 0) {
            tmp = std::make_unique<orvalis::testing::ScopedEnv>("TMPDIR", "/dev/shm");
        }
        dir_ = new TempDir;
        // Marks at the start, across the end of the first ISO 9660 extent and the first UDF
        // extent, and at the very end, so a misplaced extent shows in the bytes.
        WriteSparseFile(*dir_ / "src/big.bin", kBigSize,
                        {{0, "HEAD"}, {kGiB - 2, "UDF-EDGE"}, {0xFFFFF800ull - 3, "ISO-EDGE"},
                         {kBigSize - 4, "TAIL"}});
        WriteFile(*dir_ / "src/after.txt", "the file after the big one\n");
        ASSERT_EQ(ImageOfFolder(*dir_ / "src", kFsiFileSystemsAll, *dir_ / "image.iso"), kOk);
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }

    // Streams one file out of the image with 7z and compares it with the source.
    static std::string CompareThroughSevenZip(const std::string& type, const std::string& name) {
        CommandResult r = Shell("7z e -so -t" + type + " " + Quote(*dir_ / "image.iso") + " " + name +
                                " 2>/dev/null | cmp - " + Quote(*dir_ / ("src/" + name)));
        return r.status == 0 ? "" : r.output + " (status " + std::to_string(r.status) + ")";
    }

    static TempDir* dir_;
};

TempDir* LargeFileTest::dir_ = nullptr;

TEST_F(LargeFileTest, IsoRecordsTheFileInSeveralExtentsThatReadersJoin) {
    auto listing = ListIso(*dir_ / "image.iso", false);
    uint64_t total = 0;
    int extents = 0;
    for (const IsoListing& e : listing) {
        if (e.name == "BIG.BIN;1") {
            total += e.size;
            ++extents;
        }
    }
    EXPECT_EQ(extents, 2);
    EXPECT_EQ(total, kBigSize);
    CommandResult listed = Shell("7z l -tiso " + Quote(*dir_ / "image.iso"));
    EXPECT_NE(listed.output.find(std::to_string(kBigSize)), std::string::npos) << listed.output;
    EXPECT_EQ(CompareThroughSevenZip("iso", "big.bin"), "");
    EXPECT_EQ(CompareThroughSevenZip("iso", "after.txt"), "");
}

TEST_F(LargeFileTest, UdfRecordsTheWholeSize) {
    CommandResult listed = Shell("7z l -tudf " + Quote(*dir_ / "image.iso"));
    EXPECT_NE(listed.output.find(std::to_string(kBigSize)), std::string::npos) << listed.output;
    EXPECT_EQ(CompareThroughSevenZip("udf", "big.bin"), "");
    EXPECT_EQ(CompareThroughSevenZip("udf", "after.txt"), "");
    EXPECT_EQ(Shell("udfinfo " + Quote(*dir_ / "image.iso")).status, 0);
}

TEST_F(LargeFileTest, XorrisoSeesTheWholeFile) {
    CommandResult r = Shell("xorriso -indev stdio:" + Quote(*dir_ / "image.iso") + " -find / -name big.bin -exec lsdl");
    EXPECT_NE(r.output.find(std::to_string(kBigSize)), std::string::npos) << r.output;
}

}  // namespace
}  // namespace orvalis::fsimage::testing
