// orvalis-cli: the program's jobs without a window, for scripts, batch work and tests. Every
// subcommand is a thin front over the functions the windows call.
#include <cstdio>
#include <cstring>

#include "app/cli/CliCommand.h"

using namespace orvalis::cli;

static void PrintHelp(FILE* out) {
    std::fprintf(out,
                 "usage: orvalis-cli COMMAND [ARGUMENTS]\n\n"
                 "Runs the jobs of Orvalis without a window. Ctrl-C cancels a running job.\n"
                 "Exit codes: 0 success, 1 the job failed, 2 bad usage.\n\nCommands:\n");
    for (const CommandInfo& c : Commands()) {
        std::fprintf(out, "  %s\n      %s\n", c.usage, c.summary);
    }
}

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintHelp(stderr);
        return kExitUsage;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
        !std::strcmp(argv[1], "help")) {
        PrintHelp(stdout);
        return kExitOk;
    }
    for (const CommandInfo& c : Commands()) {
        if (std::strcmp(c.name, argv[1]) != 0) continue;
        Arguments args(argv + 2, argv + argc);
        for (const std::string& a : args) {
            if (a == "--help" || a == "-h") {
                std::printf("usage: orvalis-cli %s\n%s\n", c.usage, c.summary);
                return kExitOk;
            }
        }
        InstallCancelHandler();
        return c.run(args);
    }
    std::fprintf(stderr, "orvalis-cli: unknown command \"%s\"\n\n", argv[1]);
    PrintHelp(stderr);
    return kExitUsage;
}
