#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/LocalTime.h"

namespace orvalis::platform {

bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);
bool IsRegularFile(const std::string& path);

// Creates every missing folder along the path, from the root down. True when the whole
// path exists as a folder afterwards.
bool CreateFolderPath(const std::string& path);

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// The entries of a folder, in no particular order, without "." and "..", and without names
// that begin with "." (the hidden files of this platform). Nothing when it cannot be read.
std::optional<std::vector<FolderEntry>> ReadFolder(const std::string& folder);
// The same, empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& folder);

// The size in bytes of a file; nothing when it cannot be read.
std::optional<uint64_t> FileSize(const std::string& path);

// The last-write time of a file or folder as local time.
std::optional<LocalTime> LastWriteTime(const std::string& path);

// Copies a file, replacing the destination. Returns 0 or the OS error.
int CopyFileReplacing(const std::string& from, const std::string& to);

// Deletes a file (not a folder). True when it is gone.
bool DeleteFile(const std::string& path);

// Reads a whole file; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes a whole file through a temporary file beside it and a rename, so that a reader
// never sees half a file. An existing file that we may not write is left alone. Returns 0
// or the OS error.
int WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace orvalis::platform
