// A source that is gone or has another size by the time the image is streamed makes the
// stream fail, so a caller never writes an image that silently lacks bytes.

#include <gtest/gtest.h>

#include <ostream>

#include <unistd.h>

#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "platform/FileSystem.h"
#include "platform/fsimage/FileInputStream.h"
#include "platform/fsimage/FileOutputStream.h"
#include "platform/fsimage/FileSystemImageResult.h"
#include "platform/fsimage/FsiResults.h"

namespace orvalis::fsimage::testing {
namespace {

using orvalis::testing::TempDir;

enum class Added { ByFile, ByTree };
enum class Change { Deleted, Grown, Shrunk, Replaced };

struct Case {
    const char* label;
    Added added;
    Change change;
    ResultCode expected;
};

// Test names and failure messages show the case by its label.
void PrintTo(const Case& c, std::ostream* out) { *out << c.label; }

class SourceChangesTest : public ::testing::TestWithParam<Case> {};

TEST_P(SourceChangesTest, StreamingFailsWithTheServiceCode) {
    const Case& c = GetParam();
    TempDir dir;
    WriteFile(dir / "src/before.bin", RandomBytes(10000, 1));
    WriteFile(dir / "src/victim.bin", RandomBytes(300000, 2));
    FileSystemImage image;
    if (c.added == Added::ByTree) {
        ASSERT_EQ(image.Root().AddTree(dir / "src", BaseFolder::Excluded), kOk);
    } else {
        for (const char* name : {"before.bin", "victim.bin"}) {
            auto stream = FileInputStream::Open(dir / "src/" + name);
            ASSERT_TRUE(stream.ok());
            ASSERT_EQ(image.Root().AddFile(name, *stream), kOk);
        }
    }
    auto result = image.CreateResultImage();
    ASSERT_TRUE(result.ok());

    const std::string victim = dir / "src/victim.bin";
    switch (c.change) {
        case Change::Deleted: ::unlink(victim.c_str()); break;
        case Change::Grown: WriteFile(victim, RandomBytes(300001, 2)); break;
        case Change::Shrunk: ASSERT_EQ(::truncate(victim.c_str(), 1000), 0); break;
        case Change::Replaced:
            ::unlink(victim.c_str());
            WriteFile(victim, "");
            break;
    }

    auto stream = (*result)->ImageStream();
    auto out = FileOutputStream::Create(dir / "image.iso");
    ASSERT_TRUE(out.ok());
    ResultCode rc = kOk;
    uint64_t copied = 0;
    while (rc == kOk && copied < stream->Size()) {
        uint64_t n = 0;
        rc = stream->CopyTo(**out, 65536, &n);
        copied += n;
    }
    EXPECT_EQ(rc, c.expected);
    EXPECT_LT(copied, stream->Size());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SourceChangesTest,
    ::testing::Values(Case{"FileDeleted", Added::ByFile, Change::Deleted, kFsiDataStreamReadFailure},
                      Case{"TreeFileDeleted", Added::ByTree, Change::Deleted, kFsiDataStreamReadFailure},
                      Case{"FileGrown", Added::ByFile, Change::Grown, kFsiDataStreamInconsistency},
                      Case{"TreeFileGrown", Added::ByTree, Change::Grown, kFsiDataStreamInconsistency},
                      Case{"TreeFileShrunk", Added::ByTree, Change::Shrunk, kFsiDataStreamInconsistency},
                      Case{"FileReplacedByEmpty", Added::ByFile, Change::Replaced, kFsiDataStreamInconsistency}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.label); });

TEST(SourceChanges, AFileThatShrinksWhileItIsReadFailsTheRead) {
    // The size is right when the file is opened but the bytes run out part way.
    TempDir dir;
    std::string path = dir.Write("moving.bin", RandomBytes(1 << 20, 3));
    auto source = FileInputStream::Open(path);
    ASSERT_TRUE(source.ok());
    std::vector<char> buffer(4096);
    ASSERT_TRUE((*source)->ReadAt(0, buffer.data(), buffer.size()).ok());
    ASSERT_EQ(::truncate(path.c_str(), 8192), 0);
    auto got = (*source)->ReadAt(4096, buffer.data(), buffer.size());
    EXPECT_TRUE(got.ok());  // still inside what is left
    std::vector<char> rest((1 << 20) - 8192);
    auto tail = (*source)->ReadAt(8192, rest.data(), rest.size());
    ASSERT_FALSE(tail.ok());
    EXPECT_EQ(tail.code(), kFsiDataStreamInconsistency);
}

}  // namespace
}  // namespace orvalis::fsimage::testing
