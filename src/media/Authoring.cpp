#include "media/Authoring.h"

#include "media/ClockTime.h"
#include "media/ProgressChunkConsumer.h"
#include "media/ToolLocations.h"
#include "media/ToolOutput.h"
#include "media/ToolRunner.h"
#include "media/XmlFile.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/process/CommandLine.h"

namespace orvalis::media {
namespace {

constexpr size_t kPositionLength = 8;

class AuthoringConsumer : public ProgressChunkConsumer {
public:
    AuthoringConsumer(ProgressSink& sink, uint64_t totalDuration)
        : ProgressChunkConsumer(sink, 0), total_(static_cast<int64_t>(totalDuration)) {}

    bool TakeChunk(const char* chunk, size_t length) override {
        std::string_view text = ChunkText(chunk, length);
        if (text.find("ERR:") != std::string_view::npos) {
            result_ = kAuthoringError;
            return false;
        }
        if (auto position = TextAfterMarker(text, "S, ", kPositionLength)) {
            int64_t t = ParseClockTime(*position);
            int64_t percent = (t * 100) / total_;
            Report(static_cast<int32_t>(static_cast<uint32_t>(percent)));
        }
        return true;
    }

private:
    int64_t total_;
};

}  // namespace

std::string AuthoringCommandLine(const std::string& tool, const std::string& controlFile) {
    return platform::QuoteArgument(tool) + " -x " + " " + platform::QuoteArgument(controlFile) + " ";
}

std::string AuthoringTemplatePath() { return ToolFolder() + "tmp.xml"; }

std::string AuthoringControlPath() { return ToolFolder() + "DLL/author.xml"; }

ResultCode RunAuthoringTool(DiscProject& project, ProgressSink& sink, const std::string& controlFile) {
    if (project.TotalDuration == 0) project.TotalDuration = 1;
    AuthoringConsumer consumer(sink, project.TotalDuration);
    ToolRunSpec spec;
    spec.commandLine = AuthoringCommandLine(AuthoringToolPath(), controlFile);
    spec.stop = StopAction::kTerminate;
    if (!ToolRunner::Run(spec, &consumer)) return kCannotSetUp;
    ResultCode result = consumer.CurrentResult();
    if (result == kOk) result = sink.UpdateProgress(100);
    return result;
}

ResultCode AuthorDvdFolder(DiscProject& project, ProgressSink& sink, const std::string& outputFolder) {
    const std::string out = outputFolder.empty() ? project.WorkFolderPath : outputFolder;
    // Without a destination the tool would write into whatever folder we run in.
    if (out.empty()) return kCannotSetUp;
    const std::string control = AuthoringControlPath();
    platform::DeleteFile(control);

    XmlFile document(AuthoringTemplatePath());
    document.Load();
    document.SetElementAttributes("dvdauthor", {{"dest", out}});
    for (const std::string& file : project.TranscodedFiles) {
        document.AppendChildElement("pgc", "vob", {{"file", file}});
    }
    document.Save(control);

    ResultCode result = RunAuthoringTool(project, sink, control);
    if (result == kOk) {
        project.AuthoredFolders.clear();
        project.AuthoredFolders.push_back({1, 0, platform::JoinPath(out, "AUDIO_TS")});
        project.AuthoredFolders.push_back({1, 0, platform::JoinPath(out, "VIDEO_TS")});
    }
    return result;
}

}  // namespace orvalis::media
