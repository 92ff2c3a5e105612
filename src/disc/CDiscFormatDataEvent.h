#pragma once

#include <memory>

#include "disc/BurnNotifyTarget.h"
#include "platform/recorders/DiscFormatData.h"
#include "platform/recorders/WriteProgress.h"

namespace orvalis::disc {

// Turns the progress events of a data writer into burn progress messages for the notify
// window; a stop answer cancels the write, once for that event.
class CDiscFormatDataEvent final : public recorders::DataWriterEvents {
public:
    static std::unique_ptr<CDiscFormatDataEvent> Create();
    ~CDiscFormatDataEvent() override;  // disconnects
    CDiscFormatDataEvent(const CDiscFormatDataEvent&) = delete;
    CDiscFormatDataEvent& operator=(const CDiscFormatDataEvent&) = delete;

    // Listens to the writer from now on. False when there is no writer to listen to.
    bool Connect(recorders::DiscFormatData* source);
    bool connected() const { return cookie_ != 0; }
    // Without a window nobody can stop the write, and it goes on.
    void SetNotifyWindow(BurnNotifyTarget* window) { notifyWindow_ = window; }

    void Update(recorders::DiscFormatData& object, const recorders::WriteProgress& progress) override;

    // The record a progress event is sent with: times for writing and finalisation, the
    // positions and buffer figures for writing, zeros otherwise.
    static BurnProgressRecord RecordFor(const recorders::WriteProgress& progress);

private:
    CDiscFormatDataEvent() = default;

    int cookie_ = 0;
    recorders::DiscFormatData* source_ = nullptr;
    BurnNotifyTarget* notifyWindow_ = nullptr;
};

}  // namespace orvalis::disc
