// The file and folder pickers: the exact filter of each mode, what reaches the request when
// the user confirms, and that a cancel leaves it as it was.
#include "ShellFixture.h"
#include "shell/FilePickers.h"

namespace shell_test {
namespace {

int CountPatterns(const std::string& patterns) { return static_cast<int>(std::count(patterns.begin(), patterns.end(), ';')) + 1; }

TEST_F(ShellTest, EachFileModeAsksWithItsOneFilter) {
    struct Case {
        FileMode mode;
        bool multiple;
        const char* textStart;
        int patterns;
        const char* extension;
    };
    const Case cases[] = {
        {FileMode::Iso, false, "ISO Files (*.iso)", 1, ".ISO"},
        {FileMode::Video, true, "Video Files (*.rmvb|*.rm|*.mpeg|", 33, ""},
        {FileMode::Audio, true, "Audio Files (*.mp3|*.wav|*.ape|", 22, ""},
    };
    for (const Case& c : cases) {
        host.ClearRecords();
        host.ScriptFileDialog(std::nullopt);
        FileRequest request;
        request.multiple = c.multiple;
        request.initialFolder = "/srv/videos";
        EXPECT_EQ(PickFiles(request, c.mode), kPickCancelled);
        EXPECT_TRUE(request.chosenPaths.empty());
        ASSERT_EQ(host.FileDialogRecords().size(), 1u);
        const FileDialogRequest& asked = host.FileDialogRecords()[0].request;
        EXPECT_EQ(asked.kind, FileDialogKind::OpenFile);
        ASSERT_EQ(asked.filters.size(), 1u);
        EXPECT_TRUE(asked.filters[0].text.starts_with(c.textStart)) << asked.filters[0].text;
        EXPECT_EQ(CountPatterns(asked.filters[0].pattern), c.patterns);
        EXPECT_EQ(asked.multiSelect, c.multiple);
        EXPECT_EQ(asked.defaultExtension, c.extension);
        EXPECT_EQ(asked.initialFolder, "/srv/videos");
    }
    EXPECT_TRUE(FilterOfMode(FileMode::Video).text.ends_with("|*.hdmov|*.mod|*.mxf|*.lrv|*.mpg)"));
    EXPECT_TRUE(FilterOfMode(FileMode::Video).pattern.ends_with(";*.hdmov;*.mod;*.mxf;*.lrv;*.mpg"));
    EXPECT_TRUE(FilterOfMode(FileMode::Audio).text.ends_with("|*.dss|*.m4r|*.nra|*.snd)"));
    EXPECT_TRUE(FilterOfMode(FileMode::Audio).pattern.ends_with(";*.m4r;*.nra;*.snd"));
    EXPECT_EQ(FilterOfMode(FileMode::Iso).pattern, "*.iso");
}

TEST_F(ShellTest, ChosenFilesAreAppendedInTheDialogsOrder) {
    FileRequest request;
    request.multiple = true;
    request.chosenPaths = {"/earlier.mkv"};
    host.ScriptFileDialog(std::vector<std::string>{"/v/b.mp4", "/v/a.mp4", "/v/c.avi"});
    ASSERT_EQ(PickFiles(request, FileMode::Video), kPickConfirmed);
    EXPECT_EQ(request.chosenPaths, (std::vector<std::string>{"/earlier.mkv", "/v/b.mp4", "/v/a.mp4", "/v/c.avi"}));

    // One file from a dialog that allows several is its full path.
    FileRequest one;
    one.multiple = true;
    host.ScriptFileDialog(std::vector<std::string>{"/v/only.mp4"});
    ASSERT_EQ(PickFiles(one, FileMode::Video), kPickConfirmed);
    EXPECT_EQ(one.chosenPaths, (std::vector<std::string>{"/v/only.mp4"}));

    // A dialog that confirms nothing counts as cancelled.
    FileRequest none;
    host.ScriptFileDialog(std::vector<std::string>{});
    EXPECT_EQ(PickFiles(none, FileMode::Iso), kPickCancelled);
    EXPECT_TRUE(none.chosenPaths.empty());
}

TEST_F(ShellTest, SeveralFoldersCanBeChosenAndTheLastStaysInTheFolderField) {
    FolderRequest request;
    request.folder = "/before";
    host.ScriptFileDialog(std::nullopt);
    EXPECT_EQ(PickFolders(request), kPickCancelled);
    EXPECT_EQ(request.folder, "/before");
    EXPECT_TRUE(request.chosenFolders.empty());
    const FileDialogRequest& asked = host.FileDialogRecords().back().request;
    EXPECT_EQ(asked.kind, FileDialogKind::OpenFolders);
    EXPECT_TRUE(asked.multiSelect);
    EXPECT_TRUE(asked.initialFolder.empty());

    host.ScriptFileDialog(std::vector<std::string>{"/", "/media/dvd", "/home/me/VIDEO"});
    ASSERT_EQ(PickFolders(request), kPickConfirmed);
    EXPECT_EQ(request.chosenFolders, (std::vector<std::string>{"/", "/media/dvd", "/home/me/VIDEO"}));
    EXPECT_EQ(request.folder, "/home/me/VIDEO");
}

}  // namespace
}  // namespace shell_test
