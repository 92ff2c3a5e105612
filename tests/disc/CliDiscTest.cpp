#include <gtest/gtest.h>

#include "DiscTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/recorders/EmulatedDevice.h"

namespace orvalis::disc {
namespace {

using orvalis::testing::BinDir;
using orvalis::testing::RunCommand;
using testing::EmulatedRecorders;
using testing::ExtractImage;

class CliDisc : public ::testing::Test {
protected:
    void SetUp() override {
        if (!platform::PathExists(BinDir() + "/orvalis-cli")) GTEST_SKIP() << "orvalis-cli is not built";
        dvd = machine.Add("dvd", "File Recorder", "6,7,8", 7, 2295104);
        cd = machine.Add("cd", "CD Writer", "2,3", 2, 359844);
        machine.dir().Write("in/notes.txt", "notes\n");
        machine.dir().Write("in/Music/song.mp3", "la la");
    }
    orvalis::testing::CommandResult Cli(const std::string& arguments) {
        return RunCommand("'" + BinDir() + "/orvalis-cli' " + arguments + " 2>&1");
    }
    std::string In(const std::string& name) { return "'" + (machine.dir() / ("in/" + name)) + "'"; }

    EmulatedRecorders machine;
    std::string dvd, cd;
};

TEST_F(CliDisc, ListsRecordersBurnsErasesAndRefusesADiscHoldingData) {
    auto listed = Cli("recorders");
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.output.find(machine.Backing("dvd") + " [File Recorder]\n  id:     " + dvd), std::string::npos)
        << listed.output;
    EXPECT_NE(listed.output.find("media:  4.7GB DVD Media, 8.5GB Dual-Layer DVD\n  medium: blank"),
              std::string::npos);
    EXPECT_NE(listed.output.find("media:  none"), std::string::npos);  // the CD writer

    auto burned = Cli("burn --recorder '" + dvd + "' --close --eject --volume Notes " + In("notes.txt") + " " + In("Music"));
    ASSERT_EQ(burned.status, 0) << burned.output;
    std::string out = ExtractImage(machine.Backing("dvd"), machine.dir() / "out");
    EXPECT_EQ(platform::ReadWholeFile(out + "/notes.txt"), "notes\n");
    EXPECT_EQ(platform::ReadWholeFile(out + "/Music/song.mp3"), "la la");
    EXPECT_EQ(recorders::EmulatedEjectCount(machine.Backing("dvd")), 1);

    auto refused = Cli("burn --recorder '" + dvd + "' " + In("notes.txt"));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("holds data; --erase"), std::string::npos) << refused.output;

    auto again = Cli("burn --erase --fs udf --recorder '" + dvd + "' " + In("Music"));
    ASSERT_EQ(again.status, 0) << again.output;
    auto listing = RunCommand("7z l -slt '" + machine.Backing("dvd") + "'");
    EXPECT_NE(listing.output.find("Type = Udf"), std::string::npos);
    EXPECT_EQ(listing.output.find("notes.txt"), std::string::npos);

    auto erased = Cli("erase --recorder '" + dvd + "'");
    EXPECT_EQ(erased.status, 0) << erased.output;
    EXPECT_EQ(platform::FileSize(machine.Backing("dvd")).value_or(0), 0u);
}

TEST_F(CliDisc, WritesAnIsoFileAndExplainsBadUsage) {
    std::string iso = machine.dir() / "out.iso";
    auto written = Cli("iso --fs iso9660 --volume DATA --out '" + iso + "' " + In("notes.txt"));
    ASSERT_EQ(written.status, 0) << written.output;
    EXPECT_NE(RunCommand("isoinfo -d -i '" + iso + "'").output.find("Volume id: DATA"), std::string::npos);

    struct Case {
        std::string arguments;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {"burn " + In("notes.txt"), 2, "--recorder is required"},
        {"burn --recorder '" + dvd + "' --fs ntfs " + In("notes.txt"), 2, "--fs takes"},
        {"burn --recorder '" + dvd + "' " + In("missing.txt"), 1, "does not exist"},
        {"burn --recorder emulated:/nowhere.img " + In("notes.txt"), 1, "no blank disc"},
        {"iso " + In("notes.txt"), 2, "--out is required"},
        {"erase", 2, "usage"},
        {"erase --recorder '" + cd + "'", 1, "cannot be erased"},
    };
    for (const Case& c : cases) {
        auto result = Cli(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.output;
        EXPECT_NE(result.output.find(c.says), std::string::npos) << c.arguments << "\n" << result.output;
    }
}

}  // namespace
}  // namespace orvalis::disc
