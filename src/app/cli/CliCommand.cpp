#include "app/cli/CliCommand.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace orvalis::cli {
namespace {

std::vector<CommandInfo>& Registry() {
    static std::vector<CommandInfo> commands;
    return commands;
}

std::atomic<bool> gCancel{false};

void OnInterrupt(int) {
    if (gCancel.exchange(true)) _exit(130);
}

}  // namespace

CommandRegistrar::CommandRegistrar(const CommandInfo& info) {
    auto& commands = Registry();
    auto at = std::lower_bound(commands.begin(), commands.end(), info,
                               [](const CommandInfo& a, const CommandInfo& b) {
                                   return std::string_view(a.name) < std::string_view(b.name);
                               });
    commands.insert(at, info);
}

const std::vector<CommandInfo>& Commands() { return Registry(); }

int UsageError(const CommandInfo& info, const std::string& why) {
    if (!why.empty()) std::fprintf(stderr, "orvalis-cli %s: %s\n", info.name, why.c_str());
    std::fprintf(stderr, "usage: orvalis-cli %s\n", info.usage);
    return kExitUsage;
}

int JobFailed(const std::string& what, int32_t code) {
    std::fprintf(stderr, "orvalis-cli: %s failed (result %" PRId32 ", 0x%08" PRIX32 ")\n",
                 what.c_str(), code, static_cast<uint32_t>(code));
    return kExitFailed;
}

ParsedArguments::ParsedArguments(const Arguments& args,
                                 const std::vector<std::string>& valueOptions,
                                 const std::vector<std::string>& flagOptions) {
    auto contains = [](const std::vector<std::string>& list, const std::string& s) {
        return std::find(list.begin(), list.end(), s) != list.end();
    };
    bool onlyPositional = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPositional || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional_.push_back(arg);
        } else if (arg == "--") {
            onlyPositional = true;
        } else if (contains(flagOptions, arg)) {
            options_.emplace_back(arg, std::string());
        } else if (contains(valueOptions, arg)) {
            if (i + 1 >= args.size()) {
                error_ = arg + " needs a value";
                return;
            }
            options_.emplace_back(arg, args[++i]);
        } else {
            error_ = "unknown option " + arg;
            return;
        }
    }
}

bool ParsedArguments::Has(const std::string& option) const {
    return std::any_of(options_.begin(), options_.end(),
                       [&](const auto& o) { return o.first == option; });
}

std::string ParsedArguments::Value(const std::string& option, const std::string& fallback) const {
    for (auto it = options_.rbegin(); it != options_.rend(); ++it) {
        if (it->first == option) return it->second;
    }
    return fallback;
}

void InstallCancelHandler() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool CancelRequested() { return gCancel.load(); }

TerminalProgress::TerminalProgress(std::string label)
    : label_(std::move(label)), tty_(isatty(STDERR_FILENO) == 1) {}

TerminalProgress::~TerminalProgress() { Finish(); }

ResultCode TerminalProgress::UpdateProgress(int32_t percent) {
    if (CancelRequested()) return kJobCancelled;
    percent = std::clamp(percent, 0, 100);
    if (percent != percent_) {
        percent_ = percent;
        Draw();
    }
    return kOk;
}

void TerminalProgress::SetDetail(const std::string& detail) {
    if (detail == detail_) return;
    detail_ = detail;
    if (tty_) Draw();
}

void TerminalProgress::Draw() {
    if (finished_) return;
    constexpr int kWidth = 30;
    int filled = std::max(0, percent_) * kWidth / 100;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kWidth - filled), '.');
    if (tty_) {
        std::fprintf(stderr, "\r\033[K%s [%s] %3d%% %s", label_.c_str(), bar.c_str(),
                     std::max(0, percent_), detail_.c_str());
    } else if (percent_ % 10 == 0) {
        // Not a terminal (a log, a pipe): one line every ten percent.
        std::fprintf(stderr, "%s %d%% %s\n", label_.c_str(), percent_, detail_.c_str());
    }
    std::fflush(stderr);
}

void TerminalProgress::Finish() {
    if (finished_) return;
    finished_ = true;
    if (tty_ && percent_ >= 0) std::fputc('\n', stderr);
}

}  // namespace orvalis::cli
