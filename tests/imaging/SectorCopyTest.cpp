#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <fstream>

#include "imaging/SectorCopyJob.h"
#include "platform/FileSystem.h"
#include "platform/disks/DiskSystem.h"
#include "platform/disks/support/FakeDiskTree.h"

using namespace orvalis::imaging;
using orvalis::kDiskReadFailed;
using orvalis::kJobCancelled;
using orvalis::platform::DiskSystem;
using orvalis::platform::ReadWholeFile;
using orvalis::testing::FakeDisk;
using orvalis::testing::FakeDiskTree;

namespace {

struct Call {
    int32_t percent;
    uint64_t done;
    uint64_t total;
    int32_t remaining;
};

struct Recorder {
    std::vector<Call> calls;
    size_t stopAfter = SIZE_MAX;  // answer kJobCancelled on this call (1-based)
};

int32_t Record(void* context, int32_t percent, uint64_t done, uint64_t total, int32_t remaining) {
    auto* recorder = static_cast<Recorder*>(context);
    recorder->calls.push_back({percent, done, total, remaining});
    return recorder->calls.size() == recorder->stopAfter ? kJobCancelled : 0;
}

int64_t gFakeNow = 0;
int64_t FakeTicks() {
    gFakeNow += 1000;  // every look at the clock is a second later
    return gFakeNow;
}

// A disk whose every byte tells its offset, so that a wrong piece shows.
class SectorCopyTest : public ::testing::Test {
protected:
    void MakeDisk(uint64_t sectors, uint32_t sectorSize = 512) {
        tree_.Add(FakeDisk{.name = "sda", .size = sectors * sectorSize / 512,
                           .sectorSize = sectorSize});
        std::string bytes(sectors * sectorSize, '\0');
        for (size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>((i / 512 * 7 + i) & 0xFF);
        }
        disk_ = bytes;
        std::ofstream(tree_.DevicePath("sda"), std::ios::binary) << bytes;
    }
    int32_t Copy(uint64_t start, uint64_t count, const std::string& image) {
        SectorCopyJob job;
        job.Progress = &Record;
        job.Disks = &system_;
        job.Ticks = ticks_;
        int32_t result = CopySectors(job, 0, start, count, image, &recorder_);
        EXPECT_FALSE(job.Source);
        EXPECT_FALSE(job.Output);
        bytesPerSector_ = job.BytesPerSector;
        return result;
    }
    std::string Image() const { return ReadWholeFile(image_).value_or("<none>"); }
    std::string DiskBytes(uint64_t from, uint64_t length) const { return disk_.substr(from, length); }

