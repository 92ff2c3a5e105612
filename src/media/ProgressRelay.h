#pragma once

#include <chrono>
#include <cstdint>

#include "platform/ProgressSink.h"

namespace orvalis::media {

// Passes a job's percentages to its sink and keeps the sink's last answer. While a tool
// prints nothing the job would never hear of a cancel, so after a quiet spell the last
// percentage is reported again: a confirmed cancel then still stops a silent tool.
class ProgressRelay {
public:
    static constexpr std::chrono::milliseconds kQuietSpell{500};

    ProgressRelay(ProgressSink& sink, int32_t startPercent)
        : sink_(sink), last_(startPercent), lastReport_(std::chrono::steady_clock::now()) {}

    ResultCode Report(int32_t percent) {
        last_ = percent;
        lastReport_ = std::chrono::steady_clock::now();
        return sink_.UpdateProgress(percent);
    }

    // Reports the last percentage again when nothing was reported for a while and gives
    // the sink's answer, or kOk without asking it.
    ResultCode ReportAgainIfQuiet() {
        if (std::chrono::steady_clock::now() - lastReport_ < kQuietSpell) return kOk;
        return Report(last_);
    }

private:
    ProgressSink& sink_;
    int32_t last_;
    std::chrono::steady_clock::time_point lastReport_;
};

}  // namespace orvalis::media
