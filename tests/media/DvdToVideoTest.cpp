#include "media/DvdToVideo.h"

#include <gtest/gtest.h>

#include "MediaTestSupport.h"
#include "media/ToolLocations.h"
#include "media/WorkFolder.h"

using namespace orvalis;
using namespace orvalis::media;
using orvalis::testing::Ffprobe;
using orvalis::testing::RecordingSink;

namespace {

class DvdToVideoTest : public orvalis::testing::MediaTest {
protected:
    // A DVD folder whose title set is split in two program-stream files, and the video
    // manager's own VOB, which is not part of the title.
    std::string MakeDvdFolder(const std::string& name, double partSeconds) {
        const std::string folder = Path(name);
        platform::CreateFolderPath(folder + "/VIDEO_TS");
        platform::CreateFolderPath(folder + "/AUDIO_TS");
        int index = 0;
        for (const char* vob : {"VTS_01_1.VOB", "VTS_01_2.VOB", "VIDEO_TS.VOB"}) {
            double seconds = index++ == 2 ? 3.0 : partSeconds;
            char length[32];
            std::snprintf(length, sizeof length, "%.2f", seconds);
            auto r = orvalis::testing::RunCommand(
                "ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=720x480:rate=30000/1001:duration=" +
                std::string(length) + " -f lavfi -i sine=duration=" + length + " -target ntsc-dvd '" + folder +
                "/VIDEO_TS/" + vob + "' 2>&1");
            EXPECT_EQ(r.status, 0) << r.output;
        }
        return folder;
    }
};

}  // namespace

TEST_F(DvdToVideoTest, TitleFilesAreTheTitleSetVobsInOrder) {
    for (const char* name : {"VTS_02_1.VOB", "VTS_01_1.VOB", "VIDEO_TS.VOB", "VTS_01_0.VOB", "VTS_01_2.VOB",
                             "vts_03_1.vob", "Vts_04_1.VOB", "VTS_05_1.Vob", "VTS_01_0.IFO", ".VTS_09_1.VOB"}) {
        root_.Write(std::string("d/VIDEO_TS/") + name, "");
    }
    std::vector<std::string> vobs;
    ASSERT_EQ(FindTitleVobs(Path("d/VIDEO_TS"), vobs), 1);
    const std::string d = Path("d/VIDEO_TS/");
    EXPECT_EQ(vobs, (std::vector<std::string>{d + "VTS_01_0.VOB", d + "VTS_01_1.VOB", d + "VTS_01_2.VOB",
                                              d + "VTS_02_1.VOB", d + "vts_03_1.vob"}));
    EXPECT_EQ(FindTitleVobs(Path("nothing"), vobs), 0);

    EXPECT_EQ(ConvertCommandLine("/a/tool", {d + "VTS_01_1.VOB"}, "/o/1.MP4"),
              "\"/a/tool\"-i \"concat:" + d + "VTS_01_1.VOB|\" -c:v libx264 -c:a aac -strict experimental  \"/o/1.MP4\"");
    EXPECT_EQ(ConvertCommandLine("/a/tool", {"/x/1.VOB", "/x/2.VOB"}, "/o/1.MKV"),
              R"("/a/tool"-i "concat:/x/1.VOB|/x/2.VOB|" -c:v libx264 -c:a aac -strict experimental  "/o/1.MKV")");
}

TEST_F(DvdToVideoTest, AFolderBecomesEachOfTheFourContainers) {
    const std::string dvd = MakeDvdFolder("my dvd", 1.0);
    const std::string out = Path("videos");
    platform::CreateFolderPath(out);
    for (const char* format : {"MP4", "MKV", "AVI", "MOV"}) {
        RecordingSink sink;
        std::string output;
        ASSERT_EQ(ConvertDvdFolderToVideo(format, sink, dvd, out, &output), kOk) << format;
        EXPECT_EQ(platform::FolderOf(output), out + "/");
        EXPECT_EQ(output.substr(output.size() - 4), std::string(".") + format);
        auto facts = Ffprobe(output);
        EXPECT_EQ(facts.videoCodec, "h264") << format;
        EXPECT_EQ(facts.audioCodec, "aac") << format;
        EXPECT_NEAR(facts.duration, 2.0, 0.5) << format;  // both title parts, not the manager's VOB
        EXPECT_EQ(sink.reports().back(), 100);
        for (int32_t p : sink.reports()) EXPECT_LE(p, 100);
    }
}

