#pragma once
// The narrow interface between the toolkit and the system that hosts it: native windows,
// waiting for and waking the UI thread, painting, the common dialogs, icons and monitors.
// The toolkit owns every behaviour; a host only carries it out.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/UIDefs.h"

namespace DuiLib {

struct TFontInfo {
    std::string name;
    int size = 12;  // pixel height
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const TFontInfo&) const = default;
};

// A decoded picture held by the host.
class IHostImage {
public:
    virtual ~IHostImage() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

// Where the toolkit paints. Coordinates are window client pixels (logical, before DPI).
class IRenderContext {
public:
    virtual ~IRenderContext() = default;
    virtual void PushClip(const RECT& rc) = 0;
    virtual void PopClip() = 0;
    virtual void FillRect(const RECT& rc, ARGB color) = 0;
    virtual void FillRoundRect(const RECT& rc, int radius, ARGB color) = 0;
    virtual void DrawRect(const RECT& rc, int width, ARGB color) = 0;
    virtual void DrawLine(POINT from, POINT to, int width, ARGB color) = 0;
    // Draws `source` of the image into `dest`; a non-empty `corner` keeps those margins
    // unscaled (nine-patch). `alpha` is 0..255.
    virtual void DrawImage(const IHostImage& image, const RECT& dest, const RECT& source,
                           const RECT& corner, uint8_t alpha) = 0;
    // Draws text with a DT_* style (alignment, single line, vertical centring, word break,
    // end ellipsis).
    virtual void DrawText(const RECT& rc, std::string_view text, const TFontInfo& font, ARGB color,
                          UINT style) = 0;
};

// Events a host window reports back. Input is turned into window messages and posted to
// the window's queue by the toolkit; painting is synchronous.
class IHostWindowEvents {
public:
    virtual ~IHostWindowEvents() = default;
    virtual void OnHostPaint(IRenderContext& ctx, const RECT& dirty) = 0;
    // Native input and state changes, already in message form (WM_LBUTTONDOWN, WM_SIZE...).
    virtual void OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Asks the toolkit where a point is (HTCLIENT, HTCAPTION) for caption dragging.
    virtual LRESULT OnHostHitTest(POINT client) = 0;
};

struct HostWindowParams {
    HWND hwnd = nullptr;
    std::string title;
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds;           // screen coordinates
    class IHostWindow* owner = nullptr;
    IHostWindowEvents* events = nullptr;
};

class IHostWindow {
public:
    virtual ~IHostWindow() = default;
    virtual void SetBounds(const RECT& screen) = 0;
    virtual RECT GetBounds() const = 0;
    virtual void Show(int showCommand) = 0;  // SW_*
    virtual bool IsMinimized() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetFocus() = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void SetRoundCorners(SIZE radius) = 0;
    virtual void Invalidate(const RECT& client) = 0;
    virtual void SetCapture(bool capture) = 0;
    // Starts moving the window with the mouse (a press on the caption).
    virtual void BeginMove() = 0;
    // Where text input happens, so that input methods place their window beside the caret.
    virtual void SetTextInputRect(const RECT& client, bool active) = 0;
    // Writes the window's current picture to a PNG file; false when the host cannot.
    virtual bool RenderToPng(const std::string& path) = 0;
};

struct FileDialogFilter {
    std::string text;     // "ISO Files (*.iso)"
    std::string pattern;  // "*.iso;*.img"
};

enum class FileDialogKind { OpenFile, OpenFolders, SaveFile };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::OpenFile;
    HWND owner = nullptr;
    std::vector<FileDialogFilter> filters;
    std::string initialFolder;
    std::string fileName;          // preset name (save)
    std::string defaultExtension;  // ".img": added to a name typed without extension
    bool multiSelect = false;
    bool confirmOverwrite = false;
};

// What the user chose; nothing when the dialog was cancelled or could not be shown.
using FileDialogResult = std::optional<std::vector<std::string>>;

class IHost {
public:
    virtual ~IHost() = default;

    virtual std::unique_ptr<IHostWindow> CreateHostWindow(const HostWindowParams& params) = 0;

    // Blocks the UI thread until Wake, a native event, or the timeout (ms; -1 for none),
    // handling native events meanwhile. Never spins.
    virtual void Wait(int timeoutMs) = 0;
    // Any thread.
    virtual void Wake() = 0;
    // Milliseconds of a monotonic clock.
    virtual uint64_t NowMs() = 0;

    virtual std::vector<RECT> MonitorWorkAreas() = 0;
    virtual double DpiScale() = 0;

    virtual std::shared_ptr<IHostImage> DecodeImage(std::string_view bytes) = 0;
    // The system's small icon for a path, or for a file name's extension when the path
    // does not exist; null when there is none.
    virtual std::shared_ptr<IHostImage> SmallFileIcon(const std::string& pathOrName, bool isFolder) = 0;
    virtual SIZE MeasureText(std::string_view text, const TFontInfo& font) = 0;

    virtual FileDialogResult ShowFileDialog(const FileDialogRequest& request) = 0;
    // The plain system message box, used when the skin itself cannot be read.
    virtual int ShowSystemMessageBox(HWND owner, const std::string& text, const std::string& caption,
                                     UINT flags) = 0;

    virtual std::string GetClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    // Told when a modal loop starts on a window (the headless host answers scripted boxes).
    virtual void OnModalLoopStarted(HWND) {}
};

// The process's host. Set once, before the first window, by the program or the test.
void SetHost(IHost* host);
IHost* GetHost();

}  // namespace DuiLib
