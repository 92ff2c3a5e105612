#include "media/Transcode.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "MediaTestSupport.h"
#include "media/ToolLocations.h"
#include "media/WorkFolder.h"

using namespace orvalis;
using namespace orvalis::media;
using orvalis::testing::Ffprobe;
using orvalis::testing::RecordingSink;

namespace {

class TranscodeTest : public orvalis::testing::MediaTest {
protected:
    DiscProject ProjectOf(const std::vector<std::string>& videos) {
        DiscProject project;
        project.Kind = DiscProject::kDvdVideo;
        for (const std::string& v : videos) project.Items.push_back({0, 0, v});
        return project;
    }
};

}  // namespace

TEST(TranscodeCommandLines, ReadAsTheTranscoderExpectsThem) {
    EXPECT_EQ(ProbeCommandLine("/d/tool", "/v/a b.mp4"), R"("/d/tool"-i  "/v/a b.mp4" )");
    EXPECT_EQ(TranscodeCommandLine("/d/tool", "/v/a.mp4", " 720x480", "/w/1.mpg"),
              R"("/d/tool" -i "/v/a.mp4" -target ntsc-dvd -threads 4 -s  720x480  "/w/1.mpg" -y)");
    const char* kWithoutSize = R"("/d/tool" -i "/v/a.mp4" -target ntsc-dvd -threads 4  "/w/1.mpg" -y)";
    // No size, a size no DVD holds, and whatever else the tool printed: no "-s" at all.
    for (const char* size : {"", " 1280x720", " 160x120", R"(1x2 -f "x)", " 720x4800"}) {
        EXPECT_EQ(TranscodeCommandLine("/d/tool", "/v/a.mp4", size, "/w/1.mpg"), kWithoutSize) << size;
    }
    EXPECT_TRUE(IsDvdFrameSize(" 352x240"));
    // Paths holding quotes and trailing backslashes stay one argument each.
    EXPECT_EQ(TranscodeCommandLine("/d/tool", R"(/v/say "hi"\)", "", "/w/1.mpg"),
              R"("/d/tool" -i "/v/say \"hi\"\\" -target ntsc-dvd -threads 4  "/w/1.mpg" -y)");
}

TEST_F(TranscodeTest, ProbeReadsDurationAndFrameSizeAndStopsAtInvalidData) {
    DiscProject project;
    std::string video = MakeVideo("in/clip one.mp4", 2.0);
    EXPECT_EQ(ProbeVideo(project, video), "00:00:02");
    EXPECT_EQ(project.FrameSize, " 160x120");

    // Unreadable input ends the probe with no duration. (Whether the frame size was
    // cleared first depends on whether the banner arrived in a chunk of its own, so it is
    // pinned by the scripted tests, not here.)
    std::string junk = root_.Write("junk.mp4", std::string(4096, 'z'));
    EXPECT_EQ(ProbeVideo(project, junk), "");
}

TEST_F(TranscodeTest, TheFrameSizeIsFoundWhateverChunkItArrivesIn) {
    // Each printf is one write, read as one chunk.
    FakeTranscoder(
        "printf '  Duration: 00:01:05.20, start: 0\\n    Stream #0:0: Video: h264 (avc1 / 0x31637661), "
        "yuv420p, 1280x720 [SAR 1:1], 25 fps\\n'\n"
        "[ \"$2\" = two ] && { sleep 0.2; printf '    Stream #0:1: Audio: aac\\n'; }\n"
        "exit 0\n");
    DiscProject project;
    EXPECT_EQ(ProbeVideo(project, "one"), "00:01:05");
    EXPECT_EQ(project.FrameSize, " 1280x720");
    EXPECT_EQ(ProbeVideo(project, "two"), "00:01:05");
    EXPECT_EQ(project.FrameSize, " 1280x720");
}

TEST_F(TranscodeTest, AProbeNeverKeepsTheFrameSizeOfAnotherVideo) {
    FakeTranscoder("[ \"$2\" = silent ] && exit 1\n"
                   "printf 'x.mp4: Invalid data found when processing input\\n'\nexit 1\n");
    for (const char* video : {"junk", "silent"}) {
        DiscProject project;
        project.FrameSize = " 720x480";
        EXPECT_EQ(ProbeVideo(project, video), "") << video;
        EXPECT_EQ(project.FrameSize, "") << video;
    }
}

