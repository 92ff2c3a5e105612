// The media commands of orvalis-cli, run as a user runs them.
#include <gtest/gtest.h>

#include "MediaTestSupport.h"
#include "media/ToolLocations.h"

using namespace orvalis;
using orvalis::testing::RunCommand;
using orvalis::testing::ShellWord;

namespace {

class CliMediaTest : public orvalis::testing::MediaTest {
protected:
    std::string Cli() const { return ShellWord(orvalis::testing::BinDir() + "/orvalis-cli"); }

    std::string MakeDvd(double seconds) {
        const std::string vob = Path("dvd/VIDEO_TS/VTS_01_1.VOB");
        platform::CreateFolderPath(Path("dvd/VIDEO_TS"));
        char length[32];
        std::snprintf(length, sizeof length, "%.1f", seconds);
        auto r = RunCommand("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=720x480:rate=30000/1001:duration=" +
                            std::string(length) + " -f lavfi -i sine=duration=" + length + " -target ntsc-dvd " +
                            ShellWord(vob) + " 2>&1");
        EXPECT_EQ(r.status, 0) << r.output;
        return Path("dvd");
    }
};

}  // namespace

TEST_F(CliMediaTest, ListsAnImageAndProbesAVideo) {
    const std::string dvd = MakeDvd(1.0);
    const std::string image = Path("dvd.iso");
    ASSERT_EQ(RunCommand("genisoimage -quiet -udf -o " + ShellWord(image) + " " + ShellWord(dvd)).status, 0);
    auto root = RunCommand(Cli() + " list " + ShellWord(image));
    EXPECT_EQ(root.status, 0);
    EXPECT_NE(root.output.find("VIDEO_TS/"), std::string::npos) << root.output;
    auto video = RunCommand(Cli() + " list " + ShellWord(image) + " video_ts");
    EXPECT_NE(video.output.find("VTS_01_1.VOB"), std::string::npos) << video.output;

    auto probe = RunCommand(Cli() + " probe " + ShellWord(dvd + "/VIDEO_TS/VTS_01_1.VOB"));
    EXPECT_EQ(probe.status, 0);
    EXPECT_NE(probe.output.find("frame size 720x480"), std::string::npos) << probe.output;
    EXPECT_EQ(RunCommand(Cli() + " to-video " + ShellWord(dvd) + " --format WMV --out x 2>/dev/null").status, 2);
}

TEST_F(CliMediaTest, CtrlCCancelsAConversionAndLeavesNoOutput) {
    const std::string dvd = MakeDvd(30.0);
    const std::string out = Path("videos");
    // Interrupt once the conversion is under way (its progress bar has started).
    auto r = RunCommand("(" + Cli() + " to-video " + ShellWord(dvd) + " --format MP4 --out " + ShellWord(out) +
                        " 2>" + ShellWord(Path("err.txt")) + " & pid=$!; "
                        "for i in $(seq 100); do grep -q Converting " + ShellWord(Path("err.txt")) +
                        " 2>/dev/null && break; sleep 0.1; done; sleep 0.5; kill -INT $pid; wait $pid; echo rc=$?)");
    EXPECT_NE(r.output.find("rc=1"), std::string::npos) << r.output;
    std::string err = platform::ReadWholeFile(Path("err.txt")).value_or("");
    EXPECT_NE(err.find("result -9527"), std::string::npos) << err;
    EXPECT_TRUE(platform::ListFolder(out).empty());
    EXPECT_TRUE(orvalis::testing::ProcessesRunning(media::TranscoderPath()).empty());
}
