#include <gtest/gtest.h>

#include <cstring>

#include "DiscTestSupport.h"
#include "disc/BurnProject.h"
#include "disc/CDiscFormatDataEvent.h"
#include "disc/MediaChecks.h"
#include "platform/FileSystem.h"
#include "platform/recorders/EmulatedDevice.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::disc {
namespace {

using testing::EmulatedRecorders;
using testing::ExtractImage;
using testing::RecordingWindow;

constexpr int32_t kMediaNotBlank = static_cast<int32_t>(0xC0AA0405);
constexpr int32_t kRequestCancelled = static_cast<int32_t>(0xC0AA0002);

class Burn : public ::testing::Test {
protected:
    void SetUp() override {
        // Two files from different folders and a folder with a tree below it.
        x = machine.dir().Write("src/a/x.txt", "the x file\n");
        y = machine.dir().Write("src/b/y.txt", std::string(70000, 'y'));
        machine.dir().Write("src/Photos/2019/beach.jpg", "jpeg bytes");
        machine.dir().Write("src/Photos/top.jpg", "top");
        project.Kind = media::DiscProject::kDataDisc;
        project.Items = {{0, 11, x}, {0, 70000, y}, {1, 13, machine.dir() / "src/Photos"}};
        dvd = machine.Add("dvd", "File Recorder", "6,8", 6, 2295104);
    }
    int32_t BurnTo(const std::string& id, EjectAfterBurn eject, CloseMedia close) {
        return BurnProject(project, 0, "MYDISC", id, eject, close, &window);
    }
    std::string Backing() { return platform::ReadWholeFile(machine.Backing("dvd")).value_or(""); }