    FakeDiskTree tree_;
    DiskSystem system_{tree_.Roots()};
    std::string disk_;
    std::string image_ = tree_.Folder("out") + "/disk.img";
    Recorder recorder_;
    int64_t (*ticks_)() = nullptr;
    uint32_t bytesPerSector_ = 0;
};

TEST_F(SectorCopyTest, SmallRegionIsOnePiece) {
    MakeDisk(2000);
    ASSERT_EQ(Copy(300, 100, image_), 0);
    ASSERT_EQ(recorder_.calls.size(), 1u);
    EXPECT_EQ(recorder_.calls[0].percent, 100);
    EXPECT_EQ(recorder_.calls[0].done, 100u);
    EXPECT_EQ(recorder_.calls[0].total, 100u);
    EXPECT_EQ(recorder_.calls[0].remaining, kNoEstimate);
    EXPECT_TRUE(Image() == DiskBytes(300 * 512, 100 * 512));
}

TEST_F(SectorCopyTest, PiecesOf64KiBWithPercentages) {
    struct Case {
        uint32_t sectorSize;
        uint64_t sectors;
        std::vector<int32_t> percents;
        std::vector<uint64_t> done;
    };
    const Case cases[] = {
        {512, 1000, {12, 25, 38, 51, 64, 76, 89, 100}, {128, 256, 384, 512, 640, 768, 896, 1000}},
        {4096, 100, {16, 32, 48, 64, 80, 96, 100}, {16, 32, 48, 64, 80, 96, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sectorSize);
        tree_.Remove("sda");
        recorder_.calls.clear();
        MakeDisk(c.sectors + 10, c.sectorSize);
        ASSERT_EQ(Copy(10, c.sectors, image_), 0);
        EXPECT_EQ(bytesPerSector_, c.sectorSize);
        std::vector<int32_t> percents;
        std::vector<uint64_t> done;
        for (const Call& call : recorder_.calls) {
            percents.push_back(call.percent);
            done.push_back(call.done);
            EXPECT_EQ(call.total, c.sectors);
        }
        EXPECT_EQ(percents, c.percents);
        EXPECT_EQ(done, c.done);
        EXPECT_TRUE(Image() == DiskBytes(10 * c.sectorSize, c.sectors * c.sectorSize));
    }
}

TEST_F(SectorCopyTest, CountZeroCopiesTheWholeDisk) {
    MakeDisk(3000);
    ASSERT_EQ(Copy(0, 0, image_), 0);
    EXPECT_EQ(recorder_.calls.back().total, 3000u);
    EXPECT_TRUE(Image() == disk_);
}

TEST_F(SectorCopyTest, ExistingLargerImageIsEmptiedFirst) {
    MakeDisk(2000);
    std::ofstream(image_, std::ios::binary) << std::string(1 << 20, 'x');
    ASSERT_EQ(Copy(5, 10, image_), 0);
    EXPECT_TRUE(Image() == DiskBytes(5 * 512, 10 * 512));
}

TEST_F(SectorCopyTest, ReadFailureKeepsThePiecesBefore) {
    MakeDisk(600);  // 300 KiB: the fifth piece runs off the end of the disk
    EXPECT_EQ(Copy(0, 1000, image_), kDiskReadFailed);
    EXPECT_EQ(recorder_.calls.size(), 4u);
    EXPECT_TRUE(Image() == DiskBytes(0, 4 * 65536));
}

TEST_F(SectorCopyTest, WriteFailureReturnsItsError) {
    MakeDisk(2000);
    rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100 * 1024;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int32_t result = Copy(0, 1000, image_);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, EFBIG);
    EXPECT_EQ(recorder_.calls.size(), 1u);
    // The second piece was written in part before the limit stopped it.
    EXPECT_TRUE(Image() == DiskBytes(0, 100 * 1024));
}

TEST_F(SectorCopyTest, CallbackStopsTheCopyAndLeavesThePartialImage) {
    MakeDisk(2000);
    recorder_.stopAfter = 3;
    EXPECT_EQ(Copy(0, 2000, image_), kJobCancelled);
    EXPECT_EQ(recorder_.calls.size(), 3u);
    EXPECT_TRUE(Image() == DiskBytes(0, 3 * 65536));
}

TEST_F(SectorCopyTest, FailedOpensReturnTheirErrors) {
    MakeDisk(200);
    SectorCopyJob job;
    job.Disks = &system_;
    EXPECT_EQ(CopySectors(job, 7, 0, 10, image_, nullptr), ENOENT);  // no such disk
    EXPECT_EQ(CopySectors(job, 0, 0, 10, tree_.Folder("out") + "/no/such/folder/x.img", nullptr),
              ENOENT);
    EXPECT_FALSE(job.Source);
    EXPECT_EQ(CopySectors(job, 0, 0, 10, tree_.Folder("out"), nullptr), EISDIR);
}

TEST_F(SectorCopyTest, RemainingTimeIsEstimatedEveryFiveSeconds) {
    MakeDisk(4000);
    gFakeNow = 0;
    ticks_ = &FakeTicks;
    ASSERT_EQ(Copy(0, 4000, image_), 0);
    ASSERT_EQ(recorder_.calls.size(), 32u);
    std::vector<int32_t> remaining;
    for (size_t i = 0; i < 11; ++i) remaining.push_back(recorder_.calls[i].remaining);
    // 64 KiB a second: after 5 s, (2048000 - 327680) / 65536 = 26 s; after 10 s, 21 s.
    EXPECT_EQ(remaining, (std::vector<int32_t>{-1, -1, -1, -1, 26, 26, 26, 26, 26, 21, 21}));
}

}  // namespace
