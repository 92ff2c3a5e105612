#include <gtest/gtest.h>

#include "platform/recorders/EmulatedRecorderConfig.h"

namespace orvalis::recorders {
namespace {

TEST(EmulatedRecorderConfig, ParsesTheDocumentedExample) {
    EmulatedRecorderList list = ParseEmulatedRecorders(
        "/srv/disc1.img|File Recorder|6,8|6|2295104;/srv/cd.img|CD Writer|2,3|2|359844");
    ASSERT_EQ(list.recorders.size(), 2u);
    EXPECT_TRUE(list.errors.empty());
    const EmulatedRecorderConfig& dvd = list.recorders[0];
    EXPECT_EQ(dvd.backingPath, "/srv/disc1.img");
    EXPECT_EQ(dvd.productId, "File Recorder");
    EXPECT_EQ(dvd.writes, (std::vector<PhysicalMediaType>{6, 8}));
    EXPECT_EQ(dvd.loaded, 6);
    EXPECT_EQ(dvd.sectors, 2295104u);
    EXPECT_EQ(list.recorders[1].writes, (std::vector<PhysicalMediaType>{2, 3}));
}

TEST(EmulatedRecorderConfig, LeavesOutMalformedEntriesAndSaysWhy) {
    EmulatedRecorderList list = ParseEmulatedRecorders(
        " ; /ok.img|Drive||0|0 ;"
        "/few.img|Drive|6;"
        "relative.img|Drive|6|6|100;"
        "/type.img|Drive|6,20|6|100;"
        "/loaded.img|Drive|6|x|100;"
        "/size.img|Drive|6|6|0;"
        "/huge.img|Drive|6|6|2147483648;"
        "/ok.img|Again|6|6|100");
    ASSERT_EQ(list.recorders.size(), 1u);
    EXPECT_EQ(list.recorders[0].backingPath, "/ok.img");
    EXPECT_TRUE(list.recorders[0].writes.empty());
    EXPECT_EQ(list.recorders[0].loaded, kMediaUnknown);
    ASSERT_EQ(list.errors.size(), 7u);
    EXPECT_NE(list.errors[0].find("5 fields"), std::string::npos);
    EXPECT_NE(list.errors[1].find("absolute"), std::string::npos);
    EXPECT_NE(list.errors[6].find("already uses"), std::string::npos);
}

}  // namespace
}  // namespace orvalis::recorders
