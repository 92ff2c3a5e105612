// Measures the media jobs' own cost:
//   media_bench transcode CLIP WORKDIR   the DVD transcode of a clip through the tool runner,
//                                        then the same command line run directly
//   media_bench list IMAGE FOLDER        the first listing of an image (runs the archive tool)
//                                        and a later folder (reads only the listing file)
// Run it with ORVALIS_PROGRAM_FOLDER naming the program folder and XDG_DATA_HOME a scratch
// folder; bench/media/run.sh does both.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "media/ClockTime.h"
#include "media/DiscProject.h"
#include "media/IsoListing.h"
#include "media/ToolLocations.h"
#include "media/Transcode.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/process/CommandLine.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double CpuOf(int who) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class NullSink : public orvalis::ProgressSink {
public:
    orvalis::ResultCode UpdateProgress(int32_t percent) override {
        last = percent;
        ++reports;
        return orvalis::kOk;
    }
    int32_t last = 0;
    int reports = 0;
};

// The command line's program with its arguments, waited for.
double RunDirectly(const std::string& commandLine) {
    std::vector<std::string> args = orvalis::platform::SplitCommandLine(commandLine);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // Its input is an idle pipe, as under the runner; its output goes nowhere.
    int input[2];
    if (pipe2(input, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    auto start = Clock::now();
    pid_t pid;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    close(input[0]);
    waitpid(pid, &status, 0);
    close(input[1]);
    posix_spawn_file_actions_destroy(&actions);
    return Seconds(start);
}

int Transcode(const std::string& clip, const std::string& work) {
    using namespace orvalis::media;
    orvalis::platform::CreateFolderPath(orvalis::platform::AppDataFolder());
    StageTranscoder();
    DiscProject project;
    const std::string duration = ProbeVideo(project, clip);
    project.WorkFolderPath = work;
    project.ProgressBase = 0;
    project.ProgressShare = 100;
    NullSink sink;

    // Rounds alternate between the two ways and their order, so that load from elsewhere hits
    // both alike.
    constexpr int kRounds = 3;
    std::vector<double> runnerWalls, runnerCpus, directWalls;
    int reports = 0;
    const std::string direct = work + "/direct.mpg";
    auto runDirect = [&] {
        directWalls.push_back(RunDirectly(TranscodeCommandLine(TranscoderPath(), clip, project.FrameSize, direct)));
        orvalis::platform::DeleteFile(direct);
    };
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 1) runDirect();
        project.TranscodedFiles.clear();
        NullSink roundSink;
        const double cpuBefore = CpuOf(RUSAGE_SELF);
        auto start = Clock::now();
        orvalis::ResultCode result =
            TranscodeOneVideo(roundSink, project, clip, static_cast<uint64_t>(ParseClockTime(duration)));
        runnerWalls.push_back(Seconds(start));
        runnerCpus.push_back(CpuOf(RUSAGE_SELF) - cpuBefore);
        reports = roundSink.reports;
        sink.last = roundSink.last;
        if (result != orvalis::kOk) {
            std::fprintf(stderr, "transcode failed: %d\n", result);
            return 1;
        }
        orvalis::platform::DeleteFile(project.TranscodedFiles.back());
        if (round % 2 == 0) runDirect();
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double runnerWall = median(runnerWalls), runnerCpu = median(runnerCpus), directWall = median(directWalls);
    std::printf("transcode %s (probed %s, frame size%s), median of %d alternating rounds\n", clip.c_str(),
                duration.c_str(), project.FrameSize.c_str(), kRounds);
    std::printf("  through the runner: %.2f s wall, %.3f s of the runner's own CPU (%.2f%% of its wall), %d progress reports, last %d%%\n",
                runnerWall, runnerCpu, 100.0 * runnerCpu / runnerWall, reports, sink.last);
    std::printf("  run directly:       %.2f s wall\n", directWall);
    std::printf("  wall ratio runner/direct: %.3f\n", runnerWall / directWall);
    return 0;
}

int List(const std::string& image, const std::string& folder) {
    using namespace orvalis::media;
    ArchiveToolState state;
    std::vector<IsoEntry> root;
    auto start = Clock::now();
    if (ListIsoFolder(state, "/", image, root) != 0) return 1;
    const double first = Seconds(start);

    std::vector<IsoEntry> inner;
    start = Clock::now();
    if (ListIsoFolder(state, folder, image, inner) != 0) return 1;
    const double later = Seconds(start);

    const double direct = RunDirectly(orvalis::platform::QuoteArgument(ArchiveToolPath()) + " l " +
                                      orvalis::platform::QuoteArgument(image));
    std::printf("list %s (%llu bytes of listing)\n", image.c_str(),
                static_cast<unsigned long long>(orvalis::platform::FileSize(ListingFilePath()).value_or(0)));
    std::printf("  first listing (tool run + parse): %.3f s, %zu root entries\n", first, root.size());
    std::printf("  archive tool run directly:        %.3f s (ratio %.2f)\n", direct, first / direct);
    std::printf("  later folder %s (parse only):  %.3f s, %zu entries\n", folder.c_str(), later, inner.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && !std::strcmp(argv[1], "transcode")) return Transcode(argv[2], argv[3]);
    if (argc == 4 && !std::strcmp(argv[1], "list")) return List(argv[2], argv[3]);
    std::fprintf(stderr, "usage: media_bench transcode CLIP WORKDIR | list IMAGE FOLDER\n");
    return 2;
}