    EmulatedRecorders machine;
    media::DiscProject project;
    RecordingWindow window;
    std::string x, y, dvd;
};

TEST_F(Burn, ADataProjectLandsOnTheBlankDiscWithFilesInTheRoot) {
    ASSERT_EQ(BurnTo(dvd, EjectAfterBurn::Yes, CloseMedia::Yes), kOk);

    std::string out = ExtractImage(machine.Backing("dvd"), machine.dir() / "out");
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(platform::ReadWholeFile(out + "/x.txt"), "the x file\n");
    EXPECT_EQ(platform::ReadWholeFile(out + "/y.txt"), std::string(70000, 'y'));
    EXPECT_EQ(platform::ReadWholeFile(out + "/Photos/2019/beach.jpg"), "jpeg bytes");
    EXPECT_EQ(platform::ReadWholeFile(out + "/Photos/top.jpg"), "top");
    EXPECT_FALSE(platform::PathExists(out + "/a"));
    EXPECT_EQ(GetMediaState(dvd), kMediaHoldsData);
    EXPECT_EQ(recorders::EmulatedEjectCount(machine.Backing("dvd")), 1);

    // The window heard the write from start to end; only writing and finalisation carry
    // figures, and the last writing message reaches the end of the image.
    std::vector<int32_t> actions = window.Actions();
    ASSERT_GE(actions.size(), 5u);
    EXPECT_EQ(actions[0], 0);
    EXPECT_EQ(actions[1], 2);
    EXPECT_EQ(actions[2], 4);
    EXPECT_EQ(actions[actions.size() - 2], 5);
    EXPECT_EQ(actions.back(), 6);
    const BurnProgressRecord zeros{};
    for (const auto& m : window.messages) {
        if (m.action != 4 && m.action != 5) {
            EXPECT_EQ(std::memcmp(&m.record, &zeros, sizeof zeros), 0) << "action " << m.action;
        }
        if (m.action == 4) {
            EXPECT_EQ(m.record.sectorCount * 2048u, Backing().size());
        }
    }
}

TEST_F(Burn, CloseMediaDecidesWhetherTheDiscStaysAppendable) {
    for (CloseMedia close : {CloseMedia::Yes, CloseMedia::No}) {
        platform::DeleteFile(machine.Backing("dvd"));
        ASSERT_EQ(BurnTo(dvd, EjectAfterBurn::No, close), kOk);
        EXPECT_EQ(platform::ReadWholeFile(recorders::EmulatedSessionFile(machine.Backing("dvd"))),
                  close == CloseMedia::Yes ? "closed\n" : "appendable\n");
        EXPECT_EQ(GetMediaState(dvd), kMediaHoldsData);
    }
    EXPECT_EQ(recorders::EmulatedEjectCount(machine.Backing("dvd")), 0);
}

TEST_F(Burn, ADiscHoldingDataIsRefusedUntouchedAndNotEjected) {
    platform::WriteWholeFile(machine.Backing("dvd"), "earlier session");
    EXPECT_EQ(BurnTo(dvd, EjectAfterBurn::Yes, CloseMedia::Yes), kMediaNotBlank);
    EXPECT_EQ(Backing(), "earlier session");
    EXPECT_EQ(recorders::EmulatedEjectCount(machine.Backing("dvd")), 0);
}

TEST_F(Burn, AStopAnswerAtTheFirstWritingMessageCancelsOnceAndWritesNothing) {
    window.stopWhenWriting = true;
    EXPECT_EQ(BurnTo(dvd, EjectAfterBurn::Yes, CloseMedia::Yes), kRequestCancelled);
    int stops = 0;
    for (const auto& m : window.messages) stops += m.answer == kBurnStop ? 1 : 0;
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(window.messages.back().action, 4);  // nothing was heard after the stop
    EXPECT_TRUE(Backing().empty());
    EXPECT_EQ(GetMediaState(dvd), kMediaBlank);
    EXPECT_EQ(recorders::EmulatedEjectCount(machine.Backing("dvd")), 0);
}

TEST_F(Burn, NothingIsWrittenWhenTheRecorderOrTheImageFails) {
    std::string cdOnly = machine.Add("reader", "Reader", "", 4, 1000);
    EXPECT_EQ(BurnTo("emulated:/nowhere.img", EjectAfterBurn::No, CloseMedia::Yes), kCannotSetUp);
    EXPECT_EQ(BurnTo(cdOnly, EjectAfterBurn::No, CloseMedia::Yes), kCannotSetUp);

    // A file that went away after it was added: its AddFile fails and the disc stays blank.
    project.Items.push_back({0, 5, machine.dir() / "src/gone.txt"});
    EXPECT_EQ(BurnTo(dvd, EjectAfterBurn::Yes, CloseMedia::Yes), recorders::kPointerInvalid);
    EXPECT_FALSE(platform::PathExists(machine.Backing("dvd")));
    EXPECT_TRUE(window.messages.empty());
}

TEST(AcquireRecorder, RefusesBadClientNamesWithoutTakingTheRecorder) {
    EmulatedRecorders machine;
    std::string id = machine.Add("r", "Writer", "6", 6, 1000);
    for (const std::string& name : {std::string(64, 'n'), std::string(), std::string("a/b")}) {
        RecorderHandle recorder = OpenRecorder(id);
        EXPECT_FALSE(AcquireRecorder(recorder, name)) << name;
        std::string owner = "?";
        recorder.recorder()->ExclusiveAccessOwner(&owner);
        EXPECT_EQ(owner, "");
    }
    RecorderHandle recorder = OpenRecorder(id);
    EXPECT_TRUE(AcquireRecorder(recorder, "VUDUriv"));
    EXPECT_TRUE(AcquireRecorder(recorder, std::string(63, 'n')));  // the same holder may ask again
    RecorderHandle unopened = OpenRecorder("emulated:/nowhere.img");
    EXPECT_FALSE(AcquireRecorder(unopened, "VUDUriv"));
}

TEST(CDiscFormatDataEvent, SendsOneMessagePerEventAndCancelsOncePerStopAnswer) {
    EmulatedRecorders machine;
    RecorderHandle recorder = OpenRecorder(machine.Add("r", "Writer", "6", 6, 1000));
    recorders::DiscFormatData writer;
    ASSERT_EQ(writer.SetRecorder(*recorder.recorder()), kOk);
    auto sink = CDiscFormatDataEvent::Create();
    ASSERT_TRUE(sink->Connect(&writer));
    RecordingWindow window;
    window.stopWhenWriting = true;
    sink->SetNotifyWindow(&window);

    recorders::WriteProgress progress{recorders::WriteAction::InitializingHardware, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    sink->Update(writer, progress);
    EXPECT_EQ(writer.CancelWriteCalls(), 0);
    progress.currentAction = recorders::WriteAction::WritingData;
    sink->Update(writer, progress);
    sink->Update(writer, progress);
    EXPECT_EQ(writer.CancelWriteCalls(), 2);
    ASSERT_EQ(window.messages.size(), 3u);
    const BurnProgressRecord zeros{};
    EXPECT_EQ(std::memcmp(&window.messages[0].record, &zeros, sizeof zeros), 0);
    const BurnProgressRecord& r = window.messages[1].record;
    EXPECT_EQ((std::vector<int32_t>{r.elapsedTime, r.remainingTime, r.totalTime, r.startLba, r.sectorCount,
                                    r.lastReadLba, r.lastWrittenLba, r.totalSystemBuffer, r.usedSystemBuffer,
                                    r.freeSystemBuffer}),
              (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

    progress.currentAction = recorders::WriteAction::Finalization;
    BurnProgressRecord final = CDiscFormatDataEvent::RecordFor(progress);
    EXPECT_EQ((std::vector<int32_t>{final.elapsedTime, final.remainingTime, final.totalTime, final.startLba}),
              (std::vector<int32_t>{1, 2, 3, 0}));

    // Without a window nothing is sent and nothing is cancelled.
    sink->SetNotifyWindow(nullptr);
    progress.currentAction = recorders::WriteAction::WritingData;
    sink->Update(writer, progress);
    EXPECT_EQ(writer.CancelWriteCalls(), 2);
}

}  // namespace
}  // namespace orvalis::disc
