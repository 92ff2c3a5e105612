#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/UniqueFd.h"

namespace orvalis::platform {

// One running instance per name, machine-wide for the user's network namespace: the first
// instance holds an abstract Unix socket of that name (it goes away with the process, also
// after a crash), and later instances ask it, over that socket, to bring its window back.
class SingleInstance {
public:
    // Claims the name. When the socket cannot be made at all, the caller carries on as the
    // first instance.
    explicit SingleInstance(const std::string& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another instance holds the name.
    bool AnotherIsRunning() const { return anotherRunning_; }

    // First instance: called on a listener thread when a later instance asks to show the
    // window with that title. Returns true when such a window exists and was shown. Until a
    // handler is set, the answer is that there is no window.
    void SetShowRequestHandler(std::function<bool(const std::string& title)> handler);

    // Later instance: asks the first one to show its window. True when it had one and
    // showed it; false when it has none yet or did not answer within two seconds.
    bool AskToShowWindow(const std::string& title);

private:
    void Listen();

    std::string name_;
    bool anotherRunning_ = false;
    UniqueFd listener_;
    std::thread thread_;
    std::function<bool(const std::string&)> handler_;
    std::mutex handlerLock_;
};

}  // namespace orvalis::platform
