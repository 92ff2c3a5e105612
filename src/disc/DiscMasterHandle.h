#pragma once

#include <memory>
#include <string>

#include "platform/Result.h"
#include "platform/recorders/DiscMaster.h"

namespace orvalis::disc {

// The recorder collection with the last result and a diagnostic text that nobody shows.
class DiscMasterHandle {
public:
    // Makes the collection (when there is none yet) and asks whether there is anything to
    // work with; false with the error text otherwise (a collection made stays).
    bool Initialize();

    recorders::DiscMaster* master() const { return master_.get(); }
    ResultCode lastResult() const { return lastResult_; }
    const std::string& errorText() const { return errorText_; }
    void Fail(ResultCode code, std::string text);

private:
    std::unique_ptr<recorders::DiscMaster> master_;
    ResultCode lastResult_ = kOk;
    std::string errorText_;
};

}  // namespace orvalis::disc
