#include "platform/process/ChildProcess.h"

#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "platform/process/CommandLine.h"

using namespace std::chrono_literals;
using orvalis::platform::ChildProcess;
using orvalis::platform::QuoteArgument;

namespace {

// Everything the child writes, until it ends and its output is drained.
std::string ReadAll(ChildProcess& child) {
    std::string out;
    char buffer[4096];
    for (;;) {
        child.WaitForExit(5ms);
        auto waiting = child.BytesWaiting();
        if (!waiting) break;
        if (*waiting == 0) continue;
        ssize_t n = child.ReadOutput(buffer, sizeof buffer);
        if (n <= 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    return out;
}

// State letter of a process in /proc ('Z' for a zombie), or 0 once it is gone.
char ProcessState(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string content;
    if (!std::getline(stat, content)) return 0;
    size_t close = content.rfind(')');
    return close + 2 < content.size() ? content[close + 2] : '?';
}

bool GoneWithin(pid_t pid, std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (ProcessState(pid) == 0) return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

}  // namespace

TEST(ChildProcess, ArgumentsArriveWholeAndBothStreamsShareOnePipe) {
    const std::string odd[] = {"a b", "q\"uote", "back\\", "new\nline", "\xE6\x96\x87", ""};
    std::string line = "/bin/sh -c " + QuoteArgument("printf '%s|' \"$@\"; echo err >&2") + " sh";
    for (const std::string& a : odd) line += " " + QuoteArgument(a);
    auto child = ChildProcess::Start(line);
    ASSERT_TRUE(child) << child.message();
    EXPECT_EQ(ReadAll(child.value()), "a b|q\"uote|back\\|new\nline|\xE6\x96\x87||err\n");
    EXPECT_TRUE(child->HasEnded());
}

TEST(ChildProcess, InputIsWritableAndAGoneReaderDoesNotSignalUs) {
    auto child = ChildProcess::Start("/bin/sh -c \"read l; echo got:$l\"");
    ASSERT_TRUE(child);
    EXPECT_TRUE(child->WriteInput("q\r\n"));
    EXPECT_EQ(ReadAll(child.value()), "got:q\r\n");
    // The child has gone: writing fails quietly instead of raising SIGPIPE here.
    EXPECT_FALSE(child->WriteInput("q\r\n"));
}

TEST(ChildProcess, AMissingProgramDoesNotStart) {
    auto child = ChildProcess::Start("\"/no/such/tool\" -i x");
    EXPECT_FALSE(child);
    EXPECT_NE(child.code(), 0);
}

TEST(ChildProcess, KillEndsTheChildAndItsGroup) {
    // The shell starts a grandchild; killing the group takes both.
    auto child = ChildProcess::Start("/bin/sh -c \"sleep 30 & echo $!; wait\"");
    ASSERT_TRUE(child);
    std::string out;
    char buffer[64];
    while (out.find('\n') == std::string::npos) {
        child->WaitForExit(5ms);
        if (child->BytesWaiting().value_or(0) > 0) {
            ssize_t n = child->ReadOutput(buffer, sizeof buffer);
            if (n > 0) out.append(buffer, static_cast<size_t>(n));
        }
    }
    pid_t grandchild = std::stoi(out);
    child->Kill();
    EXPECT_TRUE(child->WaitForExit(5000ms));
    // Once its parent is gone the grandchild belongs to init, which may reap it late.
    EXPECT_TRUE(GoneWithin(grandchild, 5000ms) || ProcessState(grandchild) == 'Z')
        << "state " << ProcessState(grandchild);
}

TEST(ChildProcess, AChildLeftRunningIsReapedWhenItEnds) {
    pid_t pid;
    {
        auto child = ChildProcess::Start("/bin/sleep 0.3");
        ASSERT_TRUE(child);
        pid = child->pid();
    }  // abandoned while running
    EXPECT_NE(ProcessState(pid), 0);
    EXPECT_TRUE(GoneWithin(pid, 3000ms)) << "state " << ProcessState(pid);
}

TEST(ChildProcess, AnEndedChildIsReapedByWaiting) {
    auto child = ChildProcess::Start("/bin/true");
    ASSERT_TRUE(child);
    pid_t pid = child->pid();
    while (!child->WaitForExit(5ms)) {
    }
    EXPECT_EQ(ProcessState(pid), 0);  // no zombie while the object still lives
    // The pipe reports broken once the writer has gone and nothing is left.
    EXPECT_FALSE(child->BytesWaiting().has_value());
}
