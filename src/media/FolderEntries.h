#pragma once

#include <string>
#include <vector>

namespace orvalis::media {

// The folder with one separator after it, to put before an entry's name.
std::string FolderPrefix(const std::string& folder);

// Appends the full paths of a folder's immediate entries (files and folders, in the order
// the folder gives them; names that begin with "." left out). Returns 1 when the folder
// could be read, else 0 with the list unchanged.
int ListFolderEntries(const std::string& folder, std::vector<std::string>& entries);

// Deletes the plain files directly inside a folder; folders and what they hold stay, and
// failures are ignored.
void DeleteFilesIn(const std::string& folder);

}  // namespace orvalis::media
