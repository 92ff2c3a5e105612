#include "media/ToolRunner.h"

#include <fcntl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "MediaTestSupport.h"
#include "media/ClockTime.h"
#include "media/FolderEntries.h"
#include "media/ToolOutput.h"
#include "platform/process/CommandLine.h"

using namespace orvalis;
using namespace orvalis::media;
using namespace std::chrono_literals;
using orvalis::platform::QuoteArgument;

namespace {

// Collects what a chunk run delivers; cancels (as a sink would answer) after `cancelAfter`
// chunks, and can stop reading at a marker.
class Collector : public ChunkConsumer {
public:
    bool TakeChunk(const char* text, size_t length) override {
        EXPECT_LE(length, ToolRunner::kChunkSize);
        EXPECT_EQ(text[length], '\0');
        bytes.append(text, length);
        ++chunks;
        if (cancelAfter >= 0 && chunks >= cancelAfter) result = kJobCancelled;
        return stopAt.empty() || ChunkText(text, length).find(stopAt) == std::string_view::npos;
    }
    ResultCode CurrentResult() const override { return result; }

    std::string bytes;
    int chunks = 0;
    int cancelAfter = -1;
    std::string stopAt;
    ResultCode result = kOk;
};

double SecondsOf(const std::function<void()>& f) {
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class ToolRunnerTest : public orvalis::testing::MediaTest {};

}  // namespace

TEST_F(ToolRunnerTest, OutputLeftInThePipeAfterTheEndIsStillRead) {
    std::string tool = Script(Path("burst"), "printf 'first\\n'; printf 'last line\\n'\n");
    Collector c;
    ASSERT_TRUE(ToolRunner::Run({.commandLine = QuoteArgument(tool)}, &c));
    EXPECT_EQ(c.bytes, "first\nlast line\n");
}

TEST_F(ToolRunnerTest, AFloodIsDeliveredWholeInChunksAndToAFile) {
    // 300 KiB of output: chunks of at most 4096 bytes, nothing lost.
    std::string tool = Script(Path("flood"), "head -c 307200 /dev/urandom | od -An -v | head -c 307200\n");
    Collector c;
    ASSERT_TRUE(ToolRunner::Run({.commandLine = QuoteArgument(tool)}, &c));
    EXPECT_EQ(c.bytes.size(), 307200u);
    EXPECT_GE(c.chunks, 75);

    ArchiveToolState state(1024);  // smaller than what waits: the buffer grows
    std::string file = Path("copy.txt");
    ToolRunSpec spec{.commandLine = QuoteArgument(tool), .mode = OutputMode::kFileSink,
                     .archiveState = &state,
                     .openFileSink = [&] { return open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644); }};
    ASSERT_TRUE(ToolRunner::Run(spec));
    EXPECT_EQ(platform::FileSize(file).value_or(0), 307200u);
    EXPECT_GT(state.Capacity, 1024u);
}

TEST_F(ToolRunnerTest, SilentCrashingAndMissingTools) {
    // Prints nothing: the run ends at the first failing peek after the end.
    Collector silent;
    ASSERT_TRUE(ToolRunner::Run({.commandLine = QuoteArgument(Script(Path("silent"), "exit 3\n"))}, &silent));
    EXPECT_EQ(silent.chunks, 0);
    // Crashes half-way: what it wrote before is read, the run ends.
    Collector crash;
    ASSERT_TRUE(ToolRunner::Run(
        {.commandLine = QuoteArgument(Script(Path("crash"), "echo before; kill -SEGV $$; echo after\n"))}, &crash));
    EXPECT_EQ(crash.bytes, "before\n");
    // Missing: nothing runs.
    Collector missing;
    EXPECT_FALSE(ToolRunner::Run({.commandLine = QuoteArgument(Path("no tool"))}, &missing));
}

TEST_F(ToolRunnerTest, QuitTextStopsAToolThatListens) {
    // Prints progress until it reads its quit text.
    std::string tool = Script(Path("listener"),
                              "while :; do echo 'time=00:00:01 '; sleep 0.05; done &\nread l; kill $!; echo bye:$l\n");
    Collector c;
    c.cancelAfter = 2;
    ASSERT_TRUE(ToolRunner::Run({.commandLine = QuoteArgument(tool), .stop = StopAction::kQuitText}, &c));
    EXPECT_NE(c.bytes.find("bye:q\r"), std::string::npos) << c.bytes;
}

