// Row texts carry names from disks and archives: the markup parser must take any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/TextMarkup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    size_t letters = 0;
    for (const DuiLib::MarkupRun& run : DuiLib::ParseMarkup(text)) {
        if (run.kind == DuiLib::MarkupRun::Kind::Text) letters += run.text.size();
        if (run.kind == DuiLib::MarkupRun::Kind::Image && (run.imageIndex < 0 || run.imageIndex >= run.imageCount))
            __builtin_trap();
    }
    // Tags only ever take characters away.
    if (letters > size) __builtin_trap();
    // Text without braces is itself.
    if (text.find('{') == std::string_view::npos && DuiLib::MarkupPlainText(text) != text) __builtin_trap();
    return 0;
}
