#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "RecorderTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/recorders/DiscFormatData.h"
#include "platform/recorders/DiscFormatErase.h"
#include "platform/recorders/DiscMaster.h"
#include "platform/recorders/DiscRecorder.h"
#include "platform/recorders/EmulatedDevice.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::recorders {
namespace {

using orvalis::testing::ScopedEnv;
using orvalis::testing::TempDir;
using testing::Entry;
using testing::MemoryImage;
using testing::PatternBytes;

struct EventLog : DataWriterEvents {
    std::vector<WriteProgress> events;
    std::function<void(DiscFormatData&, const WriteProgress&)> onEvent;
    void Update(DiscFormatData& writer, const WriteProgress& progress) override {
        events.push_back(progress);
        if (onEvent) onEvent(writer, progress);
    }
    std::vector<WriteAction> Actions() const {
        std::vector<WriteAction> actions;
        for (const WriteProgress& p : events) {
            if (actions.empty() || actions.back() != p.currentAction) actions.push_back(p.currentAction);
        }
        return actions;
    }
};

class EmulatedRecorder : public ::testing::Test {
protected:
    void Configure(const std::string& entries) {
        env_.reset();
        env_ = std::make_unique<ScopedEnv>(kEmulatedRecordersVariable, entries);
    }
    // One recorder on the backing file "disc.img".
    void ConfigureOne(const std::string& writes, int loaded, unsigned long long sectors) {
        Configure(Entry(backing, "File Recorder", writes, loaded, sectors));
    }
    ResultCode Write(ImageSource& image, bool close, EventLog* log = nullptr) {
        DiscRecorder recorder;
        EXPECT_EQ(recorder.InitializeDiscRecorder(id), kOk);
        DiscFormatData writer;
        EXPECT_EQ(writer.SetRecorder(recorder), kOk);
        EXPECT_EQ(writer.SetClientName("VUDUriv"), kOk);
        EXPECT_EQ(writer.SetForceMediaToBeClosed(close), kOk);
        int cookie = log ? writer.Advise(log) : 0;
        ResultCode rc = writer.Write(image);
        writer.Unadvise(cookie);
        lastError = writer.ErrorText();
        return rc;
    }
    bool Blank() {
        DiscRecorder recorder;
        EXPECT_EQ(recorder.InitializeDiscRecorder(id), kOk);
        DiscFormatErase eraser;
        EXPECT_EQ(eraser.SetRecorder(recorder), kOk);
        bool blank = false;
        EXPECT_EQ(eraser.MediaHeuristicallyBlank(&blank), kOk);
        return blank;
    }
    std::string Backing() { return platform::ReadWholeFile(backing).value_or(""); }

