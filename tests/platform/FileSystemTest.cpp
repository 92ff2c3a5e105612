#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "TestSupport.h"
#include "platform/Paths.h"
#include "platform/ShellOpen.h"

using namespace orvalis::platform;
using orvalis::testing::TempDir;

TEST(FileSystem, CreatesWholeFolderPaths) {
    TempDir dir;
    EXPECT_TRUE(CreateFolderPath(dir / "a/b/c/"));
    EXPECT_TRUE(IsFolder(dir / "a/b/c"));
    EXPECT_TRUE(CreateFolderPath(dir / "a/b/c"));  // already there
    dir.Write("file", "x");
    EXPECT_FALSE(CreateFolderPath(dir / "file/sub"));
    EXPECT_FALSE(CreateFolderPath(""));
}

TEST(FileSystem, ListsAFolderWithoutHiddenEntries) {
    TempDir dir;
    dir.Write("b.txt", "1");
    dir.Write(".hidden", "1");
    dir.Write("sub/x", "1");
    auto entries = ListFolder(dir.path());
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "b.txt");
    EXPECT_FALSE(entries[0].isFolder);
    EXPECT_EQ(entries[1].name, "sub");
    EXPECT_TRUE(entries[1].isFolder);
    EXPECT_TRUE(ListFolder(dir / "missing").empty());
}

TEST(FileSystem, CopiesWithReplaceAndKeepsTheRunBits) {
    TempDir dir;
    std::string from = dir.Write("tool", "#!/bin/sh\n");
    std::filesystem::permissions(from, std::filesystem::perms(0755));
    std::string to = dir.Write("copy", "an older and longer text");
    ASSERT_EQ(CopyFileReplacing(from, to), 0);
    EXPECT_EQ(ReadWholeFile(to).value_or(""), "#!/bin/sh\n");
    EXPECT_NE(CopyFileReplacing(dir / "missing", to), 0);
    // A copy onto itself, by the same path or through a link, fails and changes nothing.
    EXPECT_NE(CopyFileReplacing(to, to), 0);
    std::filesystem::create_symlink(to, dir / "link");
    EXPECT_NE(CopyFileReplacing(to, dir / "link"), 0);
    EXPECT_EQ(ReadWholeFile(to).value_or(""), "#!/bin/sh\n");
    std::filesystem::remove(dir / "link");
    EXPECT_EQ(FileSize(to).value_or(0), 10u);
    EXPECT_TRUE(DeleteFile(to));
    EXPECT_FALSE(PathExists(to));
}

TEST(FileSystem, LastWriteTimeIsLocalTime) {
    TempDir dir;
    std::string path = dir.Write("f", "x");
    auto written = LastWriteTime(path);
    ASSERT_TRUE(written);
    LocalTime now = Now();
    EXPECT_EQ(written->year, now.year);
    EXPECT_EQ(written->day, now.day);
    EXPECT_FALSE(LastWriteTime(dir / "missing"));
}

TEST(Paths, JoinsAndSplits) {
    EXPECT_EQ(JoinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(JoinPath("/", "b"), "/b");
    EXPECT_EQ(FileNameOf("/x/y.iso"), "y.iso");
    EXPECT_EQ(FolderOf("/x/y.iso"), "/x/");
    EXPECT_EQ(ProgramFolder().back(), '/');
}

TEST(Paths, AppDataFollowsXdg) {
    {
        orvalis::testing::ScopedEnv xdg("XDG_DATA_HOME", "/data/home");
        EXPECT_EQ(AppDataFolder(), "/data/home/Orvalis");
    }
    orvalis::testing::ScopedEnv relative("XDG_DATA_HOME", "relative/ignored");
    orvalis::testing::ScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(AppDataFolder(), "/home/someone/.local/share/Orvalis");
}

TEST(ShellOpen, RunsTheConfiguredOpenerDetached) {
    TempDir dir;
    std::string log = dir / "opened";
    std::string opener = dir.Write("opener", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log + "'\n");
    std::filesystem::permissions(opener, std::filesystem::perms(0755));
    orvalis::testing::ScopedEnv env("ORVALIS_SHELL_OPEN", opener);
    ASSERT_TRUE(ShellOpen("/tmp/a report with blanks.html"));
    for (int i = 0; i < 200 && !PathExists(log); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(ReadWholeFile(log).value_or(""), "/tmp/a report with blanks.html\n");
    orvalis::testing::ScopedEnv missing("ORVALIS_SHELL_OPEN", dir / "no-such-opener");
    EXPECT_FALSE(ShellOpen("x"));
}
