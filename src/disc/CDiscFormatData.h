#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/recorders/DiscFormatData.h"
#include "platform/recorders/DiscRecorder.h"

namespace orvalis::disc {

// The data writer of one recorder, set up for a client, with the media types it writes,
// the last result and a diagnostic text that nobody shows.
class CDiscFormatData {
public:
    CDiscFormatData() = default;
    CDiscFormatData(const CDiscFormatData&) = delete;
    CDiscFormatData& operator=(const CDiscFormatData&) = delete;

    // Checks that the writer supports the recorder, gives it the recorder and the client
    // name, and reads the supported media types. False, with the error text, at the first
    // step that fails.
    bool Initialize(recorders::DiscRecorder* recorder, const std::string& clientName);

    recorders::DiscFormatData* writer() const { return writer_.get(); }
    const std::vector<recorders::PhysicalMediaType>& supportedMediaTypes() const { return mediaTypes_; }
    ResultCode lastResult() const { return lastResult_; }
    const std::string& errorText() const { return errorText_; }
    void Fail(ResultCode code, std::string text);

private:
    std::unique_ptr<recorders::DiscFormatData> writer_;
    std::vector<recorders::PhysicalMediaType> mediaTypes_;
    ResultCode lastResult_ = kOk;
    std::string errorText_;
};

}  // namespace orvalis::disc
