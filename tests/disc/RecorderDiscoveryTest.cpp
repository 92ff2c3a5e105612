#include <gtest/gtest.h>

#include "DiscTestSupport.h"
#include "disc/CDiscFormatData.h"
#include "disc/DiscNames.h"
#include "disc/RecorderDiscovery.h"
#include "disc/RecorderHandle.h"

namespace orvalis::disc {
namespace {

using testing::EmulatedRecorders;

TEST(EnumerateRecorders, ListsUsableRecordersWithTheirTextAndSkipsVirtualOnes) {
    EmulatedRecorders machine;
    std::string first = machine.Add("a", "File Recorder", "6,8", 6, 2295104);
    machine.Add("b", "Virtual DVD", "6", 6, 1000);
    std::string third = machine.Add("c", "my virtual writer", "2", 2, 359844);

    std::vector<RecorderInfo> recorders;
    EnumerateRecorders(recorders);
    ASSERT_EQ(recorders.size(), 2u);
    EXPECT_EQ(recorders[0].index, 0);
    EXPECT_EQ(recorders[0].displayText, machine.Backing("a") + " [File Recorder]");
    EXPECT_EQ(recorders[0].uniqueId, first);
    EXPECT_EQ(recorders[1].index, 2);  // the index in the collection, not in the list
    EXPECT_EQ(recorders[1].uniqueId, third);
}

TEST(EnumerateRecorders, NoRecordersLeavesTheListAsItWas) {
    EmulatedRecorders machine;
    std::vector<RecorderInfo> recorders{{7, "kept", "id"}};
    EnumerateRecorders(recorders);
    ASSERT_EQ(recorders.size(), 1u);
    EXPECT_EQ(recorders[0].displayText, "kept");
}

TEST(InspectMedia, MediaTypesWrittenGiveFlagsAndChoices) {
    struct Case {
        std::string writes;
        std::vector<uint8_t> flags;  // CD, DVD, dual layer, HD DVD, Blu-ray
        std::vector<std::string> choices;
    };
    const Case cases[] = {
        {"1,2,3", {1, 0, 0, 0, 0}, {}},
        {"2,6,11", {1, 1, 1, 0, 0}, {"4.7GB DVD Media", "8.5GB Dual-Layer DVD"}},
        {"8", {0, 0, 1, 0, 0}, {"8.5GB Dual-Layer DVD"}},
        {"15,18", {0, 0, 0, 1, 1}, {}},
        {"12,5", {0, 1, 0, 0, 0}, {"4.7GB DVD Media"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.writes);
        EmulatedRecorders machine;
        std::string id = machine.Add("r", "Writer", c.writes, 0, 0);
        media::DiscProject project;
        std::vector<MediaChoice> choices;
        EXPECT_EQ(InspectMedia(id, project, choices), kOk);
        EXPECT_EQ(std::vector<uint8_t>(project.MediaFlags, project.MediaFlags + 5), c.flags);
        std::vector<std::string> labels;
        for (const MediaChoice& choice : choices) labels.push_back(choice.label);
        EXPECT_EQ(labels, c.choices);
    }
    media::DiscProject project;
    std::vector<MediaChoice> choices;
    EmulatedRecorders machine;
    std::string id = machine.Add("r", "Writer", "6,8", 6, 100);
    ASSERT_EQ(InspectMedia(id, project, choices), kOk);
    EXPECT_EQ(choices[0].capacity, 4692251770u);
    EXPECT_EQ(choices[1].capacity, 8536247500u);
}

TEST(InspectMedia, ARecorderThatCannotBeSetUpGets87AndClearedFlags) {
    EmulatedRecorders machine;
    std::string writesNothing = machine.Add("r", "Reader", "", 4, 1000);
    for (const std::string& id : {writesNothing, std::string("emulated:/nowhere.img")}) {
        media::DiscProject project;
        for (uint8_t& flag : project.MediaFlags) flag = 1;
        std::vector<MediaChoice> choices;
        EXPECT_EQ(InspectMedia(id, project, choices), kCannotSetUp);
        EXPECT_EQ(std::vector<uint8_t>(project.MediaFlags, project.MediaFlags + 5),
                  std::vector<uint8_t>(5, 0));
        EXPECT_TRUE(choices.empty());
    }
}

TEST(MediaTypeName, NamesEachTypeAndSetsItsFamily) {
    const char* names[] = {"Unknown Media Type", "CD-ROM or CD-R/RW media", "CD-R", "CD-RW", "DVD ROM",
                           "DVD-RAM", "DVD+R", "DVD+RW", "DVD+R Dual Layer", "DVD-R", "DVD-RW",
                           "DVD-R Dual Layer", "random-access writes", "DVD+RW DL", "HD DVD-ROM",
                           "HD DVD-R", "HD DVD-RAM", "Blu-ray DVD (BD-ROM)", "Blu-ray media",
                           "Blu-ray Rewritable media"};
    const int family[] = {-1, 0, 0, 0, 1, 1, 1, 1, 2, 1, 1, 2, -1, 2, 3, 3, 3, 4, 4, 4};
    for (int type = 0; type < 20; ++type) {
        media::DiscProject project;
        EXPECT_EQ(MediaTypeName(type, project), names[type]);
        for (int f = 0; f < 5; ++f) EXPECT_EQ(project.MediaFlags[f], f == family[type] ? 1 : 0) << type;
    }
    media::DiscProject project;
    EXPECT_EQ(MediaTypeName(20, project), "Unknown Media Type");
    EXPECT_EQ(MediaTypeName(-1, project), "Unknown Media Type");
    EXPECT_EQ(std::vector<uint8_t>(project.MediaFlags, project.MediaFlags + 5), std::vector<uint8_t>(5, 0));
}

TEST(CDiscFormatData, InitializeRecordsWhyItFailed) {
    CDiscFormatData none;
    EXPECT_FALSE(none.Initialize(nullptr, kClientName));
    EXPECT_EQ(none.errorText(), "Error - CDiscFormatData::Initialize - pDiscRecorder is NULL");

    EmulatedRecorders machine;
    RecorderHandle reader = OpenRecorder(machine.Add("r", "Reader", "", 4, 1000));
    ASSERT_TRUE(reader.opened());
    CDiscFormatData unsupported;
    EXPECT_FALSE(unsupported.Initialize(reader.recorder(), kClientName));
    EXPECT_EQ(unsupported.errorText(), "Recorder not supported");

    RecorderHandle writer = OpenRecorder(machine.Add("w", "Writer", "6", 6, 1000));
    CDiscFormatData badName;
    EXPECT_FALSE(badName.Initialize(writer.recorder(), "bad/name"));
    EXPECT_EQ(badName.errorText(), "IDiscFormat2Data->put_ClientName Failed - Error:0xc0aa0408");

    CDiscFormatData good;
    EXPECT_TRUE(good.Initialize(writer.recorder(), kClientName));
    EXPECT_EQ(good.supportedMediaTypes(), std::vector<int32_t>{6});
    EXPECT_EQ(writer.VolumePathName(0), machine.Backing("w"));
    EXPECT_EQ(writer.VolumePathName(1), "");
}

}  // namespace
}  // namespace orvalis::disc
