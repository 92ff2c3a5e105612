#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis::media {

inline constexpr const char* kWorkFolderName = "Tessaly_tmp_backup";
// More free bytes than this on the application-data volume keep the work folder there.
inline constexpr uint64_t kAppDataFreeThreshold = 5ull << 32;  // 21,474,836,480

// The scratch folder of the media jobs: kWorkFolderName in the application-data folder when
// its volume has room, else at the root of the writable file system with the most free
// space. Chosen once (for each application-data folder), created with its parents; empty
// when no file system qualifies.
std::string WorkFolder();

// The choice itself. freeBytes answers the free bytes of the file system that holds a
// path, or nothing when it cannot be asked; roots are the candidate mount points in order.
using FreeBytesQuery = std::function<std::optional<uint64_t>(const std::string& path)>;
std::string ChooseWorkFolder(const std::string& appDataFolder, const std::string& appDataVolumePath,
                             const std::vector<std::string>& roots, const FreeBytesQuery& freeBytes);

// The mount points of real, writable file systems in a mount table in the layout of
// /proc/self/mountinfo, in table order: block devices and network file systems, not
// read-only, each mount point once.
std::vector<std::string> WritableMountRoots(std::string_view mountInfo);

// The free bytes of a file system (all of them, not the caller's quota).
std::optional<uint64_t> FreeBytesOf(const std::string& path);

}  // namespace orvalis::media
