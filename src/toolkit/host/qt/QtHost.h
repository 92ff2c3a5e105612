#pragma once
// The Qt 6 host: frameless native windows with round corners and caption dragging,
// QPainter drawing, mouse, keyboard, wheel and input-method input, the file dialogs, file
// icons, screens and their work areas, and high-DPI scaling. Under the offscreen platform a
// window's picture can be written to a PNG file.

#include <atomic>
#include <memory>

#include "toolkit/Host.h"

namespace DuiLib {

class QtWakeTarget;

class CQtHost : public IHost {
public:
    // Uses the running QApplication or makes one.
    CQtHost();
    ~CQtHost() override;

    std::unique_ptr<IHostWindow> CreateHostWindow(const HostWindowParams& params) override;
    void Wait(int timeoutMs) override;
    void Wake() override;
    uint64_t NowMs() override;
    std::vector<RECT> MonitorWorkAreas() override;
    double DpiScale() override;
    std::shared_ptr<IHostImage> DecodeImage(std::string_view bytes) override;
    std::shared_ptr<IHostImage> SmallFileIcon(const std::string& pathOrName, bool isFolder) override;
    SIZE MeasureText(std::string_view text, const TFontInfo& font) override;
    FileDialogResult ShowFileDialog(const FileDialogRequest& request) override;
    int ShowSystemMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) override;
    std::string GetClipboardText() override;
    void SetClipboardText(const std::string& text) override;

private:
    std::unique_ptr<QtWakeTarget> m_wake;
    bool m_ownsApplication = false;
};

}  // namespace DuiLib
