#pragma once

#include <string>
#include <vector>

#include "media/ArchiveToolState.h"
#include "platform/ProgressSink.h"
#include "platform/Result.h"

namespace orvalis::media {

// A title-set longer than this counts only this much toward the conversion's total.
inline constexpr int64_t kTitleDurationCap = 7200;  // seconds

// Appends the title files of a VIDEO_TS folder (names holding ".VOB" or ".vob" and "VTS_"
// or "vts_"), sorted ascending. 1, or 0 when the folder cannot be listed.
int FindTitleVobs(const std::string& folder, std::vector<std::string>& paths);

// The duration text of a video ("00:01:23"), or empty.
std::string ProbeDuration(const std::string& videoPath);

// Joins every title file of dvdFolder/VIDEO_TS and encodes them as H.264 and AAC into
// outputFolder/<local time>.<extension>; the extension picks the container. Returns 0, 1
// (the transcoder reported invalid data, or left no output), 87 (no title file, or the transcoder cannot be
// started) or kJobCancelled (the output file is deleted). outputPath, when given, receives
// the output file's path.
ResultCode ConvertDvdFolderToVideo(const std::string& extension, ProgressSink& sink,
                                   const std::string& dvdFolder, const std::string& outputFolder,
                                   std::string* outputPath = nullptr);

// Extracts the image into the work folder and converts it as above. 0, or -1 on any
// failure or cancel.
int ConvertIsoToVideo(const std::string& imagePath, const std::string& outputFolder,
                      ArchiveToolState& state, const std::string& extension, ProgressSink& sink,
                      std::string* outputPath = nullptr);

std::string ConvertCommandLine(const std::string& transcoder, const std::vector<std::string>& vobs,
                               const std::string& outputPath);

}  // namespace orvalis::media
