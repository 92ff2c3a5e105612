#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace orvalis::platform {

// One line of a mountinfo file.
struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;        // the folder of the file system mounted here ("/" for all of it)
    std::string mountPoint;  // escapes (\040 for a space, ...) already decoded
    std::string fsType;      // "ext4", "vfat", "fuseblk", ...
    std::string source;      // "/dev/sda1", or a name such as "tmpfs"
};

// The mounts of this process's mount namespace, in the order the kernel lists them.
class MountTable {
public:
    // Reads a mountinfo file; an unreadable file gives an empty table.
    static MountTable Read(const std::string& mountInfoPath);
    // Parses mountinfo text; lines that do not parse are skipped.
    static MountTable Parse(const std::string& text);

    const std::vector<MountEntry>& entries() const { return entries_; }

    // The mount of a block device: the first whose device number matches or whose source is
    // that device (btrfs shows an anonymous device number, so the source counts too), with a
    // mount of the whole file system ("/") preferred over a bind mount of a folder of it.
    // devicePath is compared after resolving links; a source under /dev/ is looked up below
    // devRoot so that a fake tree resolves to its own files.
    const MountEntry* FindDevice(unsigned major, unsigned minor, const std::string& devicePath,
                                 const std::string& devRoot) const;

    // The mount that holds an existing path: the deepest mount point above it (the last one
    // listed when several are mounted on the same point).
    const MountEntry* FindPath(const std::string& path) const;

private:
    std::vector<MountEntry> entries_;
};

// "\040" and friends of mountinfo back to their bytes.
std::string DecodeMountField(const std::string& field);

// The nearest existing folder or file at or above path (the path itself when it exists);
// empty when nothing along it exists.
std::string NearestExistingPath(const std::string& path);

// realpath(3) as a string; the input itself when it cannot be resolved.
std::string ResolvedPath(const std::string& path);

// The path a mount source names inside a tree whose /dev is devRoot.
std::string SourceBelowDevRoot(const std::string& source, const std::string& devRoot);

}  // namespace orvalis::platform
