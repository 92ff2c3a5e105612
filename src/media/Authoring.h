#pragma once

#include <string>

#include "media/DiscProject.h"
#include "platform/ProgressSink.h"
#include "platform/Result.h"

namespace orvalis::media {

// Writes the authoring control file from the template "tmp.xml" of the tool folder (the
// output folder in the "dest" attribute of its "dvdauthor" element, one "vob" per
// transcoded file appended to its first "pgc") as "DLL/author.xml", and runs the authoring
// tool on it. An empty output folder authors into the project's work folder. On success
// AuthoredFolders holds output + "/AUDIO_TS" and output + "/VIDEO_TS".
// Returns 0, 10 (the tool reported an error), 87 (it cannot be started) or kJobCancelled.
ResultCode AuthorDvdFolder(DiscProject& project, ProgressSink& sink, const std::string& outputFolder);

// Runs the authoring tool on a control file, reporting its position against the project's
// TotalDuration (set to 1 when it is 0). Same results.
ResultCode RunAuthoringTool(DiscProject& project, ProgressSink& sink, const std::string& controlFile);

std::string AuthoringCommandLine(const std::string& tool, const std::string& controlFile);
std::string AuthoringTemplatePath();
std::string AuthoringControlPath();

}  // namespace orvalis::media
