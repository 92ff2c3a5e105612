// The operations callers rely on: the result values for bad input and full media, the media
// defaults, the stream's size, reads and copies, and results that stay as they were made.

#include <gtest/gtest.h>

#include <fcntl.h>
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

std::shared_ptr<InputStream> OpenFile(const std::string& path) {
    auto stream = FileInputStream::Open(path);
    EXPECT_TRUE(stream.ok()) << path;
    return stream.ok() ? std::shared_ptr<InputStream>(*stream) : nullptr;
}

TEST(ImageOperations, AddFileRefusesBadNamesAndMissingStreams) {
    TempDir dir;
    std::string file = dir.Write("x.txt", "x");
    FileSystemImage image;
    EXPECT_EQ(image.Root().AddFile("x.txt", OpenFile(file)), kOk);
    struct Case {
        const char* name;
        ResultCode expected;
    } cases[] = {{"x.txt", kFsiDupName}, {"", kFsiInvalidPath}, {"a/b", kFsiInvalidPath},
                 {".", kFsiInvalidPath}, {"..", kFsiInvalidPath}};
    for (const Case& c : cases) EXPECT_EQ(image.Root().AddFile(c.name, OpenFile(file)), c.expected) << c.name;
    EXPECT_EQ(image.Root().AddFile(std::string(256, 'n'), OpenFile(file)), kFsiInvalidPath);
    // A file that could not be opened reaches AddFile without a stream.
    EXPECT_EQ(image.Root().AddFile("missing.txt", nullptr), kPointerInvalid);
    EXPECT_EQ(FileInputStream::Open(dir / "missing.txt").code(), HResult(0x80070002));
    EXPECT_EQ(image.Root().AddDirectory("x.txt"), kFsiDupName);
    EXPECT_EQ(image.Root().Files().size(), 1u);
}

TEST(ImageOperations, SettingsRefuseWhatNoImageCanHold) {
    FileSystemImage image;
    EXPECT_EQ(image.FileSystemsToCreate(), kFsiFileSystemISO9660 | kFsiFileSystemJoliet);
    EXPECT_EQ(image.SetFileSystemsToCreate(8), kFsiInvalidParam);
    EXPECT_EQ(image.SetFileSystemsToCreate(kFsiFileSystemNone), kFsiInvalidParam);
    EXPECT_EQ(image.SetFileSystemsToCreate(kFsiFileSystemJoliet), kOk);
    EXPECT_EQ(image.FileSystemsToCreate(), kFsiFileSystemISO9660 | kFsiFileSystemJoliet);
    EXPECT_EQ(image.SetVolumeName(std::string(33, 'V')), kFsiInvalidVolumeName);
    EXPECT_EQ(image.SetVolumeName("bad\nname"), kFsiInvalidVolumeName);
    EXPECT_EQ(image.SetVolumeName("RevereRez"), kOk);
    EXPECT_EQ(image.VolumeName(), "RevereRez");
    EXPECT_EQ(image.SetFreeMediaBlocks(-1), kFsiInvalidParam);
    EXPECT_EQ(image.ChooseImageDefaultsForMediaType(MediaType::Unknown), kFsiInvalidParam);
    EXPECT_EQ(image.ChooseImageDefaultsForMediaType(static_cast<MediaType>(20)), kFsiInvalidParam);
}

TEST(ImageOperations, MediaDefaultsSetTheCapacityAndKeepTheChosenFileSystems) {
    struct Case {
        MediaType type;
        int32_t blocks;
    } cases[] = {{MediaType::Cdr, 359844},          {MediaType::DvdPlusR, 2295104},
                 {MediaType::DvdDashR, 2298496},    {MediaType::DvdPlusRDualLayer, 4173824},
                 {MediaType::DvdDashRDualLayer, 4171712}, {MediaType::Disk, 0},
                 {MediaType::BdR, 12219392}};
    for (const Case& c : cases) {
        FileSystemImage image;
        ASSERT_EQ(image.SetFileSystemsToCreate(kFsiFileSystemUDF), kOk);
        EXPECT_EQ(image.ChooseImageDefaultsForMediaType(c.type), kOk);
        EXPECT_EQ(image.FreeMediaBlocks(), c.blocks) << static_cast<int>(c.type);
        EXPECT_EQ(image.FileSystemsToCreate(), kFsiFileSystemUDF);
        EXPECT_EQ(image.BlockSize(), 2048u);
    }
}

