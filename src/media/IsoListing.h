#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "media/ArchiveToolState.h"

namespace orvalis::media {

// One entry of a listed folder of a DVD source.
struct IsoEntry {
    static constexpr size_t kMaxName = 259;  // bytes
    static constexpr size_t kDateTimeLength = 19;

    int32_t IsFolder = 0;
    int64_t Size = 0;
    int64_t PackedSize = 0;   // 0 for entries read from disk
    std::string DateTime;     // "YYYY-MM-DD hh:mm:ss" from a listing; empty from disk
    std::string Name;         // below the listed folder, at most kMaxName bytes
};

// The separator line of the archive tool's listing table.
inline constexpr std::string_view kListingSeparator =
    "------------------- ----- ------------ ------------  ------------------------";

// Folders inside an image are named as the DVD page names its tree nodes: "/" for the root,
// else the path below it with a trailing "/", as in "VIDEO_TS/".

// Lists the whole image with the archive tool into the listing file. 1 when the tool ran,
// 0 when it cannot be started or the listing file cannot be made.
int ListIsoToFile(ArchiveToolState& state, const std::string& imagePath);

// Reads the entries of one folder from the listing file. False when it cannot be opened.
bool ParseIsoListing(const std::string& folder, std::vector<IsoEntry>& entries);
// The same over any listing text (lines ended by LF or CR LF).
void ParseIsoListingText(std::istream& listing, std::string_view folder,
                         std::vector<IsoEntry>& entries);

// Lists the image once per source (state.Listed), then reads the folder from the listing
// file. 0, or -1 when the listing file cannot be opened.
int ListIsoFolder(ArchiveToolState& state, const std::string& folder, const std::string& imagePath,
                  std::vector<IsoEntry>& entries);

// The entries of a folder on disk. 1, or 0 when the folder cannot be listed.
int ListDiskFolder(const std::string& folder, std::vector<IsoEntry>& entries);

// Unpacks the whole image into a folder, renaming files whose names are taken. 1 when the
// tool ran to the end of its output, 0 when it cannot be started.
int ExtractIso(ArchiveToolState& state, const std::string& imagePath, const std::string& outputFolder);

std::string ListingFilePath();
std::string ListCommandLine(const std::string& tool, const std::string& imagePath);
std::string ExtractCommandLine(const std::string& tool, const std::string& imagePath,
                               const std::string& outputFolder);

}  // namespace orvalis::media
