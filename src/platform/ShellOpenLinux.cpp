#include "platform/ShellOpen.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <thread>

extern char** environ;

namespace orvalis::platform {

bool ShellOpen(const std::string& target) {
    const char* override = std::getenv("ORVALIS_SHELL_OPEN");
    std::string command = (override && *override) ? override : "xdg-open";
    char* argv[] = {command.data(), const_cast<char*>(target.c_str()), nullptr};

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // Its own process group, so that a Ctrl-C meant for us does not reach the viewer.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, command.c_str(), nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) return false;
    // Nobody waits for the opener; reap it whenever it ends so that no zombie stays.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

}  // namespace orvalis::platform
