#pragma once

#include <cstdint>
#include <string>

#include "disc/BurnNotifyTarget.h"
#include "disc/RecorderHandle.h"
#include "media/DiscProject.h"

namespace orvalis::disc {

enum class EjectAfterBurn { No, Yes };
enum class CloseMedia { No, Yes };

// Exclusive access to the recorder for a client whose name passes the rule (1 to 63
// letters, digits, spaces and , - . : ; _); a name that does not is refused without asking
// the recorder.
bool AcquireRecorder(RecorderHandle& recorder, const std::string& clientName);

// Writes the project's image to the medium in the recorder, sending the write's progress to
// the notify window, whose stop answer cancels the write. Closes the medium or leaves it
// appendable; ejects it after a successful write when asked. 0; kCannotSetUp when the
// recorder or its data writer cannot be set up; BuildImage's failure (nothing written); or
// the write's result (kMediaNotBlank, kMediaNotSupported, kRequestCancelled, ...).
int32_t BurnProject(const media::DiscProject& project, int32_t fileSystem, const std::string& volumeLabel,
                    const std::string& uniqueId, EjectAfterBurn eject, CloseMedia closeMedia,
                    BurnNotifyTarget* notifyWindow);

}  // namespace orvalis::disc
