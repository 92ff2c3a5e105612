#include "media/ToolOutput.h"

#include <cstring>

namespace orvalis::media {

std::string_view ChunkText(const char* chunk, size_t length) {
    return std::string_view(chunk, strnlen(chunk, length));
}

std::optional<std::string_view> TextAfterMarker(std::string_view chunk, std::string_view marker,
                                                size_t count) {
    size_t at = chunk.find(marker);
    if (at == std::string_view::npos) return std::nullopt;
    return chunk.substr(at + marker.size(), count);
}

std::optional<std::string_view> FieldAfterMarker(std::string_view chunk, std::string_view marker,
                                                 size_t limit) {
    size_t at = chunk.find(marker);
    if (at == std::string_view::npos) return std::nullopt;
    size_t blank = chunk.find(' ', at);
    if (blank == std::string_view::npos) return std::nullopt;
    size_t start = at + marker.size();
    size_t length = blank > start ? blank - start : 0;
    return chunk.substr(start, length < limit ? length : limit);
}

std::optional<std::string_view> FrameSizeOfVideoLine(std::string_view chunk) {
    size_t video = chunk.find("Video:");
    if (video == std::string_view::npos) return std::nullopt;
    // The codec tag "(avc1 / 0x31637661)" holds an "x" of its own: skip it.
    size_t tag = chunk.find("/ 0x", video);
    size_t from = tag != std::string_view::npos ? tag + 4 : video;
    size_t x = chunk.find('x', from);
    if (x == std::string_view::npos) return std::nullopt;
    // "Video:" lies before x, so five bytes before it are inside the chunk.
    size_t start = chunk[x - 5] == ',' ? x - 4 : x - 5;
    size_t end = chunk.find(" [", start);
    if (end == std::string_view::npos) end = chunk.find(", ", start);
    if (end == std::string_view::npos) return std::nullopt;
    if (end - start >= 32) return std::nullopt;
    return chunk.substr(start, end - start);
}

}  // namespace orvalis::media