TEST(ImageOperations, AnImageLargerThanTheFreeMediaBlocksIsRefusedAndLeftAsItWas) {
    TempDir dir;
    std::string small = dir.Write("small.bin", RandomBytes(40 * 1024, 1));
    WriteFile(dir / "tree/big.bin", RandomBytes(1024 * 1024, 2));
    FileSystemImage image;
    ASSERT_EQ(image.SetFreeMediaBlocks(200), kOk);
    EXPECT_EQ(image.Root().AddFile("small.bin", OpenFile(small)), kOk);
    EXPECT_EQ(image.Root().AddFile("big.bin", OpenFile(dir / "tree/big.bin")), kFsiImageSizeLimit);
    EXPECT_EQ(image.Root().AddTree(dir / "tree", BaseFolder::Included), kFsiImageSizeLimit);
    EXPECT_EQ(image.Root().Files().size(), 1u);
    EXPECT_TRUE(image.Root().Directories().empty());
    EXPECT_EQ(image.SetFreeMediaBlocks(10), kFsiImageTooBig);
    EXPECT_EQ(image.FreeMediaBlocks(), 200);
    EXPECT_EQ(image.ChooseImageDefaultsForMediaType(MediaType::Cdr), kOk);
    EXPECT_EQ(image.Root().AddTree(dir / "tree", BaseFolder::Included), kOk);

    auto result = image.CreateResultImage();
    ASSERT_TRUE(result.ok());
    EXPECT_GE(image.EstimatedBlocks(), (*result)->TotalBlocks());
    EXPECT_EQ((*result)->BlockSize(), 2048u);
}

TEST(ImageOperations, AddTreeWithAndWithoutItsFolderAndOverMatchingNames) {
    TempDir dir;
    WriteFile(dir / "Photos/one.jpg", "new one");
    WriteFile(dir / "Photos/trip/two.jpg", "two");
    std::string old = dir.Write("old.jpg", "old one");
    FileSystemImage image;
    ASSERT_EQ(image.Root().AddTree(dir / "Photos", BaseFolder::Included), kOk);
    ASSERT_NE(image.Root().FindDirectory("Photos"), nullptr);
    EXPECT_EQ(image.Root().FindDirectory("Photos")->Files().count("one.jpg"), 1u);

    FileSystemImage flat;
    ASSERT_EQ(flat.Root().AddFile("one.jpg", OpenFile(old)), kOk);
    ASSERT_EQ(flat.Root().AddDirectory("trip"), kOk);
    ASSERT_EQ(flat.Root().AddTree(dir / "Photos/", BaseFolder::Excluded), kOk);
    // What is on disk wins over what the image held under the same name.
    ASSERT_EQ(WriteImage(flat, dir / "flat.iso"), kOk);
    ASSERT_EQ(Extract(dir / "flat.iso", "iso", dir / "out"), "");
    EXPECT_EQ(TreeDifferences(dir / "Photos", dir / "out"), "");

    EXPECT_EQ(image.Root().AddTree(dir / "nowhere", BaseFolder::Included), kPathNotFound);
    EXPECT_EQ(image.Root().AddTree(old, BaseFolder::Included), kNotAFolder);
}

TEST(ImageOperations, AddTreeOfAFolderWithUnreadableFilesFailsWithoutChangingTheImage) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file; no unreadable file can be made";
    TempDir dir;
    WriteFile(dir / "tree/ok.txt", "ok");
    std::string locked = dir.Write("tree/locked.txt", "locked");
    ::chmod(locked.c_str(), 0);
    FileSystemImage image;
    EXPECT_EQ(image.Root().AddTree(dir / "tree", BaseFolder::Included), kFsiDataStreamCreateFailure);
    EXPECT_TRUE(image.Root().Directories().empty());
}

