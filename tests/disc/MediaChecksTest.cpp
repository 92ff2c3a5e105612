#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "DiscTestSupport.h"
#include "disc/MediaChecks.h"
#include "platform/FileSystem.h"
#include "platform/Result.h"

namespace orvalis::disc {
namespace {

using testing::EmulatedRecorders;

// A sparse file of the given size: large figures without the disc space.
std::string SparseFile(const std::string& path, uint64_t size) {
    int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    ::close(fd);
    return path;
}

TEST(MediaChecks, StateCapacityAndRoomFollowTheMedium) {
    EmulatedRecorders machine;
    std::string blank = machine.Add("blank", "Writer", "6", 6, 1000);
    std::string full = machine.Add("full", "Writer", "6", 6, 1000);
    std::string empty = machine.Add("empty", "Writer", "6", 0, 0);
    platform::WriteWholeFile(machine.Backing("full"), "data");

    EXPECT_EQ(GetMediaState(blank), kMediaBlank);
    EXPECT_EQ(GetMediaState(full), kMediaHoldsData);
    EXPECT_EQ(GetMediaCapacity(blank), 1000u * 2048);
    EXPECT_EQ(GetMediaCapacity(full), 1000u * 2048);  // the whole medium, used or not
    media::DiscProject project;
    EXPECT_TRUE(HasRoomForProject(project, blank) == (kRoomMargin < 1000u * 2048));

    // No disc, and no recorder at all.
    for (const std::string& id : {empty, std::string("emulated:/nowhere.img")}) {
        EXPECT_EQ(GetMediaState(id), kMediaNoAnswer);
        EXPECT_EQ(GetMediaCapacity(id), 0u);
        EXPECT_FALSE(HasRoomForProject(project, id));
    }
}

TEST(MediaChecks, RoomNeedsTheTranscodedFilesAndFiveMebibytesBelowTheCapacity) {
    EmulatedRecorders machine;
    // 1 955 685 sectors are 4 005 242 880 bytes: exactly 4 000 000 000 + 5 MiB.
    std::string exact = machine.Add("exact", "Writer", "6", 6, 1955685);
    std::string larger = machine.Add("larger", "Writer", "6", 6, 1955686);
    media::DiscProject project;
    project.TranscodedFiles = {SparseFile(machine.dir() / "a.mpg", 3000000000ULL),
                               SparseFile(machine.dir() / "b.mpg", 1000000000ULL),
                               machine.dir() / "missing.mpg"};  // counts as 0
    EXPECT_FALSE(HasRoomForProject(project, exact));
    EXPECT_TRUE(HasRoomForProject(project, larger));
    SparseFile(machine.dir() / "b.mpg", 999999999ULL);
    EXPECT_TRUE(HasRoomForProject(project, exact));
}

TEST(MediaChecks, QuickEraseBlanksARewritableDisc) {
    EmulatedRecorders machine;
    std::string rw = machine.Add("rw", "Writer", "6,7,10", 10, 1000);
    std::string once = machine.Add("once", "Writer", "6", 6, 1000);
    platform::WriteWholeFile(machine.Backing("rw"), "old");
    platform::WriteWholeFile(machine.Backing("once"), "old");
    EXPECT_EQ(QuickErase(rw), kOk);
    EXPECT_EQ(GetMediaState(rw), kMediaBlank);
    EXPECT_NE(QuickErase(once), kOk);
    EXPECT_EQ(GetMediaState(once), kMediaHoldsData);
}

}  // namespace
}  // namespace orvalis::disc
