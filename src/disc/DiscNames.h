#pragma once

namespace orvalis::disc {

// The name this program gives the recorder service for every recorder it uses.
inline constexpr const char* kClientName = "VUDUriv";
// The volume name of every ISO file the program saves.
inline constexpr const char* kIsoVolumeName = "RevereRez";

}  // namespace orvalis::disc
