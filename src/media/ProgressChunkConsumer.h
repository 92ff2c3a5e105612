#pragma once

#include "media/ClockTime.h"
#include "media/ProgressRelay.h"
#include "media/ToolOutput.h"
#include "media/ToolRunner.h"

namespace orvalis::media {

// The half that every tool-output reader driving a progress sink shares: percentages go
// through a relay (which repeats the last one while the tool is silent, so that a cancel is
// heard), and the sink's last answer becomes the job's result.
class ProgressChunkConsumer : public ChunkConsumer {
public:
    ProgressChunkConsumer(ProgressSink& sink, int32_t startPercent) : relay_(sink, startPercent) {}

    void Idle() override {
        if (result_ != kJobCancelled) {
            if (ResultCode r = relay_.ReportAgainIfQuiet(); r == kJobCancelled) result_ = r;
        }
    }
    ResultCode CurrentResult() const override { return result_; }

protected:
    void Report(int32_t percent) { result_ = relay_.Report(percent); }

    ResultCode result_ = kOk;

private:
    ProgressRelay relay_;
};

// The transcoder's progress: "Invalid data" ends the run with result 1; otherwise the clock
// time after "time=" (up to the next blank, at most 31 bytes) becomes a percentage.
class TranscoderProgressConsumer : public ProgressChunkConsumer {
public:
    using ProgressChunkConsumer::ProgressChunkConsumer;

    bool TakeChunk(const char* chunk, size_t length) override {
        std::string_view text = ChunkText(chunk, length);
        if (text.find("Invalid data") != std::string_view::npos) {
            result_ = kInvalidInput;
            return false;
        }
        if (auto field = FieldAfterMarker(text, "time=", kTimeFieldLimit)) {
            Report(PercentAt(ParseClockTime(*field)));
        }
        return true;
    }

protected:
    static constexpr size_t kTimeFieldLimit = 31;
    // The percentage shown for a transcoder position of `seconds`.
    virtual int32_t PercentAt(int64_t seconds) const = 0;
};

}  // namespace orvalis::media
