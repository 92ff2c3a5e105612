#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace orvalis::recorders {

// The collection of the machine's recorders, by unique id, as found when it was made.
class DiscMaster {
public:
    DiscMaster();
    // The collection, or kFail when the recording library cannot start on this machine.
    static Result<std::unique_ptr<DiscMaster>> Create();

    // Whether there is any recorder to work with.
    ResultCode IsSupportedEnvironment(bool* supported) const;
    ResultCode Count(int32_t* count) const;
    // kInvalidArgument for an index outside the collection.
    ResultCode Item(int32_t index, std::string* uniqueId) const;
    // What went wrong while looking (a malformed emulated entry, for instance).
    const std::string& Diagnostics() const { return diagnostics_; }

private:
    std::vector<std::string> ids_;
    std::string diagnostics_;
};

}  // namespace orvalis::recorders
