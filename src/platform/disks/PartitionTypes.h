#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvalis::platform {

// MBR partition type bytes that have a meaning of their own here.
inline constexpr uint8_t kMbrFat16 = 0x06;
inline constexpr uint8_t kMbrNtfsExfat = 0x07;
inline constexpr uint8_t kMbrFat32Lba = 0x0C;
inline constexpr uint8_t kMbrLinuxSwap = 0x82;
inline constexpr uint8_t kMbrLinux = 0x83;

// True for the MBR extended-partition containers (0x05, 0x0F, 0x85): they hold the logical
// partitions and are no volume themselves.
bool IsExtendedMbrType(int type);

// The MBR type byte that stands for a GPT partition type GUID (upper or lower case), 0 for
// types without one (Microsoft reserved, BIOS boot, unknown GUIDs). Microsoft basic data is
// decided by the file system found on it (fileSystem as FileSystemName gives it).
uint8_t MbrTypeForGptType(std::string_view guid, std::string_view fileSystem);

// The MBR type byte that stands for a file system found without a usable partition type
// (a file system on a whole disk, an unknown GPT type): 0 when none is known.
uint8_t MbrTypeForFileSystem(std::string_view fileSystem);

}  // namespace orvalis::platform
