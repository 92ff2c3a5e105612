#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/UniqueFd.h"

namespace orvalis::platform {

// One child program started from a command line, with its standard input on one pipe and
// its standard output and standard error together on another. No shell is involved: the
// command line is split by SplitCommandLine and the first argument is the program's path.
// The child gets a process group of its own, the parent's environment and current folder.
//
// Every child is reaped: while the object lives, by WaitForExit; when the object goes
// before the child has ended, a background waiter takes it over, so that a child left
// running (for example after its output stopped mattering) never stays as a zombie.
class ChildProcess {
public:
    // Fails with the OS error when the pipes cannot be made or the program cannot be
    // started (missing, not executable).
    static Result<ChildProcess> Start(std::string_view commandLine);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    pid_t pid() const { return pid_; }

    // Waits up to `timeout` for the child to end. True once it has ended (and was reaped).
    bool WaitForExit(std::chrono::milliseconds timeout);
    bool HasEnded() const { return ended_; }
    // The exit status as waitpid gives it; meaningful once HasEnded().
    int RawStatus() const { return status_; }

    // How many bytes wait in the output pipe. Nothing when the pipe is broken: every
    // writer has gone and nothing is left to read.
    std::optional<size_t> BytesWaiting() const;
    // One read from the output pipe: the bytes read, 0 at the end, -1 on an error.
    ssize_t ReadOutput(char* buffer, size_t size);
    // Writes to the child's standard input without blocking. False when it could not all be
    // written (the child has gone, closed its input or left the pipe full); never raises
    // SIGPIPE in this process.
    bool WriteInput(std::string_view bytes);

    // Ends the child and its process group at once (SIGKILL). Nothing once it has ended.
    void Kill();

    // Closes both pipe ends now (what a run does when it stops watching a child).
    void ClosePipes();

private:
    ChildProcess() = default;
    void HandOver();

    pid_t pid_ = -1;
    UniqueFd pidFd_;
    UniqueFd input_;   // write end of the child's standard input
    UniqueFd output_;  // read end of the child's standard output and error
    bool ended_ = false;
    int status_ = 0;
};

}  // namespace orvalis::platform
