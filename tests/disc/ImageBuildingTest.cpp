#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "DiscTestSupport.h"
#include "disc/ImageBuilding.h"
#include "platform/FileSystem.h"
#include "platform/fsimage/FileOutputStream.h"

namespace orvalis::disc {
namespace {

using orvalis::testing::RunCommand;
using orvalis::testing::TempDir;
using testing::ExtractImage;

// Writes a built image to a file.
std::string SaveImage(const std::shared_ptr<fsimage::DiscImageStream>& stream, const std::string& path) {
    auto file = fsimage::FileOutputStream::Create(path);
    EXPECT_TRUE(file.ok());
    EXPECT_EQ(stream->CopyTo(**file, stream->Size()), kOk);
    EXPECT_EQ((*file)->Close(), kOk);
    return path;
}

struct PercentLog : ProgressSink {
    std::vector<int32_t> seen;
    size_t cancelAt = 0;  // the report (1-based) that answers kJobCancelled; 0: never
    ResultCode UpdateProgress(int32_t percent) override {
        seen.push_back(percent);
        return seen.size() == cancelAt ? kJobCancelled : kOk;
    }
};

TEST(BuildImage, TheFileSystemChoiceDecidesWhatTheImageRecords) {
    TempDir dir;
    std::string file = dir.Write("in/A long file name.text", "joliet keeps this name");
    media::DiscProject project;
    project.Items = {{0, 22, file}};
    struct Case {
        int32_t choice;
        const char* type;    // as the archive tool names the file system it reads
        bool longName;       // the name as given is in the image
    };
    for (const Case& c : {Case{0, "Iso", true}, Case{1, "Iso", false}, Case{2, "Udf", true},
                          Case{7, "Iso", true}}) {
        SCOPED_TRACE(c.choice);
        std::shared_ptr<fsimage::DiscImageStream> stream;
        ASSERT_EQ(BuildImage(project, c.choice, "LABEL", 12, &stream), kOk);
        std::string image = SaveImage(stream, dir / ("choice" + std::to_string(c.choice) + ".iso"));
        auto listing = RunCommand("7z l -slt '" + image + "'");
        EXPECT_NE(listing.output.find(std::string("Type = ") + c.type), std::string::npos) << listing.output;
        EXPECT_EQ(listing.output.find("A long file name.text") != std::string::npos, c.longName);
    }
    EXPECT_EQ(FileSystemsForChoice(2), fsimage::kFsiFileSystemUDF);
    EXPECT_EQ(FileSystemsForChoice(1), fsimage::kFsiFileSystemISO9660);
    EXPECT_EQ(FileSystemsForChoice(0), fsimage::kFsiFileSystemISO9660 | fsimage::kFsiFileSystemJoliet);
}

TEST(BuildImage, ADvdVideoProjectPutsTheAuthoredFoldersInTheRoot) {
    TempDir dir;
    dir.Write("dvd/VIDEO_TS/VIDEO_TS.IFO", "ifo");
    platform::CreateFolderPath(dir / "dvd/AUDIO_TS");
    media::DiscProject project;
    project.Kind = media::DiscProject::kDvdVideo;
    project.Items = {{0, 3, dir / "not-burned.txt"}};
    project.AuthoredFolders = {{1, 3, dir / "dvd/VIDEO_TS"}, {1, 0, dir / "dvd/AUDIO_TS"}};
    std::shared_ptr<fsimage::DiscImageStream> stream;
    ASSERT_EQ(BuildImage(project, 2, "DVD", 6, &stream), kOk);
    std::string out = ExtractImage(SaveImage(stream, dir / "dvd.iso"), dir / "out");
    EXPECT_EQ(platform::ReadWholeFile(out + "/VIDEO_TS/VIDEO_TS.IFO"), "ifo");
    EXPECT_TRUE(platform::IsFolder(out + "/AUDIO_TS"));
    EXPECT_FALSE(platform::PathExists(out + "/not-burned.txt"));

    // A folder that is not there leaves the disc without it: that is a failure, not a disc
    // with a missing VIDEO_TS.
    project.AuthoredFolders[0].path = dir / "gone/VIDEO_TS";
    EXPECT_NE(BuildImage(project, 2, "DVD", 6, &stream), kOk);
}

class IsoFile : public ::testing::Test {
protected:
    // A folder whose ISO file is exactly 204 800 bytes: the image's own blocks, measured with
    // the file empty, and the file filling the rest.
    void SetUp() override {
        std::string vob = dir.Write("dvd/VIDEO_TS/VTS_01_1.VOB", "");
        std::string probe = dir / "probe.iso";
        ASSERT_EQ(RevereRezFromFolder(nullptr, dir / "dvd", 0, probe), kOk);
        base = platform::FileSize(probe).value_or(0);
        ASSERT_GT(base, 0u);
        ASSERT_LT(base, kImageBytes);
        dir.Write("dvd/VIDEO_TS/VTS_01_1.VOB", std::string(kImageBytes - base, 'v'));
    }
    static constexpr uint64_t kImageBytes = 204800;
    TempDir dir;
    uint64_t base = 0;
    std::string iso = dir / "out.ISO";
};

TEST_F(IsoFile, IsCopiedInChunksWithAPercentageAfterEach) {
    PercentLog log;
    ASSERT_EQ(RevereRezFromFolder(&log, dir / "dvd", 0, iso), kOk);
    ASSERT_EQ(platform::FileSize(iso).value_or(0), kImageBytes);
    EXPECT_EQ(log.seen, (std::vector<int32_t>{32, 64, 96, 100}));
    std::string out = ExtractImage(iso, dir / "out");
    EXPECT_EQ(platform::FileSize(out + "/VIDEO_TS/VTS_01_1.VOB"), kImageBytes - base);
    auto info = RunCommand("isoinfo -d -i '" + iso + "'");
    // The ISO 9660 volume id holds upper case only.
    EXPECT_NE(info.output.find("Volume id: REVEREREZ"), std::string::npos) << info.output;
}

TEST_F(IsoFile, ACancelStopsAfterTheChunkInProgressAndLeavesThePartialFile) {
    platform::WriteWholeFile(iso, std::string(300000, 'o'));  // an older file is replaced
    PercentLog log;
    log.cancelAt = 2;
    EXPECT_EQ(RevereRezFromFolder(&log, dir / "dvd", 0, iso), kJobCancelled);
    EXPECT_EQ(log.seen, (std::vector<int32_t>{32, 64}));
    EXPECT_EQ(platform::FileSize(iso).value_or(0), 2 * kIsoChunkBytes);
}

TEST_F(IsoFile, AFolderThatCannotBeReadOrAFileThatCannotBeMadeFails) {
    EXPECT_NE(RevereRezFromFolder(nullptr, dir / "missing", 0, iso), kOk);
    EXPECT_FALSE(platform::PathExists(iso));
    EXPECT_NE(RevereRezFromFolder(nullptr, dir / "dvd", 0, dir / "no/such/folder/x.ISO"), kOk);
}

}  // namespace
}  // namespace orvalis::disc
