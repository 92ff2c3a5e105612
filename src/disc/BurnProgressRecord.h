#pragma once

#include <cstdint>

namespace orvalis::disc {

// The progress message of a disc write, sent to the burn window: the write action goes in
// wParam, the address of a BurnProgressRecord in lParam; the answer is 1 to go on, 0 to stop.
inline constexpr uint32_t WM_BURN_PROGRESS = 33610;

inline constexpr int32_t kBurnGoOn = 1;
inline constexpr int32_t kBurnStop = 0;

// Times in seconds (for writing and finalisation); the rest only while writing data.
// Values not filled for an action are 0.
struct BurnProgressRecord {
    int32_t elapsedTime = 0;
    int32_t remainingTime = 0;
    int32_t totalTime = 0;
    int32_t startLba = 0;
    int32_t sectorCount = 0;
    int32_t lastReadLba = 0;
    int32_t lastWrittenLba = 0;
    int32_t totalSystemBuffer = 0;
    int32_t usedSystemBuffer = 0;
    int32_t freeSystemBuffer = 0;
};
static_assert(sizeof(BurnProgressRecord) == 10 * sizeof(int32_t));

}  // namespace orvalis::disc
