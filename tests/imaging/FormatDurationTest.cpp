#include <gtest/gtest.h>

#include "imaging/FormatDuration.h"

TEST(FormatDuration, HoursMinutesSeconds) {
    using orvalis::imaging::FormatDuration;
    EXPECT_EQ(FormatDuration(0), "0 Sec");
    EXPECT_EQ(FormatDuration(59), "59 Sec");
    EXPECT_EQ(FormatDuration(60), "1 Min 0 Sec");
    EXPECT_EQ(FormatDuration(3599), "59 Min 59 Sec");
    EXPECT_EQ(FormatDuration(3600), "1 Hour 0 Min");
    EXPECT_EQ(FormatDuration(3725), "1 Hour 2 Min");
}
