#pragma once
// The file picker with its three fixed filters and the folder picker, over the host's
// dialogs. Both fill a request the caller owns and return 1 when the user confirmed, 2 when
// the dialog was cancelled, could not be shown or returned nothing.

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/UIDefs.h"

namespace orvalis::shell {

inline constexpr int kPickConfirmed = 1;
inline constexpr int kPickCancelled = 2;

struct FileRequest {
    DuiLib::HWND owner = nullptr;
    std::string initialFolder;             // empty: the dialog's own choice
    std::vector<std::string> chosenPaths;  // full paths, appended in the dialog's order
    std::string presetName;                // shown at start; empty in every use
    bool multiple = false;
};

struct FolderRequest {
    DuiLib::HWND owner = nullptr;
    std::string folder;                      // out: the last folder chosen
    std::vector<std::string> chosenFolders;  // appended in the dialog's order
};

enum class FileMode { Iso, Video, Audio };

struct FileFilter {
    std::string_view text;
    std::string_view pattern;
    std::string_view defaultExtension;
};
// The one filter of a mode, text for text.
FileFilter FilterOfMode(FileMode mode);

int PickFiles(FileRequest& request, FileMode mode);
int PickFolders(FolderRequest& request);

}  // namespace orvalis::shell
