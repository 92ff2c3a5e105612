// The command line as a script uses it: the real orvalis-cli of the program folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using orvalis::testing::RunCommand;
using orvalis::testing::TempDir;

namespace {

std::string Cli() { return orvalis::testing::BinDir() + "/orvalis-cli"; }

orvalis::testing::CommandResult RunCli(const std::string& args, const std::string& dataHome) {
    return RunCommand("XDG_DATA_HOME='" + dataHome + "' '" + Cli() + "' " + args + " 2>&1");
}

}  // namespace

TEST(Cli, HelpUsageAndUnknownCommands) {
    TempDir data;
    auto help = RunCli("--help", data.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("languages"), std::string::npos);
    EXPECT_NE(help.output.find("reports"), std::string::npos);
    EXPECT_EQ(RunCli("", data.path()).status, 2);
    EXPECT_EQ(RunCli("frobnicate", data.path()).status, 2);
    EXPECT_EQ(RunCli("languages extra", data.path()).status, 2);
}

TEST(Cli, ListsTheDeliveredLanguagesWithTheCurrentMarked) {
    TempDir data;
    auto result = RunCli("languages", data.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.output.find("* English"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("  Deutsch"), std::string::npos) << result.output;
}

TEST(Cli, ListsReportsNewestFirst) {
    TempDir data;
    auto none = RunCli("reports", data.path());
    EXPECT_EQ(none.status, 0);
    EXPECT_NE(none.output.find("No reports"), std::string::npos);
    data.Write("Orvalis/Report/2020-12-31 23_59_59.html", "old");
    data.Write("Orvalis/Report/2021-03-07 14_05_09.html", "new");
    auto listed = RunCli("reports", data.path());
    EXPECT_EQ(listed.status, 0);
    size_t newer = listed.output.find("2021-03-07 14_05_09.html");
    size_t older = listed.output.find("2020-12-31 23_59_59.html");
    ASSERT_NE(newer, std::string::npos);
    ASSERT_NE(older, std::string::npos);
    EXPECT_LT(newer, older);
}
