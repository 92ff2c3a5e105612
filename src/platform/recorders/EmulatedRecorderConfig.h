#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/recorders/MediaTypes.h"

namespace orvalis::recorders {

// The environment variable that lists emulated recorders.
inline constexpr const char* kEmulatedRecordersVariable = "ORVALIS_RECORDERS";

// One emulated recorder: "backing|product|types|loaded|sectors", e.g.
// "/srv/disc1.img|File Recorder|6,8|6|2295104".
struct EmulatedRecorderConfig {
    std::string backingPath;
    std::string productId;
    std::vector<PhysicalMediaType> writes;  // the media types the recorder writes
    PhysicalMediaType loaded = kMediaUnknown;  // 0: no disc
    uint64_t sectors = 0;                      // size of the loaded medium, 2048-byte sectors
};

struct EmulatedRecorderList {
    std::vector<EmulatedRecorderConfig> recorders;
    std::vector<std::string> errors;  // one line per entry that was left out, saying why
};

// Parses the list: entries separated by ";", fields by "|". Empty entries are ignored; a
// malformed one is left out with a message.
EmulatedRecorderList ParseEmulatedRecorders(const std::string& text);

// The list of ORVALIS_RECORDERS; nothing when the variable is unset or empty.
EmulatedRecorderList EmulatedRecordersFromEnvironment();
bool EmulatedRecordersConfigured();

}  // namespace orvalis::recorders
