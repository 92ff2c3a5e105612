#include "media/ToolLocations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace orvalis::media {

std::string ToolFolder() {
    if (const char* folder = std::getenv("ORVALIS_PROGRAM_FOLDER"); folder && folder[0] == '/') {
        std::string f = folder;
        if (f.back() != platform::kPathSeparator) f += platform::kPathSeparator;
        return f;
    }
    return platform::ProgramFolder();
}

std::string TranscoderPath() { return platform::JoinPath(platform::AppDataFolder(), "tool"); }

std::string AuthoringToolPath() { return ToolFolder() + "DLL/tool2"; }

std::string ArchiveToolPath() { return ToolFolder() + "extract"; }

void StageTranscoder() {
    const std::string source = ToolFolder() + "tool";
    const std::string target = TranscoderPath();
    if (platform::AppDataFolder().empty()) return;
    struct stat st{};
    if (stat(source.c_str(), &st) != 0) return;
    // Copy beside the target and rename over it: an earlier copy may still be running (a
    // tool whose output was abandoned ends by itself), and a running program cannot be
    // rewritten in place.
    const std::string temp = target + ".staging";
    if (platform::CopyFileReplacing(source, temp) != 0) {
        unlink(temp.c_str());
        return;
    }
    chmod(temp.c_str(), st.st_mode & 07777);
    if (rename(temp.c_str(), target.c_str()) != 0) unlink(temp.c_str());
}

}  // namespace orvalis::media
