#include "media/IsoListing.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>

#include "media/FolderEntries.h"
#include "media/ToolLocations.h"
#include "media/ToolRunner.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/process/CommandLine.h"

namespace orvalis::media {
namespace {

constexpr size_t kMaxLine = 2047;
constexpr size_t kAttributeColumn = 20;
constexpr size_t kSizeColumn = 26;
constexpr size_t kPackedColumn = 39;
constexpr size_t kNameColumn = 53;

// A number column: the digits after leading blanks, read no further than the column's end,
// so that a folder without sizes does not take digits from its name.
int64_t NumberColumn(std::string_view line, size_t start, size_t end) {
    if (start >= line.size()) return 0;
    std::string_view field = line.substr(start, end - start);
    size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        if (value < INT64_MAX / 10 - 10) value = value * 10 + (field[i] - '0');
    }
    return value;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i], b = prefix[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

// At most `limit` bytes, not cutting a UTF-8 sequence in two.
std::string CutToBytes(std::string_view text, size_t limit) {
    if (text.size() <= limit) return std::string(text);
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return std::string(text.substr(0, end));
}

}  // namespace

std::string ListingFilePath() { return platform::JoinPath(platform::AppDataFolder(), "extractiso.tmp"); }

std::string ListCommandLine(const std::string& tool, const std::string& imagePath) {
    return platform::QuoteArgument(tool) + " l " + platform::QuoteArgument(imagePath);
}

std::string ExtractCommandLine(const std::string& tool, const std::string& imagePath,
                               const std::string& outputFolder) {
    return platform::QuoteArgument(tool) + " x -aou " + platform::QuoteArgument(imagePath) + " -o" +
           platform::QuoteArgument(outputFolder);
}

int ListIsoToFile(ArchiveToolState& state, const std::string& imagePath) {
    bool fileOpened = false;
    ToolRunSpec spec;
    spec.commandLine = ListCommandLine(ArchiveToolPath(), imagePath);
    spec.mode = OutputMode::kFileSink;
    spec.archiveState = &state;
    spec.openFileSink = [&fileOpened]() -> int {
        const std::string appData = platform::AppDataFolder();
        if (appData.empty()) return -1;
        if (!platform::IsFolder(appData) && !platform::CreateFolderPath(appData)) return -1;
        const std::string listing = ListingFilePath();
        platform::DeleteFile(listing);
        int fd = open(listing.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        fileOpened = fd >= 0;
        return fd;
    };
    if (!ToolRunner::Run(spec)) return 0;
    return fileOpened ? 1 : 0;
}

void ParseIsoListingText(std::istream& listing, std::string_view folder,
                         std::vector<IsoEntry>& entries) {
    const bool root = folder.size() == 1;
    bool inTable = false;
    std::string whole;
    while (std::getline(listing, whole)) {
        if (!whole.empty() && whole.back() == '\r') whole.pop_back();
        // A longer line is read as far as the line limit; its rest is not a line of its own.
        std::string_view line(whole);
        if (line.size() > kMaxLine) line = line.substr(0, kMaxLine);
        const bool separator = line.find(kListingSeparator) != std::string_view::npos;
        if (!inTable) {
            inTable = separator;
            continue;
        }
        if (separator) break;

        std::string_view name = line.size() > kNameColumn ? line.substr(kNameColumn) : std::string_view();
        if (root) {
            if (name.find(platform::kPathSeparator) != std::string_view::npos) continue;
        } else {
            if (!StartsWithIgnoringCase(name, folder)) continue;
            name.remove_prefix(folder.size());
            if (name.find(platform::kPathSeparator) != std::string_view::npos) continue;
        }
        IsoEntry entry;
        entry.IsFolder = line.size() > kAttributeColumn && line[kAttributeColumn] == 'D' ? 1 : 0;
        entry.Size = NumberColumn(line, kSizeColumn, kPackedColumn);
        entry.PackedSize = NumberColumn(line, kPackedColumn, kNameColumn);
        entry.DateTime = std::string(line.substr(0, IsoEntry::kDateTimeLength));
        entry.Name = CutToBytes(name, IsoEntry::kMaxName);
        entries.push_back(std::move(entry));
    }
}

bool ParseIsoListing(const std::string& folder, std::vector<IsoEntry>& entries) {
    std::ifstream listing(ListingFilePath(), std::ios::binary);
    if (!listing) return false;
    ParseIsoListingText(listing, folder, entries);
    return true;
}

int ListIsoFolder(ArchiveToolState& state, const std::string& folder, const std::string& imagePath,
                  std::vector<IsoEntry>& entries) {
    if (state.Listed == 0 && ListIsoToFile(state, imagePath) == 1) state.Listed = 1;
    return ParseIsoListing(folder, entries) ? 0 : -1;
}

int ListDiskFolder(const std::string& folder, std::vector<IsoEntry>& entries) {
    auto found = platform::ReadFolder(folder);
    if (!found) return 0;
    const std::string prefix = FolderPrefix(folder);
    for (const platform::FolderEntry& e : *found) {
        const std::string path = prefix + e.name;
        IsoEntry entry;
        entry.IsFolder = e.isFolder ? 1 : 0;
        entry.Name = CutToBytes(e.name, IsoEntry::kMaxName);
        if (!entry.IsFolder) entry.Size = static_cast<int64_t>(platform::FileSize(path).value_or(0));
        entries.push_back(std::move(entry));
    }
    return 1;
}

int ExtractIso(ArchiveToolState& state, const std::string& imagePath, const std::string& outputFolder) {
    ToolRunSpec spec;
    spec.commandLine = ExtractCommandLine(ArchiveToolPath(), imagePath, outputFolder);
    spec.mode = OutputMode::kDiscard;
    spec.archiveState = &state;
    return ToolRunner::Run(spec) ? 1 : 0;
}

}  // namespace orvalis::media
