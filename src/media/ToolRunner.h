#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "media/ArchiveToolState.h"
#include "platform/Result.h"

namespace orvalis::media {

enum class OutputMode {
    kChunkConsumer,  // each chunk read goes to the consumer
    kFileSink,       // everything read is appended to a file
    kDiscard,        // everything read is dropped
};

enum class StopAction {
    kNone,
    kQuitText,   // "q\r\n" on the tool's input, in every pass once the job is cancelled
    kTerminate,  // the tool is killed once the job is cancelled
};

// Takes the output of a chunk run and tells the runner about the job's state.
class ChunkConsumer {
public:
    virtual ~ChunkConsumer() = default;
    // One chunk: at most kChunkSize bytes followed by a NUL (text[length] == 0). Returns
    // false to stop reading.
    virtual bool TakeChunk(const char* text, size_t length) = 0;
    // The job's result so far; the runner compares it with kJobCancelled after every pass.
    virtual ResultCode CurrentResult() const = 0;
    // Called in every pass that read no chunk, so that a consumer can still learn of a
    // cancel while the tool is silent.
    virtual void Idle() {}
};

struct ToolRunSpec {
    // The whole command line; its first argument is the program's path.
    std::string commandLine{};
    OutputMode mode = OutputMode::kChunkConsumer;
    StopAction stop = StopAction::kNone;
    // kFileSink and kDiscard read through this record's buffer.
    ArchiveToolState* archiveState = nullptr;
    // kFileSink: opens the file once the tool has started; a negative descriptor means the
    // file could not be made, and the run stops watching the tool.
    std::function<int()> openFileSink{};
    // A tool that is still running this long after the quit text was first written is
    // killed: a cancelled job must end even when its tool does not listen.
    std::chrono::milliseconds quitGrace{10000};
};

// Runs one external tool as a child with piped input and output and watches it on the
// calling thread until it has ended and its output is drained, or a consumer or an error
// ends the watch. Never call it on a UI thread: there is no time-out.
class ToolRunner {
public:
    static constexpr size_t kChunkSize = 4096;
    static constexpr std::chrono::milliseconds kPollInterval{5};
    static constexpr int kDrainPasses = 100;
    static constexpr size_t kMaxRead = 65536;

    // False when the pipes or the child could not be made (nothing ran); true when a
    // child ran and the watching has ended.
    static bool Run(const ToolRunSpec& spec, ChunkConsumer* consumer = nullptr);
};

}  // namespace orvalis::media
