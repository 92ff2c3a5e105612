// The INI reader takes language files and config.ini from outside the program.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using orvalis::platform::ProfileDocument;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProfileDocument doc = ProfileDocument::Parse(bytes);
    // Everything the readers do with a file: names, every section's lines, key lookups.
    for (const std::string& name : doc.SectionNames()) {
        for (const std::string& line : doc.SectionLines(name)) {
            size_t eq = line.find('=');
            std::string key = eq == std::string::npos ? line : line.substr(0, eq);
            (void)doc.GetString(name, key);
            (void)orvalis::platform::TruncateCodePoints(line, 1023);
        }
    }
    // Editing never loses a byte outside the edited line: a round trip is exact.
    if (doc.Serialize() != bytes) __builtin_trap();
    doc.SetString("DefaultLanguage", "Default", "English");
    ProfileDocument again = ProfileDocument::Parse(doc.Serialize());
    auto value = again.GetString("DefaultLanguage", "Default");
    if (!value || *value != "English") __builtin_trap();
    return 0;
}
