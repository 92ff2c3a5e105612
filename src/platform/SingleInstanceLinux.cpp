#include "platform/SingleInstance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>

namespace orvalis::platform {
namespace {

constexpr int kAnswerTimeoutMs = 2000;
constexpr size_t kMaxRequest = 4096;
constexpr const char* kShown = "SHOWN\n";
constexpr const char* kNoWindow = "NOWINDOW\n";

// An abstract address: a leading NUL, then the name; nothing on the file system.
socklen_t AbstractAddress(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

bool SendAll(int fd, const std::string& text) {
    size_t sent = 0;
    while (sent < text.size()) {
        ssize_t n = send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

// Reads up to the first line end, waiting at most the timeout for each piece.
std::string ReadLine(int fd, int timeoutMs) {
    std::string line;
    char buffer[256];
    while (line.size() < kMaxRequest && line.find('\n') == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        int ready = poll(&p, 1, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        line.append(buffer, static_cast<size_t>(n));
    }
    return line;
}

}  // namespace

SingleInstance::SingleInstance(const std::string& name) : name_(name) {
    UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd) return;
    sockaddr_un address;
    socklen_t length = AbstractAddress(name_, address);
    if (bind(fd.get(), reinterpret_cast<sockaddr*>(&address), length) != 0) {
        anotherRunning_ = errno == EADDRINUSE;
        return;
    }
    if (listen(fd.get(), 8) != 0) return;
    listener_ = std::move(fd);
    thread_ = std::thread([this] { Listen(); });
}

SingleInstance::~SingleInstance() {
    if (listener_) shutdown(listener_.get(), SHUT_RDWR);  // wakes the accept
    if (thread_.joinable()) thread_.join();
}

void SingleInstance::SetShowRequestHandler(std::function<bool(const std::string&)> handler) {
    std::lock_guard lock(handlerLock_);
    handler_ = std::move(handler);
}

void SingleInstance::Listen() {
    for (;;) {
        UniqueFd client(accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!client) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;  // shut down
        }
        std::string request = ReadLine(client.get(), kAnswerTimeoutMs);
        if (request.rfind("SHOW ", 0) != 0 || request.back() != '\n') continue;
        std::string title = request.substr(5, request.size() - 6);
        bool shown = false;
        {
            std::lock_guard lock(handlerLock_);
            if (handler_) shown = handler_(title);
        }
        SendAll(client.get(), shown ? kShown : kNoWindow);
    }
}

bool SingleInstance::AskToShowWindow(const std::string& title) {
    UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd) return false;
    sockaddr_un address;
    socklen_t length = AbstractAddress(name_, address);
    if (connect(fd.get(), reinterpret_cast<sockaddr*>(&address), length) != 0) return false;
    if (!SendAll(fd.get(), "SHOW " + title + "\n")) return false;
    return ReadLine(fd.get(), kAnswerTimeoutMs) == kShown;
}

}  // namespace orvalis::platform
