#include "disc/BurnProject.h"

#include <cerrno>

#include "disc/CDiscFormatData.h"
#include "disc/CDiscFormatDataEvent.h"
#include "disc/DiscNames.h"
#include "disc/ErrorText.h"
#include "disc/ImageBuilding.h"
#include "platform/recorders/ClientName.h"
#include "platform/recorders/ImageSource.h"

namespace orvalis::disc {
namespace {

// The built image as the data writer reads it.
class StreamImageSource final : public recorders::ImageSource {
public:
    explicit StreamImageSource(std::shared_ptr<fsimage::DiscImageStream> stream) : stream_(std::move(stream)) {}
    uint64_t Size() const override { return stream_->Size(); }
    Result<size_t> Read(void* buffer, size_t count) override { return stream_->Read(buffer, count); }

private:
    std::shared_ptr<fsimage::DiscImageStream> stream_;
};

}  // namespace

bool AcquireRecorder(RecorderHandle& recorder, const std::string& clientName) {
    if (!recorders::IsValidClientName(clientName)) return false;
    if (!recorder.opened()) return false;
    return recorder.recorder()->AcquireExclusiveAccess(true, clientName) == kOk;
}

int32_t BurnProject(const media::DiscProject& project, int32_t fileSystem, const std::string& volumeLabel,
                    const std::string& uniqueId, EjectAfterBurn eject, CloseMedia closeMedia,
                    BurnNotifyTarget* notifyWindow) {
    int32_t result = kCannotSetUp;
    RecorderHandle recorder = OpenRecorder(uniqueId);
    if (!recorder.opened()) return result;
    AcquireRecorder(recorder, kClientName);

    CDiscFormatData data;
    if (!data.Initialize(recorder.recorder(), kClientName)) {
        recorder.recorder()->ReleaseExclusiveAccess();
        return result;
    }
    recorders::DiscFormatData& writer = *data.writer();
    recorders::PhysicalMediaType mediaType = recorders::kMediaUnknown;
    if (writer.CurrentPhysicalMediaType(&mediaType) != kOk) mediaType = recorders::kMediaUnknown;

    std::shared_ptr<fsimage::DiscImageStream> stream;
    int32_t built = BuildImage(project, fileSystem, volumeLabel, mediaType, &stream);
    if (built != kOk) {
        recorder.recorder()->ReleaseExclusiveAccess();
        return built;
    }

    std::unique_ptr<CDiscFormatDataEvent> sink = CDiscFormatDataEvent::Create();
    if (!sink || !sink->Connect(&writer)) {
        // No one could hear the write's progress or stop it: do not write.
        result = errno != 0 ? errno : kCannotSetUp;
    } else {
        sink->SetNotifyWindow(notifyWindow);
        writer.SetForceMediaToBeClosed(closeMedia == CloseMedia::Yes);
        StreamImageSource image(stream);
        result = writer.Write(image);
        if (result != kOk) {
            data.Fail(result, WithServiceText(FormatText("IDiscFormat2Data->Write failed - Error:0x%08x",
                                                         static_cast<unsigned>(result)),
                                              writer.ErrorText()));
        }
        sink.reset();
    }
    if (result == kOk && eject == EjectAfterBurn::Yes) recorder.recorder()->EjectMedia();
    recorder.recorder()->ReleaseExclusiveAccess();
    return result;
}

}  // namespace orvalis::disc
