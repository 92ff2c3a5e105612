#include "media/Transcode.h"

#include <cstdio>

#include "media/ClockTime.h"
#include "media/FolderEntries.h"
#include "media/ProgressChunkConsumer.h"
#include "media/ToolLocations.h"
#include "media/ToolOutput.h"
#include "media/ToolRunner.h"
#include "media/WorkFolder.h"
#include "platform/LocalTime.h"
#include "platform/Paths.h"
#include "platform/process/CommandLine.h"

namespace orvalis::media {
namespace {

using platform::QuoteArgument;

constexpr size_t kDurationLength = 8;

class ProbeConsumer : public ChunkConsumer {
public:
    // The frame size is the one this probe finds, wherever in the output it arrives; a
    // probe that finds none (or prints nothing) leaves none, never another video's.
    explicit ProbeConsumer(DiscProject& project) : project_(project) { project_.FrameSize.clear(); }

    bool TakeChunk(const char* chunk, size_t length) override {
        std::string_view text = ChunkText(chunk, length);
        if (text.find("Invalid data") != std::string_view::npos) return false;
        if (auto duration = TextAfterMarker(text, "Duration: ", kDurationLength)) {
            duration_ = std::string(*duration);
        }
        if (duration_.empty()) return true;
        if (auto size = FrameSizeOfVideoLine(text)) project_.FrameSize = std::string(*size);
        return true;
    }
    ResultCode CurrentResult() const override { return kOk; }
    const std::string& duration() const { return duration_; }

private:
    DiscProject& project_;
    std::string duration_;
};

class TranscodeConsumer : public TranscoderProgressConsumer {
public:
    TranscodeConsumer(ProgressSink& sink, const DiscProject& project, uint64_t duration)
        : TranscoderProgressConsumer(sink, project.ProgressBase),
          share_(project.ProgressShare),
          base_(project.ProgressBase),
          divisor_(duration == 0 ? 1 : static_cast<int64_t>(duration)) {}

protected:
    int32_t PercentAt(int64_t t) const override {
        // Not capped: a time past the probed duration runs over the video's share.
        int64_t percent = ((share_ * t * 100) / 100) / divisor_ + base_;
        return static_cast<int32_t>(static_cast<uint32_t>(percent));
    }

private:
    int64_t share_;
    int64_t base_;
    int64_t divisor_;
};

}  // namespace

std::string ProbeCommandLine(const std::string& transcoder, const std::string& videoPath) {
    return QuoteArgument(transcoder) + "-i " + " " + QuoteArgument(videoPath) + " ";
}

bool IsDvdFrameSize(const std::string& frameSize) {
    // The probed size passes only when an NTSC DVD can hold it; any other size (a 1080p
    // source, or whatever the tool printed) would give a stream that DVD players refuse,
    // and without "-s" the NTSC DVD target scales to its own 720x480.
    static constexpr std::string_view kSizes[] = {"720x480", "704x480", "352x480", "352x240"};
    std::string_view size(frameSize);
    while (!size.empty() && size.front() == ' ') size.remove_prefix(1);
    for (std::string_view dvd : kSizes) {
        if (size == dvd) return true;
    }
    return false;
}

std::string TranscodeCommandLine(const std::string& transcoder, const std::string& videoPath,
                                 const std::string& frameSize, const std::string& outputPath) {
    std::string options = " -i " + QuoteArgument(videoPath) + " " + "-target ntsc-dvd -threads 4 ";
    if (IsDvdFrameSize(frameSize)) options += "-s " + frameSize + " ";
    return QuoteArgument(transcoder) + options + " " + QuoteArgument(outputPath) + " -y";
}

std::string TimeStampedPath(const std::string& folder, const std::string& suffix) {
    platform::LocalTime now = platform::Now();
    char name[64];
    std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second, now.milliseconds);
    return platform::JoinPath(folder, name + suffix);
}

std::string ProbeVideo(DiscProject& project, const std::string& videoPath) {
    ProbeConsumer consumer(project);
    ToolRunSpec spec;
    spec.commandLine = ProbeCommandLine(TranscoderPath(), videoPath);
    ToolRunner::Run(spec, &consumer);
    return consumer.duration();
}

ResultCode TranscodeOneVideo(ProgressSink& sink, DiscProject& project, const std::string& videoPath,
                             uint64_t durationSeconds) {
    const std::string output = TimeStampedPath(project.WorkFolderPath, ".mpg");
    project.TranscodedFiles.push_back(output);
    TranscodeConsumer consumer(sink, project, durationSeconds);
    ToolRunSpec spec;
    spec.commandLine = TranscodeCommandLine(TranscoderPath(), videoPath, project.FrameSize, output);
    spec.stop = StopAction::kQuitText;
    if (!ToolRunner::Run(spec, &consumer)) return kCannotSetUp;
    return consumer.CurrentResult();
}

void ClearWorkFolder(const std::string& folder) {
    // An empty path would mean the current folder; there is nothing of ours to clear there.
    if (folder.empty()) return;
    for (const char* sub : {"", "VIDEO_TS", "AUDIO_TS"}) {
        DeleteFilesIn(*sub ? platform::JoinPath(folder, sub) : folder);
    }
}

ResultCode TranscodeForDvd(DiscProject& project, ProgressSink& sink) {
    project.TotalDuration = 0;
    project.WorkFolderPath = WorkFolder();
    if (project.WorkFolderPath.empty()) return kCannotSetUp;
    ClearWorkFolder(project.WorkFolderPath);
    project.TranscodedFiles.clear();

    const size_t count = project.Items.size();
    if (count > 0) project.ProgressShare = static_cast<int32_t>(100 / count);
    ResultCode result = kOk;
    for (size_t k = 0; k < count; ++k) {
        const std::string path = project.Items[k].path;
        project.ProgressBase = project.ProgressShare * static_cast<int32_t>(k);
        const int64_t seconds = ParseClockTime(ProbeVideo(project, path));
        project.TotalDuration += static_cast<uint64_t>(seconds);
        result = TranscodeOneVideo(sink, project, path, static_cast<uint64_t>(seconds));
        if (result == kJobCancelled) return kJobCancelled;
    }
    return result;
}

}  // namespace orvalis::media
