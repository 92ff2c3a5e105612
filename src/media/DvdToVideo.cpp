#include "media/DvdToVideo.h"

#include <algorithm>

#include "media/ClockTime.h"
#include "media/FolderEntries.h"
#include "media/IsoListing.h"
#include "media/ProgressChunkConsumer.h"
#include "media/ToolLocations.h"
#include "media/ToolOutput.h"
#include "media/ToolRunner.h"
#include "media/Transcode.h"
#include "media/WorkFolder.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/process/CommandLine.h"

namespace orvalis::media {
namespace {

constexpr size_t kDurationLength = 8;

bool IsTitleFile(std::string_view name) {
    bool vob = name.find(".VOB") != std::string_view::npos || name.find(".vob") != std::string_view::npos;
    bool titleSet = name.find("VTS_") != std::string_view::npos || name.find("vts_") != std::string_view::npos;
    return vob && titleSet;
}

class DurationConsumer : public ChunkConsumer {
public:
    bool TakeChunk(const char* chunk, size_t length) override {
        std::string_view text = ChunkText(chunk, length);
        if (text.find("Invalid data") != std::string_view::npos) return false;
        if (auto duration = TextAfterMarker(text, "Duration: ", kDurationLength)) {
            duration_ = std::string(*duration);
        }
        return true;
    }
    ResultCode CurrentResult() const override { return kOk; }
    const std::string& duration() const { return duration_; }

private:
    std::string duration_;
};

class ConvertConsumer : public TranscoderProgressConsumer {
public:
    ConvertConsumer(ProgressSink& sink, int64_t total) : TranscoderProgressConsumer(sink, 0), total_(total) {}

protected:
    int32_t PercentAt(int64_t seconds) const override {
        int64_t percent = (seconds * 100) / total_;
        int32_t shown = static_cast<int32_t>(static_cast<uint32_t>(percent));
        return shown > 100 ? 100 : shown;
    }

private:
    int64_t total_;
};

}  // namespace

int FindTitleVobs(const std::string& folder, std::vector<std::string>& paths) {
    auto entries = platform::ReadFolder(folder);
    if (!entries) return 0;
    const std::string prefix = FolderPrefix(folder);
    std::vector<std::string> found;
    for (const platform::FolderEntry& e : *entries) {
        if (IsTitleFile(e.name)) found.push_back(prefix + e.name);
    }
    std::sort(found.begin(), found.end());
    paths.insert(paths.end(), found.begin(), found.end());
    return 1;
}

std::string ProbeDuration(const std::string& videoPath) {
    DurationConsumer consumer;
    ToolRunSpec spec;
    spec.commandLine = ProbeCommandLine(TranscoderPath(), videoPath);
    ToolRunner::Run(spec, &consumer);
    return consumer.duration();
}

std::string ConvertCommandLine(const std::string& transcoder, const std::vector<std::string>& vobs,
                               const std::string& outputPath) {
    std::string concat = "concat:";
    for (const std::string& vob : vobs) concat += vob + "|";
    return platform::QuoteArgument(transcoder) + "-i " + platform::QuoteArgument(concat) + " " +
           "-c:v libx264 -c:a aac -strict experimental " + " " + platform::QuoteArgument(outputPath);
}

ResultCode ConvertDvdFolderToVideo(const std::string& extension, ProgressSink& sink,
                                   const std::string& dvdFolder, const std::string& outputFolder,
                                   std::string* outputPath) {
    std::vector<std::string> vobs;
    FindTitleVobs(platform::JoinPath(dvdFolder, "VIDEO_TS"), vobs);
    if (vobs.empty()) return kCannotSetUp;

    int64_t total = 0;
    for (const std::string& vob : vobs) {
        total += std::min(ParseClockTime(ProbeDuration(vob)), kTitleDurationCap);
    }
    if (total <= 0) total = 1;

    const std::string output = TimeStampedPath(outputFolder, "." + extension);
    if (outputPath) *outputPath = output;
    ConvertConsumer consumer(sink, total);
    ToolRunSpec spec;
    spec.commandLine = ConvertCommandLine(TranscoderPath(), vobs, output);
    spec.stop = StopAction::kQuitText;
    if (!ToolRunner::Run(spec, &consumer)) return kCannotSetUp;
    ResultCode result = consumer.CurrentResult();
    // A transcoder that failed without the invalid-data marker (an output folder it cannot
    // write, a full disk) has left no output: that is no success.
    if (result == kOk && platform::FileSize(output).value_or(0) == 0) result = kInvalidInput;
    if (result == kOk) result = sink.UpdateProgress(100);
    // Also a cancel confirmed at the very end leaves no output behind.
    if (result == kJobCancelled) platform::DeleteFile(output);
    return result;
}

int ConvertIsoToVideo(const std::string& imagePath, const std::string& outputFolder,
                      ArchiveToolState& state, const std::string& extension, ProgressSink& sink,
                      std::string* outputPath) {
    const std::string work = WorkFolder();
    if (work.empty()) return -1;
    DeleteFilesIn(platform::JoinPath(work, "VIDEO_TS"));
    if (ExtractIso(state, imagePath, work) == 0) return -1;
    if (ConvertDvdFolderToVideo(extension, sink, work, outputFolder, outputPath) != kOk) return -1;
    return 0;
}

}  // namespace orvalis::media
