#include "disc/CDiscFormatData.h"

#include "disc/ErrorText.h"

namespace orvalis::disc {

void CDiscFormatData::Fail(ResultCode code, std::string text) {
    lastResult_ = code;
    errorText_ = std::move(text);
}

bool CDiscFormatData::Initialize(recorders::DiscRecorder* recorder, const std::string& clientName) {
    if (recorder == nullptr) {
        Fail(lastResult_, "Error - CDiscFormatData::Initialize - pDiscRecorder is NULL");
        return false;
    }
    if (!writer_) writer_ = std::make_unique<recorders::DiscFormatData>();
    auto hex = [](ResultCode rc) { return static_cast<unsigned>(rc); };

    bool supported = false;
    lastResult_ = writer_->IsRecorderSupported(*recorder, &supported);
    if (!supported) {
        Fail(lastResult_, "Recorder not supported");
        return false;
    }
    ResultCode rc = writer_->SetRecorder(*recorder);
    if (rc != kOk) {
        Fail(rc, WithServiceText(FormatText("IDiscFormat2Data->put_Recorder Failed - Error:0x%08x", hex(rc)),
                                 writer_->ErrorText()));
        return false;
    }
    rc = writer_->SetClientName(clientName);
    if (rc != kOk) {
        Fail(rc, FormatText("IDiscFormat2Data->put_ClientName Failed - Error:0x%08x", hex(rc)));
        return false;
    }
    rc = writer_->SupportedMediaTypes(&mediaTypes_);
    if (rc != kOk) {
        Fail(rc, FormatText("IDiscFormat2Data->get_SupportedMediaTypes Failed - Error:0x%08x", hex(rc)));
        return false;
    }
    lastResult_ = kOk;
    return true;
}

}  // namespace orvalis::disc
