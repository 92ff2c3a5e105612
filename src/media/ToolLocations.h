#pragma once

#include <string>

namespace orvalis::media {

// The folder the shipped tools and data files lie in: the program folder, with a trailing
// separator. The environment variable ORVALIS_PROGRAM_FOLDER names another one (tests and
// the command line run from outside the program folder).
std::string ToolFolder();

// The transcoder as it is run: the staged copy in the application-data folder.
std::string TranscoderPath();
// The authoring tool and the archive tool, run where they lie.
std::string AuthoringToolPath();
std::string ArchiveToolPath();

// Copies the shipped transcoder "tool" of the tool folder to TranscoderPath(), replacing an
// earlier copy and keeping the run bits. Reports nothing: without a copy the uses of the
// transcoder fail later as if it were missing.
void StageTranscoder();

}  // namespace orvalis::media
