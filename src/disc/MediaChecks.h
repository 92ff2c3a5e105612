#pragma once

#include <cstdint>
#include <string>

#include "media/DiscProject.h"

namespace orvalis::disc {

// What GetMediaState answers.
inline constexpr int32_t kMediaBlank = 0;
inline constexpr int32_t kMediaHoldsData = 1;
inline constexpr int32_t kMediaNoAnswer = 2;  // no disc, no recorder, or a failed call

// The room a project needs beyond its files.
inline constexpr uint64_t kRoomMargin = 5242880;  // 5 MiB

int32_t GetMediaState(const std::string& uniqueId);

// Erases the medium quickly and returns when the erase has ended. The page does not look
// at the result; the command line reports it.
int32_t QuickErase(const std::string& uniqueId);

// The medium's size in bytes: its sectors times the image block size; 0 when it cannot be
// told (no disc, no recorder).
uint64_t GetMediaCapacity(const std::string& uniqueId);

// Whether the transcoded files of the project, and 5 MiB more, fit on the medium.
bool HasRoomForProject(const media::DiscProject& project, const std::string& uniqueId);

}  // namespace orvalis::disc
