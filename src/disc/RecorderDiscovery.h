#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "disc/MediaChoice.h"
#include "disc/RecorderInfo.h"
#include "media/DiscProject.h"

namespace orvalis::disc {

// Appends every usable recorder of the machine, in discovery order: one that opens and
// whose text has no "Virtual" in it. Also stages the transcoder, once per call.
void EnumerateRecorders(std::vector<RecorderInfo>& recorders);

// Sets the project's media family flags from the media types the recorder writes and
// appends the page's media choices: the 4.7 GB one for DVD, then the 8.5 GB one for
// dual-layer DVD. 0, or kCannotSetUp when the recorder or its data writer cannot be set up
// (the flags stay cleared then).
int32_t InspectMedia(const std::string& uniqueId, media::DiscProject& project,
                     std::vector<MediaChoice>& choices);

// The display name of a media type; sets the type's family flag in the project.
std::string MediaTypeName(int32_t mediaType, media::DiscProject& project);

}  // namespace orvalis::disc
