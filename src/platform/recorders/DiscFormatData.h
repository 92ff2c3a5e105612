#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Result.h"
#include "platform/recorders/DiscRecorder.h"
#include "platform/recorders/ImageSource.h"
#include "platform/recorders/LibburnWrite.h"
#include "platform/recorders/MediaTypes.h"
#include "platform/recorders/WriteProgress.h"

namespace orvalis::recorders {

// Writes a data image to the medium of one recorder, reporting its progress to the
// listeners advised on it.
class DiscFormatData {
public:
    DiscFormatData() = default;
    DiscFormatData(const DiscFormatData&) = delete;
    DiscFormatData& operator=(const DiscFormatData&) = delete;

    // Whether the recorder writes data discs at all (it writes at least one media type).
    ResultCode IsRecorderSupported(const DiscRecorder& recorder, bool* supported) const;
    // kRecorderNotSupported for a recorder that writes no media; the writer keeps the
    // recorder's device, so the recorder object may go first.
    ResultCode SetRecorder(const DiscRecorder& recorder);
    // kClientNameInvalid for a name that breaks the rule.
    ResultCode SetClientName(const std::string& name);
    const std::string& ClientName() const { return clientName_; }

    ResultCode SupportedMediaTypes(std::vector<PhysicalMediaType>* types) const;
    // kMediaUnknown with no disc.
    ResultCode CurrentPhysicalMediaType(PhysicalMediaType* type);
    ResultCode MediaHeuristicallyBlank(bool* blank);
    ResultCode TotalSectorsOnMedia(int32_t* sectors);
    ResultCode FreeSectorsOnMedia(int32_t* sectors);
    ResultCode NextWritableAddress(int32_t* address);

    // Closed: nothing can be added later. Open: the data is one session of an appendable disc.
    ResultCode SetForceMediaToBeClosed(bool close);
    bool ForceMediaToBeClosed() const { return forceClose_; }

    // Writes the image and returns when the write has ended: kOk, kRequestCancelled,
    // kMediaNoMedia, kMediaNotSupported, kMediaNotBlank, kStreamTooLargeForMedia, ...
    ResultCode Write(ImageSource& data);
    // Stops the write in progress (from a listener or any other thread);
    // kWriteNotInProgress when there is none.
    ResultCode CancelWrite();
    // How many times CancelWrite was called, for diagnostics.
    int CancelWriteCalls() const { return cancelCalls_.load(); }

    // Listeners get every progress event of a write; the cookie takes one off again.
    int Advise(DataWriterEvents* listener);
    void Unadvise(int cookie);

    const std::string& ErrorText() const { return errorText_; }

private:
    Result<MediumInfo> Medium();
    void Report(const WriteProgress& progress);

    std::shared_ptr<RecorderDevice> device_;
    std::string clientName_;
    bool forceClose_ = true;
    std::atomic<bool> writing_{false};
    std::atomic<int> cancelCalls_{0};
    WriteCancellation cancellation_;
    std::vector<std::pair<int, DataWriterEvents*>> listeners_;
    int nextCookie_ = 1;
    std::string errorText_;
};

}  // namespace orvalis::recorders
