#pragma once

#include <string>

namespace orvalis::platform {

// The one path separator of this platform.
inline constexpr char kPathSeparator = '/';

// The folder of the running executable, with a trailing separator.
std::string ProgramFolder();

// The user's application-data root (the folder that holds every program's data), without
// a trailing separator. Empty when it cannot be found.
std::string UserDataRoot();

// The program's own application-data folder: UserDataRoot() + "/Orvalis".
std::string AppDataFolder();

// Joins two path pieces with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// The text after the last separator, and the text up to and including it.
std::string FileNameOf(const std::string& path);
std::string FolderOf(const std::string& path);

}  // namespace orvalis::platform