TEST_F(TranscodeTest, TwoVideosTakeHalfTheProgressEach) {
    std::vector<std::string> videos{MakeVideo("a.mp4", 2.5), MakeVideo("b's \"video\".mp4", 2.5)};
    DiscProject project = ProjectOf(videos);
    RecordingSink sink;
    ASSERT_EQ(TranscodeForDvd(project, sink), kOk);

    EXPECT_EQ(project.ProgressShare, 50);
    EXPECT_EQ(project.ProgressBase, 50);
    EXPECT_EQ(project.TotalDuration, 4u);  // 2 + 2 whole seconds
    EXPECT_EQ(project.WorkFolderPath, WorkFolder());
    ASSERT_EQ(project.TranscodedFiles.size(), 2u);
    for (const std::string& file : project.TranscodedFiles) {
        EXPECT_EQ(platform::FolderOf(file), project.WorkFolderPath + "/");
        EXPECT_EQ(Ffprobe(file).videoCodec, "mpeg2video") << file;
    }
    std::vector<int32_t> reports = sink.reports();
    ASSERT_FALSE(reports.empty());
    // The first video reports below the second's base of 50, the second from 50 on; with a
    // probed 2 s and a real 2.5 s a share may run over by a quarter.
    auto second = std::find_if(reports.begin(), reports.end(), [](int32_t p) { return p > 50; });
    EXPECT_TRUE(std::all_of(reports.begin(), second, [](int32_t p) { return p >= 0 && p <= 62; }));
    EXPECT_NE(second, reports.end());
    EXPECT_TRUE(std::all_of(second, reports.end(), [](int32_t p) { return p >= 50 && p <= 113; }));
}

TEST_F(TranscodeTest, CancelStopsTheTranscoderAndLeavesTheLaterVideosAlone) {
    std::vector<std::string> videos{MakeVideo("long.mp4", 30.0, "320x240"), MakeVideo("b.mp4", 1.0)};
    DiscProject project = ProjectOf(videos);
    RecordingSink sink([](int32_t) { return true; });  // the user cancels at the first report
    EXPECT_EQ(TranscodeForDvd(project, sink), kJobCancelled);
    ASSERT_EQ(project.TranscodedFiles.size(), 1u);  // the second video was never started
    EXPECT_TRUE(orvalis::testing::ProcessesRunning(TranscoderPath()).empty());
    // It stopped part-way: the partial output is much shorter than the input.
    EXPECT_LT(Ffprobe(project.TranscodedFiles[0]).duration, 25.0);
}

TEST_F(TranscodeTest, AnEmptyProjectOnlyClearsTheWorkFolder) {
    const std::string work = WorkFolder();
    ASSERT_FALSE(work.empty());
    root_.Write(std::filesystem::relative(work, root_.path()).string() + "/old.mpg", "x");
    root_.Write(std::filesystem::relative(work, root_.path()).string() + "/VIDEO_TS/VTS_01_1.VOB", "x");
    root_.Write(std::filesystem::relative(work, root_.path()).string() + "/keep/inner.txt", "x");
    DiscProject project = ProjectOf({});
    project.TranscodedFiles = {"stale"};
    RecordingSink sink;
    EXPECT_EQ(TranscodeForDvd(project, sink), kOk);
    EXPECT_TRUE(project.TranscodedFiles.empty());
    EXPECT_EQ(project.ProgressShare, 100);
    EXPECT_FALSE(platform::PathExists(work + "/old.mpg"));
    EXPECT_FALSE(platform::PathExists(work + "/VIDEO_TS/VTS_01_1.VOB"));
    EXPECT_TRUE(platform::PathExists(work + "/keep/inner.txt"));
}

TEST_F(TranscodeTest, AMissingTranscoderGives87ForEveryVideo) {
    platform::DeleteFile(TranscoderPath());
    DiscProject project = ProjectOf({Path("a.mp4"), Path("b.mp4")});
    RecordingSink sink;
    EXPECT_EQ(TranscodeForDvd(project, sink), kCannotSetUp);
    EXPECT_EQ(project.TranscodedFiles.size(), 2u);
    EXPECT_EQ(project.TotalDuration, 0u);
}

TEST_F(TranscodeTest, AnUnreadableVideoGivesOneAndTheNextStillRuns) {
    std::string junk = root_.Write("junk.mp4", std::string(4096, 'z'));
    DiscProject project = ProjectOf({junk, MakeVideo("ok.mp4", 1.0)});
    RecordingSink sink;
    EXPECT_EQ(TranscodeForDvd(project, sink), kOk);  // the last video's result
    ASSERT_EQ(project.TranscodedFiles.size(), 2u);
    EXPECT_EQ(Ffprobe(project.TranscodedFiles[1]).videoCodec, "mpeg2video");

    DiscProject single = ProjectOf({junk});
    EXPECT_EQ(TranscodeForDvd(single, sink), kInvalidInput);
}

TEST_F(TranscodeTest, ASilentTranscoderCanStillBeCancelled) {
    // Says nothing, and stops only on its quit text.
    std::string marker = Path("quit-seen");
    FakeTranscoder("read l; echo \"$l\" > '" + marker + "'\n");
    DiscProject project;
    project.WorkFolderPath = Path("work");
    RecordingSink sink([](int32_t) { return true; });
    EXPECT_EQ(TranscodeOneVideo(sink, project, Path("a.mp4"), 10), kJobCancelled);
    EXPECT_EQ(sink.reports().size(), 1u);
    EXPECT_EQ(platform::ReadWholeFile(marker).value_or(""), "q\r\n");
}
