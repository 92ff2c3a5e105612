#include "disc/DiscMasterHandle.h"

#include "disc/ErrorText.h"

namespace orvalis::disc {

void DiscMasterHandle::Fail(ResultCode code, std::string text) {
    lastResult_ = code;
    errorText_ = std::move(text);
}

bool DiscMasterHandle::Initialize() {
    if (!master_) {
        auto created = recorders::DiscMaster::Create();
        if (!created) {
            Fail(created.code(), FormatText("Unable to Initialize IDiscMaster2 - Error:0x%08x",
                                            static_cast<unsigned>(created.code())));
            return false;
        }
        master_ = std::move(created).value();
    }
    bool supported = false;
    ResultCode rc = master_->IsSupportedEnvironment(&supported);
    lastResult_ = rc;
    if (rc != kOk) {
        Fail(rc, FormatText("IDiscMaster2->get_IsSupportedEnvironment failed! - Error:0x%08x",
                            static_cast<unsigned>(rc)));
        return false;
    }
    if (!supported) {
        Fail(rc, "There were no writable devices detected!");
        errorText_ = WithServiceText(errorText_, master_->Diagnostics());
        return false;
    }
    return true;
}

}  // namespace orvalis::disc
