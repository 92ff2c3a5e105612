// Chunks of the tools' output are outside input: every search the jobs make on them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "media/ClockTime.h"
#include "media/ToolOutput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvalis::media;
    // The runner hands over at most 4096 bytes followed by a NUL.
    std::string chunk(reinterpret_cast<const char*>(data), size < 4096 ? size : 4096);
    chunk.push_back('\0');
    std::string_view text = ChunkText(chunk.data(), chunk.size() - 1);
    if (text.size() > chunk.size() - 1) __builtin_trap();
    if (auto d = TextAfterMarker(text, "Duration: ", 8)) {
        if (d->size() > 8) __builtin_trap();
        (void)ParseClockTime(*d);
    }
    if (auto t = FieldAfterMarker(text, "time=", 31)) {
        if (t->size() > 31) __builtin_trap();
        (void)ParseClockTime(*t);
    }
    if (auto s = TextAfterMarker(text, "S, ", 8)) (void)ParseClockTime(*s);
    if (auto frame = FrameSizeOfVideoLine(text)) {
        if (frame->size() >= 32) __builtin_trap();
        if (frame->data() < text.data() || frame->data() + frame->size() > text.data() + text.size()) {
            __builtin_trap();
        }
    }
    (void)ParseClockTime(text);
    return 0;
}
