// orvalis-cli media commands: probing a video, making a DVD folder from videos, listing a DVD
// source, and converting a DVD to one video file. They run the same job functions as the
// progress windows, with a progress bar on the terminal; Ctrl-C cancels.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>

#include "app/cli/CliCommand.h"
#include "media/ArchiveToolState.h"
#include "media/Authoring.h"
#include "media/ClockTime.h"
#include "media/DiscProject.h"
#include "media/DvdToVideo.h"
#include "media/IsoListing.h"
#include "media/ToolLocations.h"
#include "media/Transcode.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Paths.h"

namespace orvalis::cli {
namespace {

int RunProbe(const Arguments& args);
int RunDvdFolder(const Arguments& args);
int RunList(const Arguments& args);
int RunToVideo(const Arguments& args);

const CommandInfo kProbeInfo{"probe", "probe FILE", "Show a video's duration and frame size", &RunProbe};
const CommandInfo kDvdFolderInfo{"dvd-folder", "dvd-folder --out DIR VIDEO...",
                                 "Turn videos into a DVD-Video folder (VIDEO_TS, AUDIO_TS) under DIR",
                                 &RunDvdFolder};
const CommandInfo kListInfo{"list", "list SOURCE [FOLDER]",
                            "List a folder of a DVD image or DVD folder (default: its root)", &RunList};
const CommandInfo kToVideoInfo{"to-video", "to-video SOURCE --format MP4|MKV|AVI|MOV --out DIR",
                               "Convert a DVD image or DVD folder into one video file in DIR", &RunToVideo};
const CommandRegistrar kProbe{kProbeInfo};
const CommandRegistrar kDvdFolder{kDvdFolderInfo};
const CommandRegistrar kList{kListInfo};
const CommandRegistrar kToVideo{kToVideoInfo};

// What the main window does before the first media job: the application-data folder exists
// and holds a fresh copy of the transcoder.
void PrepareTools() {
    platform::CreateFolderPath(platform::AppDataFolder());
    media::StageTranscoder();
}

int RunProbe(const Arguments& args) {
    ParsedArguments parsed(args, {}, {});
    if (!parsed.ok()) return UsageError(kProbeInfo, parsed.error());
    if (parsed.Positional().size() != 1) return UsageError(kProbeInfo, "one video file expected");
    const std::string& file = parsed.Positional()[0];
    if (!platform::IsRegularFile(file)) return UsageError(kProbeInfo, "no such file: " + file);
    PrepareTools();
    media::DiscProject project;
    const std::string duration = media::ProbeVideo(project, file);
    if (duration.empty()) return JobFailed("probe of " + file, kInvalidInput);
    std::string size = project.FrameSize;
    size.erase(0, size.find_first_not_of(' '));
    std::printf("duration %s (%" PRId64 " s)\n", duration.c_str(), media::ParseClockTime(duration));
    std::printf("frame size %s\n", size.empty() ? "unknown" : size.c_str());
    return kExitOk;
}

int RunDvdFolder(const Arguments& args) {
    ParsedArguments parsed(args, {"--out"}, {});
    if (!parsed.ok()) return UsageError(kDvdFolderInfo, parsed.error());
    const std::string out = parsed.Value("--out");
    if (out.empty()) return UsageError(kDvdFolderInfo, "--out DIR is needed");
    if (parsed.Positional().empty()) return UsageError(kDvdFolderInfo, "at least one video expected");
    media::DiscProject project;
    project.Kind = media::DiscProject::kDvdVideo;
    for (const std::string& video : parsed.Positional()) {
        if (!platform::IsRegularFile(video)) return UsageError(kDvdFolderInfo, "no such file: " + video);
        project.Items.push_back({0, platform::FileSize(video).value_or(0), video});
    }
    if (!platform::CreateFolderPath(out)) return JobFailed("making " + out, kCannotSetUp);
    PrepareTools();

    ResultCode result;
    {
        TerminalProgress transcoding("Transcoding");
        result = media::TranscodeForDvd(project, transcoding);
    }
    if (result == kJobCancelled) return JobFailed("dvd-folder", result);

    // A dated folder for this job, as the DVD-folder job of the disc page makes it.
    platform::LocalTime now = platform::Now();
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d-%02d-%02d-%02d-%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second, now.milliseconds);
    const std::string folder = platform::JoinPath(out, name);
    if (!platform::CreateFolderPath(folder)) return JobFailed("making " + folder, kCannotSetUp);
    {
        TerminalProgress authoring("Authoring  ");
        result = media::AuthorDvdFolder(project, authoring, folder);
    }
    if (result == kOk && platform::ListFolder(folder).empty()) result = kAuthoringError;
    if (result != kOk) {
        rmdir(folder.c_str());  // only when the tool left nothing in it
        return JobFailed("dvd-folder", result);
    }
    std::printf("%s\n", folder.c_str());
    return kExitOk;
}

int RunList(const Arguments& args) {
    ParsedArguments parsed(args, {}, {});
    if (!parsed.ok()) return UsageError(kListInfo, parsed.error());
    const Arguments& pos = parsed.Positional();
    if (pos.empty() || pos.size() > 2) return UsageError(kListInfo, "SOURCE [FOLDER] expected");
    const std::string& source = pos[0];
    if (!platform::PathExists(source)) return UsageError(kListInfo, "no such image or folder: " + source);
    // Folders inside a source are named as the DVD page names them: "/" or "VIDEO_TS/".
    std::string_view asked = pos.size() == 2 ? std::string_view(pos[1]) : std::string_view("/");
    while (!asked.empty() && asked.front() == '/') asked.remove_prefix(1);
    std::string folder = asked.empty() ? std::string("/") : std::string(asked);
    if (folder != "/" && folder.back() != '/') folder.push_back('/');

    std::vector<media::IsoEntry> entries;
    if (platform::IsFolder(source)) {
        const std::string path = folder == "/" ? source : platform::JoinPath(source, folder);
        if (media::ListDiskFolder(path, entries) == 0) return JobFailed("listing " + path, kCannotSetUp);
    } else {
        platform::CreateFolderPath(platform::AppDataFolder());
        media::ArchiveToolState state;
        if (media::ListIsoFolder(state, folder, source, entries) != 0) {
            return JobFailed("listing " + source, kCannotSetUp);
        }
        if (state.Listed == 0) return JobFailed("listing " + source + " (the archive tool did not run)", kCannotSetUp);
    }
    for (const media::IsoEntry& e : entries) {
        std::printf("%s %14" PRId64 "  %-19s  %s%s\n", e.IsFolder ? "D" : "-", e.Size, e.DateTime.c_str(),
                    e.Name.c_str(), e.IsFolder ? "/" : "");
    }
    return kExitOk;
}

int RunToVideo(const Arguments& args) {
    ParsedArguments parsed(args, {"--format", "--out"}, {});
    if (!parsed.ok()) return UsageError(kToVideoInfo, parsed.error());
    if (parsed.Positional().size() != 1) return UsageError(kToVideoInfo, "one SOURCE expected");
    const std::string& source = parsed.Positional()[0];
    std::string format = parsed.Value("--format");
    std::transform(format.begin(), format.end(), format.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const char* formats[] = {"MP4", "MKV", "AVI", "MOV"};
    if (std::find(std::begin(formats), std::end(formats), format) == std::end(formats)) {
        return UsageError(kToVideoInfo, "--format must be MP4, MKV, AVI or MOV");
    }
    const std::string out = parsed.Value("--out");
    if (out.empty()) return UsageError(kToVideoInfo, "--out DIR is needed");
    if (!platform::PathExists(source)) return UsageError(kToVideoInfo, "no such image or folder: " + source);
    if (!platform::CreateFolderPath(out)) return JobFailed("making " + out, kCannotSetUp);
    PrepareTools();

    std::string output;
    ResultCode result;
    {
        TerminalProgress progress("Converting");
        if (platform::IsFolder(source)) {
            result = media::ConvertDvdFolderToVideo(format, progress, source, out, &output);
        } else {
            media::ArchiveToolState state;
            result = media::ConvertIsoToVideo(source, out, state, format, progress, &output);
        }
    }
    if (result != kOk) {
        if (CancelRequested()) result = kJobCancelled;
        return JobFailed("to-video", result);
    }
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

}  // namespace
}  // namespace orvalis::cli
