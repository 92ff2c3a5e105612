#include "platform/SingleInstance.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <optional>

using orvalis::platform::SingleInstance;

namespace {
std::string UniqueName() { return "orvalis-test-instance-" + std::to_string(getpid()); }
}  // namespace

TEST(SingleInstance, ASecondInstanceFindsTheFirstAndAsksForItsWindow) {
    std::optional<SingleInstance> first(std::in_place, UniqueName());
    ASSERT_FALSE(first->AnotherIsRunning());

    SingleInstance second(UniqueName());
    EXPECT_TRUE(second.AnotherIsRunning());
    // The first has no window yet: the second learns so.
    EXPECT_FALSE(second.AskToShowWindow("Orvalis"));

    std::string asked;
    std::atomic<bool> hasWindow{true};
    first->SetShowRequestHandler([&](const std::string& title) {
        asked = title;
        return hasWindow.load();
    });
    EXPECT_TRUE(second.AskToShowWindow("Orvalis"));
    EXPECT_EQ(asked, "Orvalis");
    hasWindow = false;
    EXPECT_FALSE(second.AskToShowWindow("Orvalis"));

    // When the first goes (also by a crash) the name is free for the next start.
    first.reset();
    SingleInstance third(UniqueName());
    EXPECT_FALSE(third.AnotherIsRunning());
    EXPECT_FALSE(SingleInstance(UniqueName() + "-other").AnotherIsRunning());
}