TEST_F(ToolRunnerTest, AToolThatIgnoresTheQuitTextIsKilledAfterTheGrace) {
    std::string tool = Script(Path("deaf"), "echo $$; exec sleep 60\n");
    Collector c;
    c.cancelAfter = 1;
    double seconds = SecondsOf([&] {
        ASSERT_TRUE(ToolRunner::Run({.commandLine = QuoteArgument(tool), .stop = StopAction::kQuitText,
                                     .quitGrace = 300ms},
                                    &c));
    });
    EXPECT_LT(seconds, 5.0);
    EXPECT_FALSE(platform::PathExists("/proc/" + std::to_string(std::stoi(c.bytes))));
}

TEST_F(ToolRunnerTest, TerminateEndsAToolThatHangsUntilCancelled) {
    std::string tool = Script(Path("hang"), "echo $$; exec sleep 60\n");
    Collector c;
    c.cancelAfter = 1;
    double seconds = SecondsOf([&] {
        ASSERT_TRUE(ToolRunner::Run({.commandLine = QuoteArgument(tool), .stop = StopAction::kTerminate}, &c));
    });
    EXPECT_LT(seconds, 5.0);
    EXPECT_FALSE(platform::PathExists("/proc/" + std::to_string(std::stoi(c.bytes))));
}

TEST_F(ToolRunnerTest, AnErrorMarkerLeavesTheToolRunningUntilItEnds) {
    // The watch stops at the marker; the tool finishes on its own and is reaped.
    std::string marker = Path("finished");
    std::string tool = Script(Path("erring"), "echo 'ERR: bad'; sleep 0.3; touch '" + marker + "'\n");
    Collector c;
    c.stopAt = "ERR:";
    double seconds = SecondsOf([&] { ASSERT_TRUE(ToolRunner::Run({.commandLine = QuoteArgument(tool)}, &c)); });
    EXPECT_LT(seconds, 0.25);
    for (int i = 0; i < 300 && !platform::PathExists(marker); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(platform::PathExists(marker));
}

TEST(ClockTime, ParsesTheToolsClockForm) {
    struct {
        const char* text;
        int64_t seconds;
    } cases[] = {{"00:01:23.45", 83}, {"N/A", 0},   {"", 0},       {"83.45", 298800},
                 {"1:2", 3720},       {" -1:00:00", -3600}, {"01:00:00", 3600}, {"12:34:56 bitrate", 45296}};
    for (const auto& c : cases) EXPECT_EQ(ParseClockTime(c.text), c.seconds) << c.text;
}

TEST(ToolOutput, MarkersAreFoundByTheirFirstOccurrenceBeforeAnyNul) {
    const char chunk[] = "frame=1 time=00:00:01.00 x\nframe=2 time=00:00:02.00 x\0time=00:09:00 ";
    std::string_view text = ChunkText(chunk, sizeof chunk - 1);
    EXPECT_EQ(FieldAfterMarker(text, "time=", 31).value(), "00:00:01.00");
    EXPECT_FALSE(FieldAfterMarker("time=00:00:01", "time=", 31));  // no blank after it
    EXPECT_EQ(TextAfterMarker("  Duration: 00:00:0", "Duration: ", 8).value(), "00:00:0");

    struct {
        const char* line;
        const char* size;  // nullptr: none
    } frames[] = {
        {"Stream #0:0(und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(progressive), 1920x1080 [SAR 1:1 DAR 16:9], 25 fps",
         " 1920x1080"},
        {"Stream #0:0: Video: mpeg4 (Simple Profile) (mp4v / 0x7634706D), yuv420p, 160x120 [SAR 1:1 DAR 4:3], 25 tbr",
         " 160x120"},
        {"Stream #0:0[0x1e0]: Video: mpeg2video (Main), yuv420p(tv, progressive), 720x480, 29.97 fps", " 720x480"},
        {"Stream #0:0: Audio: aac, 44100 Hz", nullptr},
    };
    for (const auto& f : frames) {
        auto size = FrameSizeOfVideoLine(f.line);
        if (f.size) {
            EXPECT_EQ(size.value_or("?"), f.size) << f.line;
        } else {
            EXPECT_FALSE(size) << f.line;
        }
    }
}

TEST_F(ToolRunnerTest, FolderEntriesAreFullPathsWithoutDotNames) {
    root_.Write("f/a.txt", "1");
    root_.Write("f/.hidden", "1");
    std::filesystem::create_directories(Path("f/sub"));
    std::vector<std::string> entries{"kept"};
    EXPECT_EQ(ListFolderEntries(Path("f"), entries), 1);
    std::sort(entries.begin() + 1, entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"kept", Path("f/a.txt"), Path("f/sub")}));
    EXPECT_EQ(ListFolderEntries(Path("none"), entries), 0);
    EXPECT_EQ(entries.size(), 3u);
}
