#pragma once

#include <cstdint>

#include "platform/Result.h"

namespace orvalis {

// What a long job reports to: a progress window, the command line or a test. A job calls
// it with its percentage and stops, passing kJobCancelled up unchanged, once it answers so.
// The answer may take a while: a window holds its lock while it asks the user whether to
// cancel.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // percent: 0..100. Returns kOk to go on, or kJobCancelled after a confirmed cancel.
    virtual ResultCode UpdateProgress(int32_t percent) = 0;
};

}  // namespace orvalis
