// orvalis-cli recorders, burn, erase and iso: the disc page's jobs without the window.
#include <cinttypes>
#include <cstdio>

#include "app/cli/CliCommand.h"
#include "disc/BurnProject.h"
#include "disc/ImageBuilding.h"
#include "disc/MediaChecks.h"
#include "disc/RecorderDiscovery.h"
#include "media/DiscProject.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/recorders/EmulatedRecorderConfig.h"
#include "platform/recorders/MediaTypes.h"
#include "platform/recorders/RecorderResults.h"

namespace orvalis::cli {
namespace {

int RunRecorders(const Arguments& args);
int RunBurn(const Arguments& args);
int RunErase(const Arguments& args);
int RunIso(const Arguments& args);

const CommandInfo kRecordersInfo{"recorders", "recorders",
                                 "List the disc recorders with their media choices and the disc in each",
                                 &RunRecorders};
const CommandInfo kBurnInfo{"burn",
                            "burn --recorder ID [--fs joliet|iso9660|udf] [--volume NAME] [--close] "
                            "[--eject] [--erase] PATH...",
                            "Burn files and folders to a data disc; --erase erases a disc holding data",
                            &RunBurn};
const CommandInfo kEraseInfo{"erase", "erase --recorder ID", "Quickly erase the rewritable disc in a recorder",
                             &RunErase};
const CommandInfo kIsoInfo{"iso", "iso [--fs joliet|iso9660|udf] [--volume NAME] --out FILE PATH...",
                           "Write the image of files and folders to an ISO file", &RunIso};
const CommandRegistrar kRecordersCommand{kRecordersInfo};
const CommandRegistrar kBurnCommand{kBurnInfo};
const CommandRegistrar kEraseCommand{kEraseInfo};
const CommandRegistrar kIsoCommand{kIsoInfo};

const char* MediumText(int32_t state) {
    switch (state) {
        case disc::kMediaBlank: return "blank";
        case disc::kMediaHoldsData: return "holding data";
        default: return "no disc (or no answer)";
    }
}

// What a failed disc job's result means, where the program knows it.
const char* ResultText(int32_t code) {
    switch (code) {
        case recorders::kMediaNotBlank: return "the disc is not blank";
        case recorders::kMediaNotSupported: return "the recorder cannot write this disc";
        case recorders::kMediaNoMedia: return "there is no disc in the recorder";
        case recorders::kStreamTooLargeForMedia: return "the files do not fit on the disc";
        case recorders::kRequestCancelled: return "the write was cancelled";
        case recorders::kEraseMediaNotSupported: return "the disc cannot be erased";
        case kCannotSetUp: return "the recorder cannot be opened or set up";
        case kJobCancelled: return "cancelled";
        default: return nullptr;
    }
}

int Failed(const std::string& what, int32_t code) {
    if (const char* text = ResultText(code)) std::fprintf(stderr, "orvalis-cli: %s: %s\n", what.c_str(), text);
    return JobFailed(what, code);
}

bool ParseFileSystem(const std::string& text, int32_t& out) {
    if (text == "joliet") out = disc::kFileSystemJoliet;
    else if (text == "iso9660") out = disc::kFileSystemIso9660;
    else if (text == "udf") out = disc::kFileSystemUdf;
    else return false;
    return true;
}

// The disc page's default label: the local time as digits.
std::string DefaultVolumeLabel() {
    platform::LocalTime t = platform::Now();
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

uint64_t FolderSize(const std::string& folder) {
    uint64_t total = 0;
    for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
        std::string path = folder + "/" + entry.name;
        total += entry.isFolder ? FolderSize(path) : platform::FileSize(path).value_or(0);
    }
    return total;
}

// A data project of the paths, in the order given; false (with a message) for a path that
// is not there.
bool MakeProject(const CommandInfo& info, const Arguments& paths, media::DiscProject& project) {
    project.Kind = media::DiscProject::kDataDisc;
    for (std::string path : paths) {
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        if (!platform::PathExists(path)) {
            std::fprintf(stderr, "orvalis-cli %s: %s does not exist\n", info.name, path.c_str());
            return false;
        }
        media::ProjectItem item;
        item.path = path;
        item.isFolder = platform::IsFolder(path) ? 1 : 0;
        item.size = item.isFolder ? FolderSize(path) : platform::FileSize(path).value_or(0);
        project.Items.push_back(item);
    }
    return true;
}

struct CommonOptions {
    int32_t fileSystem = disc::kFileSystemJoliet;
    std::string volume;
};

// Reads --fs and --volume; a usage error text when they are wrong.
std::string ReadCommonOptions(const ParsedArguments& parsed, CommonOptions& options) {
    if (parsed.Has("--fs") && !ParseFileSystem(parsed.Value("--fs"), options.fileSystem))
        return "--fs takes joliet, iso9660 or udf";
    options.volume = parsed.Has("--volume") ? parsed.Value("--volume") : DefaultVolumeLabel();
    return {};
}

// The burn window of the command line: the writing position as a bar, a stop after Ctrl-C.
class TerminalBurnWindow final : public disc::BurnNotifyTarget {
public:
    explicit TerminalBurnWindow(TerminalProgress& bar) : bar_(bar) {}
    intptr_t SendBurnProgress(int32_t action, const disc::BurnProgressRecord& record) override {
        static const char* const kActions[] = {"checking the disc", "formatting", "starting the recorder",
                                               "calibrating", "writing", "closing the disc", "done"};
        if (action >= 0 && action <= 6) bar_.SetDetail(kActions[action]);
        int32_t percent = -1;
        if (action == 4) {
            percent = record.sectorCount == 0
                          ? 0
                          : static_cast<int32_t>(static_cast<int64_t>(record.lastWrittenLba - record.startLba) *
                                                 100 / record.sectorCount);
            if (record.remainingTime > 0)
                bar_.SetDetail("writing, about " + std::to_string(record.remainingTime) + " s left");
        } else if (action == 6) {
            percent = 100;
        }
        if (percent < 0) return CancelRequested() ? disc::kBurnStop : disc::kBurnGoOn;
        return bar_.UpdateProgress(percent) == kOk ? disc::kBurnGoOn : disc::kBurnStop;
    }

private:
    TerminalProgress& bar_;
};

// Prints the emulated entries that were left out, so a typing error does not go unseen.
void WarnAboutEmulatedEntries() {
    for (const std::string& error : recorders::EmulatedRecordersFromEnvironment().errors)
        std::fprintf(stderr, "orvalis-cli: %s\n", error.c_str());
}

int RunRecorders(const Arguments& args) {
    if (!args.empty()) return UsageError(kRecordersInfo, "no arguments expected");
    WarnAboutEmulatedEntries();
    std::vector<disc::RecorderInfo> recorders;
    disc::EnumerateRecorders(recorders);
    if (recorders.empty()) {
        std::printf("No recorders found. A drive needs read and write access to its device file "
                    "(the cdrom group); %s lists emulated recorders.\n",
                    recorders::kEmulatedRecordersVariable);
        return kExitOk;
    }
    for (const disc::RecorderInfo& recorder : recorders) {
        media::DiscProject scratch;
        std::vector<disc::MediaChoice> choices;
        int32_t inspected = disc::InspectMedia(recorder.uniqueId, scratch, choices);
        std::string media;
        for (const disc::MediaChoice& choice : choices) media += (media.empty() ? "" : ", ") + choice.label;
        if (inspected != kOk) media = "cannot be set up";
        else if (media.empty()) media = "none";
        int32_t state = disc::GetMediaState(recorder.uniqueId);
        std::printf("%s\n  id:     %s\n  media:  %s\n  medium: %s", recorder.displayText.c_str(),
                    recorder.uniqueId.c_str(), media.c_str(), MediumText(state));
        uint64_t capacity = disc::GetMediaCapacity(recorder.uniqueId);
        if (capacity > 0) std::printf(", %" PRIu64 " bytes", capacity);
        std::printf("\n");
    }
    return kExitOk;
}

int RunBurn(const Arguments& args) {
    ParsedArguments parsed(args, {"--recorder", "--fs", "--volume"}, {"--close", "--eject", "--erase"});
    if (!parsed.ok()) return UsageError(kBurnInfo, parsed.error());
    if (!parsed.Has("--recorder")) return UsageError(kBurnInfo, "--recorder is required");
    if (parsed.Positional().empty()) return UsageError(kBurnInfo, "nothing to burn");
    CommonOptions options;
    std::string wrong = ReadCommonOptions(parsed, options);
    if (!wrong.empty()) return UsageError(kBurnInfo, wrong);
    media::DiscProject project;
    if (!MakeProject(kBurnInfo, parsed.Positional(), project)) return kExitFailed;

    const std::string id = parsed.Value("--recorder");
    WarnAboutEmulatedEntries();
    int32_t state = disc::GetMediaState(id);
    if (state == disc::kMediaHoldsData) {
        if (!parsed.Has("--erase")) {
            std::fprintf(stderr, "orvalis-cli burn: the disc in %s holds data; --erase erases it quickly first\n",
                         id.c_str());
            return kExitFailed;
        }
        std::fprintf(stderr, "Erasing the disc in %s ...\n", id.c_str());
        int32_t erased = disc::QuickErase(id);
        if (erased != kOk) return Failed("erase", erased);
        state = disc::GetMediaState(id);
    }
    if (state != disc::kMediaBlank) {
        std::fprintf(stderr, "orvalis-cli burn: there is no blank disc in %s (or it does not answer)\n", id.c_str());
        return kExitFailed;
    }

    InstallCancelHandler();
    int32_t result = kOk;
    {
        TerminalProgress bar("Burning");
        TerminalBurnWindow window(bar);
        result = disc::BurnProject(project, options.fileSystem, options.volume, id,
                                   parsed.Has("--eject") ? disc::EjectAfterBurn::Yes : disc::EjectAfterBurn::No,
                                   parsed.Has("--close") ? disc::CloseMedia::Yes : disc::CloseMedia::No, &window);
    }
    if (result != kOk) return Failed("burn", result);
    std::printf("Burned %zu item(s) to %s\n", project.Items.size(), id.c_str());
    return kExitOk;
}

int RunErase(const Arguments& args) {
    ParsedArguments parsed(args, {"--recorder"}, {});
    if (!parsed.ok()) return UsageError(kEraseInfo, parsed.error());
    if (!parsed.Has("--recorder") || !parsed.Positional().empty())
        return UsageError(kEraseInfo, "--recorder and nothing else is expected");
    const std::string id = parsed.Value("--recorder");
    WarnAboutEmulatedEntries();
    if (disc::GetMediaState(id) == disc::kMediaNoAnswer) {
        std::fprintf(stderr, "orvalis-cli erase: there is no disc in %s (or it does not answer)\n", id.c_str());
        return kExitFailed;
    }
    int32_t result = disc::QuickErase(id);
    if (result != kOk) return Failed("erase", result);
    std::printf("The disc in %s is %s\n", id.c_str(), MediumText(disc::GetMediaState(id)));
    return kExitOk;
}

int RunIso(const Arguments& args) {
    ParsedArguments parsed(args, {"--fs", "--volume", "--out"}, {});
    if (!parsed.ok()) return UsageError(kIsoInfo, parsed.error());
    if (!parsed.Has("--out")) return UsageError(kIsoInfo, "--out is required");
    if (parsed.Positional().empty()) return UsageError(kIsoInfo, "nothing to put in the image");
    CommonOptions options;
    std::string wrong = ReadCommonOptions(parsed, options);
    if (!wrong.empty()) return UsageError(kIsoInfo, wrong);
    media::DiscProject project;
    if (!MakeProject(kIsoInfo, parsed.Positional(), project)) return kExitFailed;

    std::shared_ptr<fsimage::DiscImageStream> stream;
    int32_t result = disc::BuildImage(project, options.fileSystem, options.volume, recorders::kMediaDisk, &stream);
    if (result != kOk) return Failed("image", result);
    InstallCancelHandler();
    {
        TerminalProgress bar("Writing");
        result = disc::WriteImageFile(*stream, parsed.Value("--out"), &bar);
    }
    if (result != kOk) return Failed("iso", result);
    std::printf("Wrote %s (%" PRIu64 " bytes)\n", parsed.Value("--out").c_str(), stream->Size());
    return kExitOk;
}

}  // namespace
}  // namespace orvalis::cli
