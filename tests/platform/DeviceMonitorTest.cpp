#include "platform/DeviceMonitor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "TestSupport.h"

using orvalis::platform::DeviceMonitor;
using namespace std::chrono_literals;

TEST(DeviceMonitor, ReportsALoopDeviceComingAndGoing) {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<DeviceMonitor::Event> events;
    DeviceMonitor monitor([&](DeviceMonitor::Event e) {
        std::lock_guard guard(lock);
        events.push_back(e);
        changed.notify_all();
    });
    if (!monitor.running()) GTEST_SKIP() << "this system gives no block device events";

    orvalis::testing::TempDir dir;
    auto made = orvalis::testing::RunCommand("truncate -s 1M '" + (dir / "disk") +
                                             "' && losetup -f --show '" + (dir / "disk") + "' 2>/dev/null");
    std::string device = made.output.substr(0, made.output.find('\n'));
    if (made.status != 0 || device.empty()) GTEST_SKIP() << "loop devices cannot be attached here";

    auto waitFor = [&](DeviceMonitor::Event wanted) {
        std::unique_lock guard(lock);
        return changed.wait_for(guard, 5s, [&] {
            for (auto e : events) {
                if (e == wanted) return true;
            }
            return false;
        });
    };
    bool arrived = waitFor(DeviceMonitor::Event::Arrival);
    orvalis::testing::RunCommand("losetup -d '" + device + "'");
    if (!arrived) GTEST_SKIP() << "the kernel's device events do not reach this sandbox";
    EXPECT_TRUE(waitFor(DeviceMonitor::Event::RemoveComplete));
}
