#pragma once

#include <cstdint>

namespace orvalis::recorders {

// What a data writer is doing, in the order it does it.
enum class WriteAction : int32_t {
    ValidatingMedia = 0,
    FormattingMedia = 1,
    InitializingHardware = 2,
    CalibratingPower = 3,
    WritingData = 4,
    Finalization = 5,
    Completed = 6,
};

// One progress event of a write. Times are seconds; addresses and counts are 2048-byte
// sectors; buffer figures are bytes of the buffer between the image and the drive.
struct WriteProgress {
    WriteAction currentAction = WriteAction::ValidatingMedia;
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

class DiscFormatData;

// Listens to the progress of a data writer. Update runs on the thread that called Write,
// and the write does not go on to the next event before it returns; it may cancel the write
// through the writer it is given.
class DataWriterEvents {
public:
    virtual ~DataWriterEvents() = default;
    virtual void Update(DiscFormatData& writer, const WriteProgress& progress) = 0;
};

}  // namespace orvalis::recorders
