#pragma once

#include <string>
#include <vector>

namespace orvalis::recorders {

// Where the file system of a block device is mounted, from a mountinfo table (the text of
// /proc/self/mountinfo), in table order.
std::vector<std::string> MountPointsOf(unsigned int major, unsigned int minor,
                                       const std::string& mountinfo);

// The device file and then its mount points: the volume paths of a real drive.
std::vector<std::string> VolumePathsOfDevice(const std::string& devicePath);

}  // namespace orvalis::recorders
