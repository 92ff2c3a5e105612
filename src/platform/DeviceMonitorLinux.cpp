#include "platform/DeviceMonitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace orvalis::platform {

DeviceMonitor::DeviceMonitor(std::function<void(Event)> onEvent) : onEvent_(std::move(onEvent)) {
    udev_ = udev_new();
    if (!udev_) return;
    // With a udev daemon its events come after the device nodes are ready; without one
    // (a container, a minimal system) the kernel's own events are all there is.
    bool daemon = access("/run/udev/control", F_OK) == 0;
    monitor_ = udev_monitor_new_from_netlink(udev_, daemon ? "udev" : "kernel");
    if (!monitor_) return;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "block", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        return;
    }
    wake_.Reset(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!wake_) return;
    thread_ = std::thread([this] { Run(); });
}

DeviceMonitor::~DeviceMonitor() {
    if (thread_.joinable()) {
        uint64_t one = 1;
        ssize_t ignored = write(wake_.get(), &one, sizeof one);
        (void)ignored;
        thread_.join();
    }
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
}

void DeviceMonitor::Run() {
    pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {wake_.get(), POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (!(fds[0].revents & POLLIN)) continue;
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (!device) continue;
        const char* action = udev_device_get_action(device);
        if (action && std::strcmp(action, "add") == 0) {
            onEvent_(Event::Arrival);
        } else if (action && std::strcmp(action, "remove") == 0) {
            onEvent_(Event::RemoveComplete);
        }
        udev_device_unref(device);
    }
}

}  // namespace orvalis::platform
