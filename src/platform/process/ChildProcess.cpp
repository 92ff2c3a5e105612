#include "platform/process/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>
#include <vector>

#include "platform/process/CommandLine.h"

extern char** environ;

namespace orvalis::platform {
namespace {

int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
    int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (fd >= 0) fcntl(fd, F_SETFD, FD_CLOEXEC);
    return fd;
#else
    (void)pid;
    return -1;
#endif
}

// Writes without the process-wide SIGPIPE that a write to a pipe without a reader raises:
// the signal is blocked on this thread for the write and a pending one is taken away.
bool WriteWithoutSigpipe(int fd, std::string_view bytes) {
    sigset_t pipeOnly, old;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &old);

    bool ok = true;
    bool broken = false;
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            broken = errno == EPIPE;
            ok = false;
            break;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    if (broken && !alreadyPending) {
        const timespec zero{};
        while (sigtimedwait(&pipeOnly, nullptr, &zero) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return ok;
}

}  // namespace

Result<ChildProcess> ChildProcess::Start(std::string_view commandLine) {
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || args[0].empty()) return Result<ChildProcess>::Failure(ENOENT, "no program");

    int inputPipe[2];
    int outputPipe[2];
    if (pipe2(inputPipe, O_CLOEXEC) != 0) return Result<ChildProcess>::Failure(errno, "pipe");
    UniqueFd inRead(inputPipe[0]), inWrite(inputPipe[1]);
    if (pipe2(outputPipe, O_CLOEXEC) != 0) return Result<ChildProcess>::Failure(errno, "pipe");
    UniqueFd outRead(outputPipe[0]), outWrite(outputPipe[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // dup2 clears close-on-exec on the copies, so the child keeps exactly these three.
    posix_spawn_file_actions_adddup2(&actions, inRead.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outWrite.get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outWrite.get(), STDERR_FILENO);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    // Whatever this process ignores (SIGPIPE, Ctrl-C), the tool starts with the defaults.
    posix_spawnattr_setsigdefault(&attr, &all);
    // A group of its own: Ctrl-C on the terminal reaches us, not the tool, which is stopped
    // the way each use says.
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                        POSIX_SPAWN_SETPGROUP);

    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    int rc = posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) return Result<ChildProcess>::Failure(rc, "cannot start " + args[0]);

    ChildProcess child;
    child.pid_ = pid;
    child.pidFd_.Reset(OpenPidFd(pid));
    // A child that never reads its input must not block us once the pipe is full.
    fcntl(inWrite.get(), F_SETFL, fcntl(inWrite.get(), F_GETFL) | O_NONBLOCK);
    child.input_ = std::move(inWrite);
    child.output_ = std::move(outRead);
    // inRead and outWrite, the child's ends, are closed here as they go out of scope.
    return child;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      pidFd_(std::move(other.pidFd_)),
      input_(std::move(other.input_)),
      output_(std::move(other.output_)),
      ended_(other.ended_),
      status_(other.status_) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        HandOver();
        pid_ = std::exchange(other.pid_, -1);
        pidFd_ = std::move(other.pidFd_);
        input_ = std::move(other.input_);
        output_ = std::move(other.output_);
        ended_ = other.ended_;
        status_ = other.status_;
    }
    return *this;
}

ChildProcess::~ChildProcess() { HandOver(); }

void ChildProcess::HandOver() {
    ClosePipes();
    pidFd_.Reset();
    if (pid_ > 0 && !ended_) {
        pid_t pid = pid_;
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
    pid_ = -1;
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (ended_) return true;
    if (pid_ <= 0) return true;
    auto reap = [this] {
        int status = 0;
        pid_t r;
        do {
            r = waitpid(pid_, &status, WNOHANG);
        } while (r < 0 && errno == EINTR);
        if (r == pid_ || (r < 0 && errno == ECHILD)) {
            ended_ = true;
            status_ = status;
        }
        return ended_;
    };
    if (reap()) return true;
    if (pidFd_) {
        pollfd p{pidFd_.get(), POLLIN, 0};
        int rc;
        do {
            rc = poll(&p, 1, static_cast<int>(timeout.count()));
        } while (rc < 0 && errno == EINTR);
    } else {
        std::this_thread::sleep_for(timeout);
    }
    return reap();
}

std::optional<size_t> ChildProcess::BytesWaiting() const {
    if (!output_) return std::nullopt;
    int waiting = 0;
    if (ioctl(output_.get(), FIONREAD, &waiting) != 0) return std::nullopt;
    if (waiting > 0) return static_cast<size_t>(waiting);
    pollfd p{output_.get(), POLLIN, 0};
    if (poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        // Look again: bytes may have arrived between the two calls.
        if (ioctl(output_.get(), FIONREAD, &waiting) == 0 && waiting > 0) {
            return static_cast<size_t>(waiting);
        }
        return std::nullopt;
    }
    return 0;
}

ssize_t ChildProcess::ReadOutput(char* buffer, size_t size) {
    if (!output_) return -1;
    ssize_t n;
    do {
        n = read(output_.get(), buffer, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

bool ChildProcess::WriteInput(std::string_view bytes) {
    if (!input_) return false;
    return WriteWithoutSigpipe(input_.get(), bytes);
}

void ChildProcess::Kill() {
    if (pid_ <= 0 || ended_) return;
    // The group id is still ours while its leader is not reaped.
    if (kill(-pid_, SIGKILL) != 0) kill(pid_, SIGKILL);
}

void ChildProcess::ClosePipes() {
    input_.Reset();
    output_.Reset();
}

}  // namespace orvalis::platform
