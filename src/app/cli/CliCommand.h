#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ProgressSink.h"

namespace orvalis::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the job failed; a message names the result code
inline constexpr int kExitUsage = 2;   // bad usage; the usage was printed

using Arguments = std::vector<std::string>;

struct CommandInfo {
    const char* name;     // "languages"
    const char* usage;    // "languages"  or  "probe FILE"
    const char* summary;  // one line for --help
    int (*run)(const Arguments& args);  // the arguments after the command's name
};

// A subcommand registers itself from its own source file with one static object:
//   static const CommandRegistrar kProbe{{"probe", "probe FILE", "...", &RunProbe}};
class CommandRegistrar {
public:
    explicit CommandRegistrar(const CommandInfo& info);
};

const std::vector<CommandInfo>& Commands();

// Prints "usage: orvalis-cli <usage>" to stderr and returns kExitUsage.
int UsageError(const CommandInfo& info, const std::string& why);
// Prints "orvalis-cli: <what> failed (result <code>)" with the code in decimal and hex and
// returns kExitFailed.
int JobFailed(const std::string& what, int32_t code);

// A small option parser: "--name VALUE" and "--flag" options anywhere, the rest positional.
class ParsedArguments {
public:
    // valueOptions take a value ("--out"), flagOptions do not ("--close"). Anything else
    // starting with "--" is an error.
    ParsedArguments(const Arguments& args, const std::vector<std::string>& valueOptions,
                    const std::vector<std::string>& flagOptions);
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    bool Has(const std::string& option) const;
    std::string Value(const std::string& option, const std::string& fallback = {}) const;
    const Arguments& Positional() const { return positional_; }

private:
    std::vector<std::pair<std::string, std::string>> options_;
    Arguments positional_;
    std::string error_;
};

// Ctrl-C asks the running job to stop, as the cancel button of a progress window does. The
// first Ctrl-C sets the flag; a second one ends the program at once.
void InstallCancelHandler();
bool CancelRequested();

// A progress bar on the terminal (stderr), for the jobs that report a percentage. Answers
// kJobCancelled once Ctrl-C was pressed.
class TerminalProgress : public ProgressSink {
public:
    explicit TerminalProgress(std::string label);
    ~TerminalProgress() override;
    ResultCode UpdateProgress(int32_t percent) override;
    // Extra text after the bar, e.g. the remaining time.
    void SetDetail(const std::string& detail);
    // Ends the bar's line.
    void Finish();

private:
    void Draw();
    std::string label_;
    std::string detail_;
    int32_t percent_ = -1;
    bool tty_ = false;
    bool finished_ = false;
};

}  // namespace orvalis::cli
