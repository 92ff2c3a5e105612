// orvalis-cli reports: the report files, newest first, with the time each was written.
#include <cstdio>

#include "app/cli/CliCommand.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "reports/ReportStore.h"

namespace orvalis::cli {
namespace {

int RunReports(const Arguments& args);

const CommandInfo kInfo{"reports", "reports", "List the job reports, newest first", &RunReports};
const CommandRegistrar kReports{kInfo};

int RunReports(const Arguments& args) {
    if (!args.empty()) return UsageError(kInfo, "no arguments expected");
    auto& store = reports::ReportStore::Instance();
    if (store.ReportFiles().empty()) {
        std::printf("No reports in %s\n", store.ReportFolder().c_str());
        return kExitOk;
    }
    for (const std::string& path : store.ReportFiles()) {
        auto written = platform::LastWriteTime(path);
        std::printf("%s  %s\n",
                    written ? platform::FormatDateTime(*written).c_str() : "                   ",
                    path.c_str());
    }
    return kExitOk;
}

}  // namespace
}  // namespace orvalis::cli
