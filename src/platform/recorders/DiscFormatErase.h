#pragma once

#include <memory>
#include <string>

#include "platform/Result.h"
#include "platform/recorders/DiscRecorder.h"

namespace orvalis::recorders {

// Erases the rewritable medium of one recorder.
class DiscFormatErase {
public:
    ResultCode SetRecorder(const DiscRecorder& recorder);
    // A quick erase (the default) makes the medium blank without overwriting all of it.
    ResultCode SetFullErase(bool full);
    // kEraseClientNameInvalid for a name that breaks the rule.
    ResultCode SetClientName(const std::string& name);
    // kMediaNoMedia with no disc.
    ResultCode MediaHeuristicallyBlank(bool* blank);
    // Returns when the erase has ended.
    ResultCode EraseMedia();

    const std::string& ErrorText() const { return errorText_; }

private:
    std::shared_ptr<RecorderDevice> device_;
    bool full_ = false;
    std::string clientName_;
    std::string errorText_;
};

}  // namespace orvalis::recorders
