// The archive tool's listing of an image from outside the program is parsed folder by folder.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "media/IsoListing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvalis::media;
    std::string text(reinterpret_cast<const char*>(data), size);
    // The first line of the input names the folder to list, the rest is the listing.
    size_t newline = text.find('\n');
    std::string folder = newline == std::string::npos ? "/" : text.substr(0, newline);
    std::string listing = newline == std::string::npos ? text : text.substr(newline + 1);
    for (const std::string& f : {folder, std::string("/"), std::string("VIDEO_TS/")}) {
        std::istringstream in(listing);
        std::vector<IsoEntry> entries;
        ParseIsoListingText(in, f, entries);
        for (const IsoEntry& e : entries) {
            if (e.Name.size() > IsoEntry::kMaxName) __builtin_trap();
            if (e.DateTime.size() > IsoEntry::kDateTimeLength) __builtin_trap();
            if (e.IsFolder != 0 && e.IsFolder != 1) __builtin_trap();
            if (e.Size < 0 || e.PackedSize < 0) __builtin_trap();
        }
    }
    return 0;
}