TEST(ImageOperations, StreamSizeReadsAndCopiesAgree) {
    TempDir dir;
    WriteFile(dir / "src/a.bin", RandomBytes(150000, 3));
    WriteFile(dir / "src/b.bin", RandomBytes(70000, 4));
    FileSystemImage image;
    ASSERT_EQ(image.SetFileSystemsToCreate(kFsiFileSystemsAll), kOk);
    ASSERT_EQ(image.Root().AddTree(dir / "src", BaseFolder::Excluded), kOk);
    auto result = image.CreateResultImage();
    ASSERT_TRUE(result.ok());
    auto stream = (*result)->ImageStream();
    ASSERT_EQ(stream->Size(), uint64_t{(*result)->TotalBlocks()} * 2048);

    // The whole image by Read in odd pieces...
    std::string read;
    std::vector<char> piece(7777);
    for (;;) {
        auto got = stream->Read(piece.data(), piece.size());
        ASSERT_TRUE(got.ok());
        if (*got == 0) break;
        read.append(piece.data(), *got);
    }
    EXPECT_EQ(read.size(), stream->Size());

    // ...and by CopyTo in 64 KiB pieces into a pipe-like descriptor, from a second stream.
    auto second = (*result)->ImageStream();
    std::string copyPath = dir / "copy.iso";
    int fd = ::open(copyPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    uint64_t total = 0;
    for (;;) {
        uint64_t copied = 0;
        ASSERT_EQ(second->CopyTo(fd, 65536, &copied), kOk);
        total += copied;
        if (copied < 65536) break;
    }
    ::close(fd);
    EXPECT_EQ(total, stream->Size());
    EXPECT_EQ(platform::ReadWholeFile(copyPath).value_or(""), read);

    // Reading again from the start gives the same bytes.
    stream->Seek(0);
    std::string again(read.size(), '\0');
    auto got = stream->Read(again.data(), again.size());
    ASSERT_TRUE(got.ok());
    EXPECT_EQ(*got, read.size());
    EXPECT_EQ(again, read);
}

TEST(ImageOperations, AFullDiskFailsTheCopyWithItsCode) {
    int fd = ::open("/dev/full", O_WRONLY);
    if (fd < 0) GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    std::string file = dir.Write("data.bin", RandomBytes(100000, 5));
    FileSystemImage image;
    ASSERT_EQ(image.Root().AddFile("data.bin", OpenFile(file)), kOk);
    auto result = image.CreateResultImage();
    ASSERT_TRUE(result.ok());
    uint64_t copied = 1;
    EXPECT_EQ((*result)->ImageStream()->CopyTo(fd, 65536, &copied), HResult(0x80070070));  // disk full
    EXPECT_EQ(copied, 0u);
    ::close(fd);
}

TEST(ImageOperations, AResultStaysAsItWasMadeWhileTheImageChanges) {
    TempDir dir;
    std::string first = dir.Write("first.txt", "first");
    std::string second = dir.Write("second.txt", "second");
    FileSystemImage image;
    ASSERT_EQ(image.Root().AddFile("first.txt", OpenFile(first)), kOk);
    auto result = image.CreateResultImage();
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(image.Root().AddFile("second.txt", OpenFile(second)), kOk);

    auto stream = (*result)->ImageStream();
    auto out = FileOutputStream::Create(dir / "image.iso");
    ASSERT_TRUE(out.ok());
    ASSERT_EQ(stream->CopyTo(**out, stream->Size()), kOk);
    ASSERT_EQ((*out)->Close(), kOk);
    ASSERT_EQ(Extract(dir / "image.iso", "", dir / "out"), "");
    EXPECT_TRUE(platform::PathExists(dir / "out/first.txt"));
    EXPECT_FALSE(platform::PathExists(dir / "out/second.txt"));
}

TEST(ImageOperations, AnEmptyImageIsAValidImage) {
    TempDir dir;
    for (FsiFileSystems fs : {kFsiFileSystemISO9660, kFsiFileSystemUDF, kFsiFileSystemsAll}) {
        FileSystemImage image;
        ASSERT_EQ(image.SetFileSystemsToCreate(fs), kOk);
        std::string path = dir / ("empty" + std::to_string(fs) + ".iso");
        ASSERT_EQ(WriteImage(image, path), kOk);
        CommandResult listed = Shell("7z l " + Quote(path));
        EXPECT_EQ(listed.status, 0) << listed.output;
        if (fs & kFsiFileSystemUDF) {
            EXPECT_EQ(Shell("udfinfo " + Quote(path)).status, 0);
        }
    }
}

}  // namespace
}  // namespace orvalis::fsimage::testing
