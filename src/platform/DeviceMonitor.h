#pragma once

#include <functional>
#include <thread>

#include "platform/UniqueFd.h"

struct udev;
struct udev_monitor;

namespace orvalis::platform {

// Watches block devices coming and going (disks, partitions, loop devices, card readers)
// and reports each on its own thread.
class DeviceMonitor {
public:
    enum class Event { Arrival, RemoveComplete };

    explicit DeviceMonitor(std::function<void(Event)> onEvent);
    ~DeviceMonitor();
    DeviceMonitor(const DeviceMonitor&) = delete;
    DeviceMonitor& operator=(const DeviceMonitor&) = delete;

    // False when the system gives no device events (no netlink in a sandbox, say).
    bool running() const { return thread_.joinable(); }

private:
    void Run();

    std::function<void(Event)> onEvent_;
    ::udev* udev_ = nullptr;
    ::udev_monitor* monitor_ = nullptr;
    UniqueFd wake_;
    std::thread thread_;
};

}  // namespace orvalis::platform
