#pragma once

#include "media/ProgressRelay.h"
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

}  // namespace orvalis::media
