#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "platform/Result.h"
#include "platform/recorders/ImageSource.h"
#include "platform/recorders/WriteProgress.h"

namespace burn {
struct burn_drive;
}

namespace orvalis::recorders {

// Cancelling a write from any thread: the write in progress stops as soon as libburn lets it.
class WriteCancellation {
public:
    void Cancel();
    bool Requested() const { return requested_.load(); }
    void Reset();

private:
    friend class LibburnWriteRun;
    void Attach(burn::burn_drive* drive, std::function<void()> wake);
    void Detach();

    std::atomic<bool> requested_{false};
    std::mutex mutex_;
    burn::burn_drive* drive_ = nullptr;
    std::function<void()> wake_;
};

struct WriteRequest {
    burn::burn_drive* drive = nullptr;
    ImageSource* source = nullptr;
    bool closeMedium = true;
    int32_t startLba = 0;
};

// Writes the image as one data track of one session and reports what happens on the
// calling thread: initialising, then writing (the first writing event is reported before
// the first byte is read, so an answer to it comes before anything reaches the medium),
// finalisation and completion. No event follows a cancel. Returns kOk, kRequestCancelled,
// the image's read failure, or a failure whose libburn messages go to diagnostics.
ResultCode WriteThroughLibburn(const WriteRequest& request, WriteCancellation& cancellation,
                               const std::function<void(const WriteProgress&)>& report,
                               std::string* diagnostics);

}  // namespace orvalis::recorders