    TempDir dir;
    std::string backing = dir / "disc.img";
    std::string id = std::string(kEmulatedIdPrefix) + backing;
    std::string lastError;
    std::unique_ptr<ScopedEnv> env_;
};

TEST_F(EmulatedRecorder, ABlankDvdPlusRReceivesTheImageThroughLibburn) {
    ConfigureOne("6,8", kMediaDvdPlusR, 2295104);
    const std::string bytes = PatternBytes(300 * 1024);
    MemoryImage image(bytes);
    EventLog log;
    ASSERT_EQ(Write(image, /*close=*/true, &log), kOk) << lastError;

    EXPECT_EQ(Backing(), bytes);
    EXPECT_EQ(platform::ReadWholeFile(EmulatedSessionFile(backing)).value_or(""), "closed\n");
    EXPECT_FALSE(Blank());
    std::vector<WriteAction> actions = log.Actions();
    ASSERT_GE(actions.size(), 5u);
    EXPECT_EQ(actions.front(), WriteAction::ValidatingMedia);
    EXPECT_EQ(actions[1], WriteAction::InitializingHardware);
    EXPECT_EQ(actions[2], WriteAction::WritingData);
    EXPECT_EQ(actions[actions.size() - 2], WriteAction::Finalization);
    EXPECT_EQ(actions.back(), WriteAction::Completed);
    for (const WriteProgress& p : log.events) {
        if (p.currentAction != WriteAction::WritingData) continue;
        EXPECT_EQ(p.startLba, 0);
        EXPECT_EQ(p.sectorCount, 150);
        EXPECT_GE(p.lastWrittenLba, 0);
        EXPECT_LE(p.lastWrittenLba, 150);
        EXPECT_EQ(p.totalSystemBuffer, p.usedSystemBuffer + p.freeSystemBuffer);
    }
}

TEST_F(EmulatedRecorder, AnOpenSessionLeavesTheMediumAppendableAndHoldingData) {
    ConfigureOne("6", kMediaDvdPlusR, 1000);
    MemoryImage first(PatternBytes(4096));
    ASSERT_EQ(Write(first, /*close=*/false), kOk) << lastError;
    EXPECT_EQ(platform::ReadWholeFile(EmulatedSessionFile(backing)).value_or(""), "appendable\n");

    DiscRecorder recorder;
    ASSERT_EQ(recorder.InitializeDiscRecorder(id), kOk);
    DiscFormatData writer;
    ASSERT_EQ(writer.SetRecorder(recorder), kOk);
    int32_t next = 0, free = 0, total = 0;
    EXPECT_EQ(writer.NextWritableAddress(&next), kOk);
    EXPECT_EQ(writer.FreeSectorsOnMedia(&free), kOk);
    EXPECT_EQ(writer.TotalSectorsOnMedia(&total), kOk);
    EXPECT_EQ(next, 2);
    EXPECT_EQ(free, 998);
    EXPECT_EQ(total, 1000);

    // Only blank media are written; the first session stays as it was.
    MemoryImage second(PatternBytes(2048));
    EXPECT_EQ(Write(second, true), kMediaNotBlank);
    EXPECT_EQ(Backing(), PatternBytes(4096));
}

TEST_F(EmulatedRecorder, WritesThatCannotGoAheadChangeNothing) {
    struct Case {
        const char* what;
        std::string writes;
        int loaded;
        unsigned long long sectors;
        std::string before;  // the backing file's bytes; empty: no file
        size_t imageBytes;
        ResultCode expected;
    };
    const Case cases[] = {
        {"holding data", "6,8", kMediaDvdPlusR, 1000, "old data", 2048, kMediaNotBlank},
        {"no disc", "6,8", kMediaUnknown, 0, "", 2048, kMediaNoMedia},
        {"CD-R in a DVD writer", "6,8", kMediaCdr, 1000, "", 2048, kMediaNotSupported},
        {"pressed DVD", "4,6", kMediaDvdRom, 1000, "", 2048, kMediaNotSupported},
        {"image larger than the medium", "6", kMediaDvdPlusR, 2, "", 3 * 2048, kStreamTooLargeForMedia},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::DeleteFile(backing);
        if (!c.before.empty()) platform::WriteWholeFile(backing, c.before);
        ConfigureOne(c.writes, c.loaded, c.sectors);
        MemoryImage image(PatternBytes(c.imageBytes));
        EventLog log;
        EXPECT_EQ(Write(image, true, &log), c.expected);
        EXPECT_EQ(image.BytesRead(), 0u);
        EXPECT_EQ(Backing(), c.before);
        EXPECT_EQ(platform::PathExists(backing), !c.before.empty());
        for (const WriteProgress& p : log.events) EXPECT_EQ(p.currentAction, WriteAction::ValidatingMedia);
    }
}

TEST_F(EmulatedRecorder, ACancelAtTheFirstWritingEventEndsTheWriteBeforeAnyData) {
    ConfigureOne("6", kMediaDvdPlusR, 1000);
    MemoryImage image(PatternBytes(64 * 2048));
    EventLog log;
    int cancels = 0;
    log.onEvent = [&](DiscFormatData& writer, const WriteProgress& p) {
        if (p.currentAction == WriteAction::WritingData) {
            EXPECT_EQ(writer.CancelWrite(), kOk);
            ++cancels;
        }
    };
    EXPECT_EQ(Write(image, true, &log), kRequestCancelled);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(log.events.back().currentAction, WriteAction::WritingData);  // nothing after
    EXPECT_EQ(image.BytesRead(), 0u);
    EXPECT_TRUE(Backing().empty());
    EXPECT_TRUE(Blank());
}

TEST_F(EmulatedRecorder, QuickEraseBlanksRewritableMediaOnly) {
    platform::WriteWholeFile(backing, "old data");
    platform::WriteWholeFile(EmulatedSessionFile(backing), "closed\n");
    struct Case {
        int loaded;
        ResultCode expected;
        bool blankAfter;
    };
    for (const Case& c : {Case{kMediaDvdPlusR, kEraseMediaNotSupported, false},
                          Case{kMediaDvdPlusRw, kOk, true}}) {
        ConfigureOne("6,7", c.loaded, 1000);
        DiscRecorder recorder;
        ASSERT_EQ(recorder.InitializeDiscRecorder(id), kOk);
        DiscFormatErase eraser;
        ASSERT_EQ(eraser.SetRecorder(recorder), kOk);
        EXPECT_EQ(eraser.EraseMedia(), kEraseClientNameInvalid);  // a client name first
        ASSERT_EQ(eraser.SetClientName("VUDUriv"), kOk);
        EXPECT_EQ(eraser.EraseMedia(), c.expected);
        EXPECT_EQ(Blank(), c.blankAfter);
    }
    EXPECT_FALSE(platform::PathExists(EmulatedSessionFile(backing)));
}

TEST_F(EmulatedRecorder, EjectIsCountedBesideTheBackingFile) {
    ConfigureOne("6", kMediaDvdPlusR, 1000);
    DiscRecorder recorder;
    ASSERT_EQ(recorder.InitializeDiscRecorder(id), kOk);
    EXPECT_EQ(EmulatedEjectCount(backing), 0);
    EXPECT_EQ(recorder.EjectMedia(), kOk);
    EXPECT_EQ(recorder.EjectMedia(), kOk);
    EXPECT_EQ(EmulatedEjectCount(backing), 2);
}

TEST_F(EmulatedRecorder, ExclusiveAccessIsHeldByOneObjectAtATime) {
    ConfigureOne("6", kMediaDvdPlusR, 1000);
    auto first = std::make_unique<DiscRecorder>();
    DiscRecorder second;
    ASSERT_EQ(first->InitializeDiscRecorder(id), kOk);
    ASSERT_EQ(second.InitializeDiscRecorder(id), kOk);
    EXPECT_EQ(first->AcquireExclusiveAccess(true, "bad/name"), kRecorderClientNameInvalid);
    EXPECT_EQ(first->AcquireExclusiveAccess(true, "VUDUriv"), kOk);
    std::string owner;
    EXPECT_EQ(second.ExclusiveAccessOwner(&owner), kOk);
    EXPECT_EQ(owner, "VUDUriv");
    EXPECT_EQ(second.AcquireExclusiveAccess(true, "Other"), kRecorderLocked);
    first.reset();  // going away gives the recorder back
    EXPECT_EQ(second.AcquireExclusiveAccess(true, "Other"), kOk);
    EXPECT_EQ(second.ReleaseExclusiveAccess(), kOk);
}

TEST_F(EmulatedRecorder, TheDiscMasterListsTheConfiguredRecordersInOrder) {
    Configure(Entry(dir / "a.img", "First", "6", 6, 100) + ";broken;" +
              Entry(dir / "b.img", "Second", "2", 0, 0));
    DiscMaster master;
    bool supported = false;
    EXPECT_EQ(master.IsSupportedEnvironment(&supported), kOk);
    EXPECT_TRUE(supported);
    int32_t count = 0;
    EXPECT_EQ(master.Count(&count), kOk);
    ASSERT_EQ(count, 2);
    std::string first, second, none;
    EXPECT_EQ(master.Item(0, &first), kOk);
    EXPECT_EQ(master.Item(1, &second), kOk);
    EXPECT_EQ(master.Item(2, &none), kInvalidArgument);
    EXPECT_EQ(first, kEmulatedIdPrefix + (dir / "a.img"));
    EXPECT_NE(master.Diagnostics().find("broken"), std::string::npos);

    DiscRecorder recorder;
    ASSERT_EQ(recorder.InitializeDiscRecorder(second), kOk);
    std::string product;
    std::vector<std::string> volumes;
    EXPECT_EQ(recorder.ProductId(&product), kOk);
    EXPECT_EQ(recorder.VolumePathNames(&volumes), kOk);
    EXPECT_EQ(product, "Second");
    EXPECT_EQ(volumes, std::vector<std::string>{dir / "b.img"});
    DiscRecorder unknown;
    EXPECT_EQ(unknown.InitializeDiscRecorder(kEmulatedIdPrefix + (dir / "c.img")), kInvalidArgument);
}

TEST(RealDrives, AMachineWithoutOpticalDrivesListsNone) {
    for (const char* node : {"/dev/sr0", "/dev/sr1", "/dev/cdrom"}) {
        if (platform::PathExists(node)) GTEST_SKIP() << node << " exists on this machine";
    }
    ScopedEnv env(kEmulatedRecordersVariable, "");
    DiscMaster master;
    bool supported = true;
    int32_t count = -1;
    EXPECT_EQ(master.IsSupportedEnvironment(&supported), kOk);
    EXPECT_EQ(master.Count(&count), kOk);
    EXPECT_FALSE(supported);
    EXPECT_EQ(count, 0);
    DiscRecorder recorder;
    EXPECT_EQ(recorder.InitializeDiscRecorder("/dev/sr0"), kInvalidArgument);
}

}  // namespace
}  // namespace orvalis::recorders
