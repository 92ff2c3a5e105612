#include "disc/CDiscFormatDataEvent.h"

namespace orvalis::disc {

using recorders::WriteAction;

std::unique_ptr<CDiscFormatDataEvent> CDiscFormatDataEvent::Create() {
    return std::unique_ptr<CDiscFormatDataEvent>(new CDiscFormatDataEvent());
}

CDiscFormatDataEvent::~CDiscFormatDataEvent() {
    if (cookie_ != 0 && source_ != nullptr) source_->Unadvise(cookie_);
}

bool CDiscFormatDataEvent::Connect(recorders::DiscFormatData* source) {
    if (source == nullptr || cookie_ != 0) return false;
    source_ = source;
    cookie_ = source->Advise(this);
    return cookie_ != 0;
}

BurnProgressRecord CDiscFormatDataEvent::RecordFor(const recorders::WriteProgress& progress) {
    BurnProgressRecord record;
    const WriteAction action = progress.currentAction;
    if (action == WriteAction::WritingData || action == WriteAction::Finalization) {
        record.elapsedTime = progress.elapsedTime;
        record.remainingTime = progress.remainingTime;
        record.totalTime = progress.totalTime;
    }
    if (action == WriteAction::WritingData) {
        record.startLba = progress.startLba;
        record.sectorCount = progress.sectorCount;
        record.lastReadLba = progress.lastReadLba;
        record.lastWrittenLba = progress.lastWrittenLba;
        record.totalSystemBuffer = progress.totalSystemBuffer;
        record.usedSystemBuffer = progress.usedSystemBuffer;
        record.freeSystemBuffer = progress.freeSystemBuffer;
    }
    return record;
}

void CDiscFormatDataEvent::Update(recorders::DiscFormatData& object,
                                  const recorders::WriteProgress& progress) {
    if (notifyWindow_ == nullptr) return;
    const BurnProgressRecord record = RecordFor(progress);
    intptr_t answer = notifyWindow_->SendBurnProgress(static_cast<int32_t>(progress.currentAction), record);
    if (answer == kBurnStop) object.CancelWrite();
}

}  // namespace orvalis::disc
