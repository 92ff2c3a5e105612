// A DVD-Video folder made by the authoring tool becomes an image whose VIDEO_TS files come
// first, one after the other in name order, and that players' readers can open.

#include <gtest/gtest.h>

#include <algorithm>

#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "platform/FileSystem.h"
#include "platform/fsimage/FileInputStream.h"

namespace orvalis::fsimage::testing {
namespace {

using orvalis::testing::TempDir;

class DvdVideoImageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        const std::string video = *dir_ / "title.mpg";
        const std::string dvd = *dir_ / "dvd";
        CommandResult made = Shell(
            "ffmpeg -v error -f lavfi -i testsrc=size=720x480:rate=30000/1001 -f lavfi -i "
            "anullsrc=r=48000:cl=stereo -t 1 -target ntsc-dvd -y " + Quote(video) +
            " && VIDEO_FORMAT=NTSC dvdauthor -o " + Quote(dvd) + " -t " + Quote(video) +
            " && VIDEO_FORMAT=NTSC dvdauthor -o " + Quote(dvd) + " -T");
        ASSERT_EQ(made.status, 0) << made.output;
        ASSERT_TRUE(platform::PathExists(dvd + "/VIDEO_TS/VTS_01_1.VOB"));
        // A file whose name sorts before VIDEO_TS: it must still come after the DVD files.
        WriteFile(*dir_ / "AAA_FIRST.TXT", "a note\n");
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }

    static ResultCode MakeImage(FsiFileSystems fs, const std::string& path) {
        FileSystemImage image;
        image.SetFileSystemsToCreate(fs);
        image.ChooseImageDefaultsForMediaType(MediaType::Disk);
        image.SetVolumeName("RevereRez");
        auto note = FileInputStream::Open(*dir_ / "AAA_FIRST.TXT");
        if (!note.ok()) return note.code();
        if (ResultCode rc = image.Root().AddFile("AAA_FIRST.TXT", *note); rc != kOk) return rc;
        if (ResultCode rc = image.Root().AddTree(*dir_ / "dvd", BaseFolder::Excluded); rc != kOk) return rc;
        return WriteImage(image, path);
    }

    static TempDir* dir_;
};

TempDir* DvdVideoImageTest::dir_ = nullptr;

TEST_F(DvdVideoImageTest, VideoFilesComeFirstContiguousAndInNameOrder) {
    const std::string image = *dir_ / "bridge.iso";
    ASSERT_EQ(MakeImage(kFsiFileSystemsAll, image), kOk);
    auto listing = ListIso(image, false);
    std::vector<IsoListing> video;
    uint64_t firstOther = UINT64_MAX;
    for (const IsoListing& e : listing) {
        if (e.directory) continue;
        if (e.folder == "/VIDEO_TS/") video.push_back(e);
        else firstOther = std::min(firstOther, e.block);
    }
    ASSERT_EQ(video.size(), 5u);
    std::sort(video.begin(), video.end(), [](const IsoListing& a, const IsoListing& b) { return a.name < b.name; });
    for (size_t i = 0; i + 1 < video.size(); ++i) {
        EXPECT_EQ(video[i + 1].block, video[i].block + (video[i].size + 2047) / 2048)
            << video[i].name << " then " << video[i + 1].name;
    }
    EXPECT_LT(video.back().block, firstOther);

    // The title set read straight out of the image where the listing says it lies.
    auto vob = std::find_if(video.begin(), video.end(), [](const IsoListing& e) { return e.name == "VTS_01_1.VOB;1"; });
    ASSERT_NE(vob, video.end());
    const uint64_t start = vob->block * 2048;
    CommandResult probe = Shell("ffprobe -v error -show_entries stream=codec_name -of csv=p=0 'subfile,,start," +
                                std::to_string(start) + ",end," + std::to_string(start + vob->size) + ",,:" +
                                image + "'");
    EXPECT_EQ(probe.status, 0) << probe.output;
    EXPECT_NE(probe.output.find("mpeg2video"), std::string::npos) << probe.output;

    ASSERT_EQ(Extract(image, "udf", *dir_ / "out-bridge"), "");
    EXPECT_EQ(TreeDifferences(*dir_ / "dvd/VIDEO_TS", *dir_ / "out-bridge/VIDEO_TS"), "");
    EXPECT_TRUE(platform::IsFolder(*dir_ / "out-bridge/AUDIO_TS"));
}

TEST_F(DvdVideoImageTest, UdfOnlyImageGivesTheTitleToFfprobe) {
    const std::string image = *dir_ / "udf.iso";
    ASSERT_EQ(MakeImage(kFsiFileSystemUDF, image), kOk);
    CommandResult probe = Shell("7z e -so -tudf " + Quote(image) + " VIDEO_TS/VTS_01_1.VOB 2>/dev/null | "
                                "ffprobe -v error -show_entries stream=codec_name -of csv=p=0 -");
    EXPECT_NE(probe.output.find("mpeg2video"), std::string::npos) << probe.output;
    ASSERT_EQ(Extract(image, "udf", *dir_ / "out-udf"), "");
    EXPECT_EQ(TreeDifferences(*dir_ / "dvd/VIDEO_TS", *dir_ / "out-udf/VIDEO_TS"), "");
    EXPECT_EQ(Shell("udfinfo " + Quote(image)).status, 0);
}

}  // namespace
}  // namespace orvalis::fsimage::testing
