#include "shell/FilePickers.h"

#include "toolkit/Host.h"

namespace orvalis::shell {

using namespace DuiLib;

namespace {

constexpr FileFilter kIsoFilter{"ISO Files (*.iso)", "*.iso", ".ISO"};
constexpr FileFilter kVideoFilter{
    "Video Files (*.rmvb|*.rm|*.mpeg|*.mov|*.avi|*.wmv|*.asf|*.mp4|*.flv|*.fla|*.swf|*.m4v|*.3gp|*.dv|*.3g2|*.m4b|"
    "*.mkv|*.mts|*.divx|*.ogm|*.moi|*.vob|*.ajp|*.f4v|*.mqv|*.svi|*.vid|*.tod|*.hdmov|*.mod|*.mxf|*.lrv|*.mpg)",
    "*.rmvb;*.rm;*.mpeg;*.mov;*.avi;*.wmv;*.asf;*.mp4;*.flv;*.fla;*.swf;*.m4v;*.3gp;*.dv;*.3g2;*.m4b;*.mkv;*.mts;"
    "*.divx;*.ogm;*.moi;*.vob;*.ajp;*.f4v;*.mqv;*.svi;*.vid;*.tod;*.hdmov;*.mod;*.mxf;*.lrv;*.mpg",
    ""};
constexpr FileFilter kAudioFilter{
    "Audio Files (*.mp3|*.wav|*.ape|*.aiff|*.rps|*.mid|*.midi|*.m4a|*.m4p|*.au|*.ogg|*.wma|*.rm|*.ra|*.acd|*.amr|"
    "*.at3|*.caf|*.dss|*.m4r|*.nra|*.snd)",
    "*.mp3;*.wav;*.ape;*.aiff;*.rps;*.mid;*.midi;*.m4a;*.m4p;*.au;*.ogg;*.wma;*.rm;*.ra;*.acd;*.amr;*.at3;*.caf;"
    "*.dss;*.m4r;*.nra;*.snd",
    ""};

// The dialog's answer, or nothing when it was cancelled, failed or chose nothing usable.
std::vector<std::string> Ask(const FileDialogRequest& request) {
    IHost* host = GetHost();
    if (!host) return {};
    FileDialogResult result = host->ShowFileDialog(request);
    if (!result) return {};
    std::vector<std::string> paths;
    for (const std::string& path : *result) {
        if (!path.empty()) paths.push_back(path);
    }
    return paths;
}

}  // namespace

FileFilter FilterOfMode(FileMode mode) {
    switch (mode) {
    case FileMode::Iso:
        return kIsoFilter;
    case FileMode::Video:
        return kVideoFilter;
    case FileMode::Audio:
        return kAudioFilter;
    }
    return kVideoFilter;
}

int PickFiles(FileRequest& request, FileMode mode) {
    FileFilter filter = FilterOfMode(mode);
    FileDialogRequest dialog;
    dialog.kind = FileDialogKind::OpenFile;
    dialog.owner = request.owner;
    dialog.filters = {{std::string(filter.text), std::string(filter.pattern)}};
    dialog.initialFolder = request.initialFolder;
    dialog.fileName = request.presetName;
    dialog.defaultExtension = std::string(filter.defaultExtension);
    dialog.multiSelect = request.multiple;
    std::vector<std::string> paths = Ask(dialog);
    if (paths.empty()) return kPickCancelled;
    if (!request.multiple) paths.resize(1);
    request.chosenPaths.insert(request.chosenPaths.end(), paths.begin(), paths.end());
    return kPickConfirmed;
}

int PickFolders(FolderRequest& request) {
    FileDialogRequest dialog;
    dialog.kind = FileDialogKind::OpenFolders;
    dialog.owner = request.owner;
    dialog.multiSelect = true;
    std::vector<std::string> folders = Ask(dialog);
    if (folders.empty()) return kPickCancelled;
    for (const std::string& folder : folders) {
        request.chosenFolders.push_back(folder);
        request.folder = folder;
    }
    return kPickConfirmed;
}

}  // namespace orvalis::shell
