#pragma once

#include <cstdint>
#include <string>

#include "media/DiscProject.h"
#include "platform/ProgressSink.h"
#include "platform/Result.h"

namespace orvalis::media {

// Turns every video of the project into an NTSC DVD MPEG-2 program stream in the work
// folder, in item order, and lists the outputs in TranscodedFiles. Returns 0 when every
// video went through, kJobCancelled at once on a cancel, otherwise the result of the last
// video (1 or 87); 87 also when there is no work folder.
ResultCode TranscodeForDvd(DiscProject& project, ProgressSink& sink);

// Asks the transcoder for a video's stream information. Returns the duration text (up to 8
// bytes, "00:01:23"), or empty; sets the project's FrameSize from the "Video:" line of the
// last chunk read.
std::string ProbeVideo(DiscProject& project, const std::string& videoPath);

// Transcodes one video into the work folder (the output path is appended to
// TranscodedFiles first). Returns 0, 1 (the transcoder reported invalid data), 87 (it
// cannot be started) or kJobCancelled.
ResultCode TranscodeOneVideo(ProgressSink& sink, DiscProject& project, const std::string& videoPath,
                             uint64_t durationSeconds);

// Deletes the plain files of the folder and of its VIDEO_TS and AUDIO_TS folders.
void ClearWorkFolder(const std::string& folder);

// True for the frame sizes an NTSC DVD holds (" 720x480" and the like, leading blanks
// allowed); only those are passed on to the transcoder.
bool IsDvdFrameSize(const std::string& frameSize);

// The command lines, as the functions above run them.
std::string ProbeCommandLine(const std::string& transcoder, const std::string& videoPath);
std::string TranscodeCommandLine(const std::string& transcoder, const std::string& videoPath,
                                 const std::string& frameSize, const std::string& outputPath);
// The output name made from the local time now: folder + "/YYYYMMDDhhmmssms" + suffix.
std::string TimeStampedPath(const std::string& folder, const std::string& suffix);

}  // namespace orvalis::media
