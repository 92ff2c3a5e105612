#pragma once

#include <cstdint>

#include "disc/BurnProgressRecord.h"

namespace orvalis::disc {

// The window a disc write reports to. SendBurnProgress stands for sending WM_BURN_PROGRESS
// and waiting for the answer: it runs on the writing thread and returns only once the
// window's thread has handled the message. The answer is kBurnGoOn or kBurnStop.
class BurnNotifyTarget {
public:
    virtual ~BurnNotifyTarget() = default;
    virtual intptr_t SendBurnProgress(int32_t action, const BurnProgressRecord& record) = 0;
};

}  // namespace orvalis::disc
