#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace orvalis::media {

// The searches that the media jobs make in one chunk of a tool's output. A chunk is read as
// a NUL-terminated text: nothing after a NUL byte counts, and each marker is found by its
// first occurrence only.

// The chunk up to its first NUL byte.
std::string_view ChunkText(const char* chunk, size_t length);

// The up to `count` bytes that follow the first occurrence of `marker`; nothing when the
// marker is absent.
std::optional<std::string_view> TextAfterMarker(std::string_view chunk, std::string_view marker,
                                                size_t count);

// The bytes after the first `marker` up to the next blank (at most `limit` of them); nothing
// when the marker or the blank is missing. Used for "time=" progress.
std::optional<std::string_view> FieldAfterMarker(std::string_view chunk, std::string_view marker,
                                                 size_t limit);

// The frame size of the first "Video:" stream line in the chunk, as the transcoder prints
// it (" 720x480" after ", " or "1920x1080" after a blank); nothing when the line or the
// size is not in the chunk.
std::optional<std::string_view> FrameSizeOfVideoLine(std::string_view chunk);

}  // namespace orvalis::media