TEST_F(DvdToVideoTest, AnImageIsExtractedIntoTheWorkFolderAndConverted) {
    const std::string dvd = MakeDvdFolder("dvd", 1.0);
    const std::string image = Path("dvd.iso");
    auto r = orvalis::testing::RunCommand("genisoimage -quiet -udf -o '" + image + "' '" + dvd + "' 2>&1");
    ASSERT_EQ(r.status, 0) << r.output;
    // Title files of an earlier image must not be joined in.
    root_.Write(std::filesystem::relative(WorkFolder(), root_.path()).string() + "/VIDEO_TS/VTS_09_1.VOB", "old");

    ArchiveToolState state;
    RecordingSink sink;
    std::string output;
    platform::CreateFolderPath(Path("out"));
    ASSERT_EQ(ConvertIsoToVideo(image, Path("out"), state, "MP4", sink, &output), 0);
    auto facts = Ffprobe(output);
    EXPECT_EQ(facts.videoCodec, "h264");
    EXPECT_EQ(facts.audioCodec, "aac");
    EXPECT_NEAR(facts.duration, 2.0, 0.5);
    EXPECT_FALSE(platform::PathExists(WorkFolder() + "/VIDEO_TS/VTS_09_1.VOB"));

    std::string junk = root_.Write("junk.iso", std::string(50000, 'j'));
    EXPECT_EQ(ConvertIsoToVideo(junk, Path("out"), state, "MP4", sink), -1);
}

TEST_F(DvdToVideoTest, CancelStopsTheTranscoderAndLeavesNoOutput) {
    const std::string dvd = MakeDvdFolder("long dvd", 15.0);
    platform::CreateFolderPath(Path("out"));
    RecordingSink sink([](int32_t) { return true; });
    std::string output;
    EXPECT_EQ(ConvertDvdFolderToVideo("MKV", sink, dvd, Path("out"), &output), kJobCancelled);
    EXPECT_FALSE(output.empty());
    EXPECT_FALSE(platform::PathExists(output));
    EXPECT_TRUE(orvalis::testing::ProcessesRunning(TranscoderPath()).empty());
}

TEST_F(DvdToVideoTest, LongTitlesAreCappedAndProgressStopsAtOneHundred) {
    // A stand-in transcoder: a three-hour title when probed, progress past the cap when
    // converting, and an output file.
    FakeTranscoder(
        "if [ $# -le 2 ]; then echo '  Duration: 03:00:00.00, start: 0'; exit 0; fi\n"
        "for last; do :; done\n"
        "echo 'time=01:00:00.00 bitrate=1'; sleep 0.1; echo 'time=03:00:00.00 bitrate=1'; echo v > \"$last\"\n");
    root_.Write("d/VIDEO_TS/VTS_01_1.VOB", "x");
    RecordingSink sink;
    std::string output;
    platform::CreateFolderPath(Path("out"));
    ASSERT_EQ(ConvertDvdFolderToVideo("MP4", sink, Path("d"), Path("out"), &output), kOk);
    EXPECT_EQ(sink.reports(), (std::vector<int32_t>{50, 100, 100}));
    EXPECT_TRUE(platform::PathExists(output));
}

TEST_F(DvdToVideoTest, FailuresAreNeverReportedAsSuccess) {
    root_.Write("empty/VIDEO_TS/VIDEO_TS.IFO", "x");
    RecordingSink sink;
    EXPECT_EQ(ConvertDvdFolderToVideo("MP4", sink, Path("empty"), Path("out"), nullptr), kCannotSetUp);
    root_.Write("d/VIDEO_TS/VTS_01_1.VOB", "x");
    // The output folder does not exist: the transcoder cannot write and says so in its own
    // words, without the invalid-data marker.
    std::string output;
    EXPECT_EQ(ConvertDvdFolderToVideo("MP4", sink, Path("d"), Path("no such folder"), &output), kInvalidInput);
    EXPECT_FALSE(platform::PathExists(output));
    platform::DeleteFile(TranscoderPath());
    EXPECT_EQ(ConvertDvdFolderToVideo("MP4", sink, Path("d"), Path("out"), nullptr), kCannotSetUp);
    EXPECT_TRUE(sink.reports().empty());
}
