#pragma once

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "media/ToolLocations.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/ProgressSink.h"

namespace orvalis::testing {

// A path as one word of a shell command line (tests only: the program itself uses no shell).
inline std::string ShellWord(const std::string& text) {
    std::string word = "'";
    for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

// A program folder of its own for each test (the tools linked from the build's program
// folder, the shipped authoring template copied) and an application-data folder inside it,
// with the transcoder staged, so that tests never share the control file or the work folder.
class MediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root_ / "program/DLL");
        std::filesystem::create_symlink(BinDir() + "/tool", root_ / "program/tool");
        std::filesystem::create_symlink(BinDir() + "/DLL/tool2", root_ / "program/DLL/tool2");
        std::filesystem::create_symlink(BinDir() + "/extract", root_ / "program/extract");
        std::filesystem::copy_file(BinDir() + "/tmp.xml", root_ / "program/tmp.xml");
        program_ = std::make_unique<ScopedEnv>("ORVALIS_PROGRAM_FOLDER", root_ / "program");
        data_ = std::make_unique<ScopedEnv>("XDG_DATA_HOME", root_ / "data");
        std::filesystem::create_directories(platform::AppDataFolder());
        media::StageTranscoder();
    }

    std::string Path(const std::string& name) const { return root_ / name; }
    std::string ProgramPath(const std::string& name) const { return root_ / ("program/" + name); }

    // Writes an executable script.
    std::string Script(const std::string& path, const std::string& body) const {
        platform::DeleteFile(path);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        root_.Write(std::filesystem::relative(path, root_.path()).string(), "#!/bin/sh\n" + body);
        chmod(path.c_str(), 0755);
        return path;
    }
    // Replaces the staged transcoder by a script.
    void FakeTranscoder(const std::string& body) const { Script(media::TranscoderPath(), body); }

    // A short test video with sound, made by the transcoder from its generated sources.
    std::string MakeVideo(const std::string& name, double seconds, const std::string& size = "160x120") const {
        std::string out = Path(name);
        std::filesystem::create_directories(std::filesystem::path(out).parent_path());
        char length[32];
        std::snprintf(length, sizeof length, "%.2f", seconds);
        std::string cmd = "ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=" + size + ":rate=25:duration=" +
                          length + " -f lavfi -i sine=frequency=440:duration=" + length +
                          " -shortest -c:v mpeg4 -c:a aac " + ShellWord(out) + " 2>&1";
        CommandResult r = RunCommand(cmd);
        EXPECT_EQ(r.status, 0) << r.output;
        return out;
    }

    TempDir root_;
    std::unique_ptr<ScopedEnv> program_;
    std::unique_ptr<ScopedEnv> data_;
};

// What a reader that nobody here wrote says of a media file.
struct ProbeFacts {
    std::string videoCodec;
    std::string audioCodec;
    double duration = 0;
};
inline ProbeFacts Ffprobe(const std::string& path) {
    CommandResult r = RunCommand("ffprobe -v error -show_entries stream=codec_type,codec_name "
                                 "-show_entries format=duration -of default=nw=1 " + ShellWord(path) + " 2>&1");
    ProbeFacts facts;
    std::string type, name;
    size_t pos = 0;
    while (pos < r.output.size()) {
        size_t end = r.output.find('\n', pos);
        if (end == std::string::npos) end = r.output.size();
        std::string line = r.output.substr(pos, end - pos);
        pos = end + 1;
        if (line.rfind("codec_name=", 0) == 0) name = line.substr(11);
        if (line.rfind("codec_type=", 0) == 0) {
            type = line.substr(11);
            if (type == "video" && facts.videoCodec.empty()) facts.videoCodec = name;
            if (type == "audio" && facts.audioCodec.empty()) facts.audioCodec = name;
        }
        if (line.rfind("duration=", 0) == 0) facts.duration = std::atof(line.c_str() + 9);
    }
    return facts;
}

// A progress sink that records every report and answers kJobCancelled from a chosen
// report on, as a progress window does after the user confirmed a cancel.
class RecordingSink : public ProgressSink {
public:
    // cancelWhen: given the report, true when the user cancels now.
    explicit RecordingSink(std::function<bool(int32_t)> cancelWhen = nullptr)
        : cancelWhen_(std::move(cancelWhen)) {}
    ResultCode UpdateProgress(int32_t percent) override {
        std::lock_guard<std::mutex> guard(lock_);
        reports_.push_back(percent);
        if (!cancelled_ && cancelWhen_ && cancelWhen_(percent)) cancelled_ = true;
        return cancelled_ ? kJobCancelled : kOk;
    }
    std::vector<int32_t> reports() const {
        std::lock_guard<std::mutex> guard(lock_);
        return reports_;
    }
    bool cancelled() const { return cancelled_; }

private:
    std::function<bool(int32_t)> cancelWhen_;
    mutable std::mutex lock_;
    std::vector<int32_t> reports_;
    bool cancelled_ = false;
};

// The processes running a given program file, found through /proc.
inline std::vector<int> ProcessesRunning(const std::string& program) {
    std::vector<int> pids;
    std::error_code ec;
    std::string wanted = std::filesystem::weakly_canonical(program, ec).string();
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code readEc;
        auto exe = std::filesystem::read_symlink(entry.path() / "exe", readEc).string();
        if (readEc) continue;
        if (exe == wanted || exe == wanted + " (deleted)") pids.push_back(std::stoi(name));
    }
    return pids;
}

}  // namespace orvalis::testing
