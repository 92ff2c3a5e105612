// Smooth wheel scrolling of the tree-shaped list: the easing curve, how quick turns build up
// the delta, and the timer that plays it out and stops by itself.
#include "ControlsFixture.h"

namespace controls_test {
namespace {

TEST(ListEase, FollowsTheTwoHalvesOfTheCurve) {
    const std::pair<double, double> cases[] = {{0.0, 0.0}, {0.25, 0.125}, {0.5, 0.5}, {0.75, 0.875}, {1.0, 1.0}};
    for (auto [s, expected] : cases) EXPECT_DOUBLE_EQ(CListExUI::Ease(s), expected) << s;
}

class ScrollTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        for (int i = 0; i < 40; ++i) disks->AddNode(nullptr, Row("disk" + std::to_string(i)));
        driver.PumpUntilIdle();
    }
    int ScrollPos() { return disks->GetList()->GetScrollPos().cy; }
    bool Running() { return window.GetPaintManager().HasTimer(disks, CListExUI::kScrollTimerId); }
};

TEST_F(ScrollTest, QuickTurnsAccelerateToTheLimitAndAReverseTurnStartsFromTheEasedDelta) {
    struct Step {
        int delta;
        int expectedDelta;
        int expectedSteps;
    };
    // Down turns without a tick between them: each adds 10 to the running delta.
    const Step steps[] = {
        {-120, -10, 12}, {-120, -20, 16}, {-120, -30, 20}, {-120, -40, 24}, {-120, -50, 28}, {-120, -60, 28},
        {-120, -70, 32}, {-120, -80, 32}, {-120, -90, 36}, {-120, -100, 40}, {-120, -100, 40},
        // Up against a full delta: the eased delta (all of it, no step has passed) plus 16.
        {120, -84, 36},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(driver.Wheel("DiskList", s.delta));
        EXPECT_EQ(disks->ScrollDelta(), s.expectedDelta);
        EXPECT_EQ(disks->StepCount(), s.expectedSteps);
        EXPECT_EQ(disks->StepsLeft(), s.expectedSteps);
    }
    EXPECT_TRUE(Running());
    EXPECT_EQ(ScrollPos(), 0);  // nothing moves before the first tick
}

TEST_F(ScrollTest, ATurnDuringARunAddsToTheEasedRemainder) {
    driver.Wheel("DiskList", -120);
    driver.Wheel("DiskList", -120);  // -20 over 16 steps
    driver.AdvanceTime(CListExUI::kScrollTimerMs);
    EXPECT_EQ(disks->StepsLeft(), 15);
    // ease(15/16) = 1 - 2/256: the eased remainder of -20 is -19, the turn makes it -29.
    int moved = ScrollPos();
    EXPECT_EQ(moved, 19);
    driver.Wheel("DiskList", -120);
    EXPECT_EQ(disks->ScrollDelta(), -29);
    EXPECT_EQ(disks->StepCount(), 20);
}

TEST_F(ScrollTest, TheTimerPlaysTheDeltaOutAndStops) {
    driver.Wheel("DiskList", -120);
    driver.Wheel("DiskList", -120);
    int last = ScrollPos();
    int ticks = 0;
    while (Running() && ticks < 100) {
        driver.AdvanceTime(CListExUI::kScrollTimerMs);
        EXPECT_GE(ScrollPos(), last);
        last = ScrollPos();
        ++ticks;
    }
    EXPECT_FALSE(Running());
    EXPECT_GT(last, 0);
    EXPECT_LE(ticks, 17);
    EXPECT_EQ(disks->ScrollDelta(), 0);
    EXPECT_EQ(disks->StepsLeft(), 0);

    // At the top an upward run ends at the first tick without moving.
    disks->GetList()->SetScrollPos({0, 0});
    driver.Wheel("DiskList", 120);
    driver.AdvanceTime(CListExUI::kScrollTimerMs);
    EXPECT_EQ(ScrollPos(), 0);
    EXPECT_FALSE(Running());
    EXPECT_EQ(disks->ScrollDelta(), 0);
}

}  // namespace
}  // namespace controls_test
