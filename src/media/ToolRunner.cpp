#include "media/ToolRunner.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/UniqueFd.h"
#include "platform/process/ChildProcess.h"

namespace orvalis::media {
namespace {

using Clock = std::chrono::steady_clock;

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool ToolRunner::Run(const ToolRunSpec& spec, ChunkConsumer* consumer) {
    auto started = platform::ChildProcess::Start(spec.commandLine);
    if (!started) return false;
    platform::ChildProcess child = std::move(started).value();

    platform::UniqueFd sink;
    if (spec.mode == OutputMode::kFileSink) {
        sink.Reset(spec.openFileSink ? spec.openFileSink() : -1);
        if (!sink) return true;  // the tool ran; its output has nowhere to go
    }
    ArchiveToolState fallbackState(kMaxRead);
    ArchiveToolState* state = spec.archiveState ? spec.archiveState : &fallbackState;

    char chunk[kChunkSize + 1] = {};
    int drain = kDrainPasses;
    std::optional<Clock::time_point> firstQuit;
    for (;;) {
        if (child.WaitForExit(kPollInterval)) {
            if (--drain < 0) break;
        }
        std::optional<size_t> waiting = child.BytesWaiting();
        if (!waiting) break;

        bool readChunk = false;
        if (*waiting > 0) {
            if (spec.mode == OutputMode::kChunkConsumer) {
                ssize_t n = child.ReadOutput(chunk, kChunkSize);
                if (n <= 0) break;
                chunk[n] = '\0';
                readChunk = true;
                if (consumer && !consumer->TakeChunk(chunk, static_cast<size_t>(n))) break;
            } else {
                if (*waiting > state->Capacity) state->EnsureCapacity(static_cast<uint32_t>(*waiting));
                size_t got = 0;
                bool failed = false;
                while (got < *waiting) {
                    size_t want = std::min(kMaxRead, *waiting - got);
                    ssize_t n = child.ReadOutput(state->Buffer.get() + got, want);
                    if (n <= 0) {
                        failed = true;
                        break;
                    }
                    got += static_cast<size_t>(n);
                }
                if (failed) break;
                if (spec.mode == OutputMode::kFileSink &&
                    !WriteAll(sink.get(), state->Buffer.get(), got)) {
                    break;
                }
            }
        }
        if (!consumer) continue;
        if (!readChunk) consumer->Idle();
        if (consumer->CurrentResult() != kJobCancelled) continue;
        if (spec.stop == StopAction::kQuitText) {
            child.WriteInput("q\r\n");  // fails silently once the tool has gone
            auto now = Clock::now();
            if (!firstQuit) firstQuit = now;
            if (now - *firstQuit >= spec.quitGrace) child.Kill();
        } else if (spec.stop == StopAction::kTerminate) {
            child.Kill();
        }
    }
    // A child that is still running (its output was abandoned) goes on by itself; the
    // process object hands it to a waiter that reaps it when it ends.
    child.ClosePipes();
    return true;
}

}  // namespace orvalis::media
