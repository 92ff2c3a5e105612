#pragma once
// A complete host without a display, for tests: windows live in memory on one 1920 x 1080
// work area, painting goes to a context that records what was drawn, the clock can be moved
// forward, and the common dialogs, the system box and modal windows are answered from a
// script that also records what was asked.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "toolkit/Host.h"

namespace DuiLib {

class CHeadlessDriver;
class HeadlessWindow;

// One modal window the program ran: what the user was shown.
struct ModalRecord {
    HWND hwnd = nullptr;
    std::string windowClass;
    std::string skinFile;
    SIZE size;
    HWND owner = nullptr;
    std::map<std::string, std::string> texts;  // control name -> text, for every named control
    std::string Text(const std::string& control) const {
        auto it = texts.find(control);
        return it == texts.end() ? std::string() : it->second;
    }
};

struct FileDialogRecord {
    FileDialogRequest request;
};

struct SystemBoxRecord {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

class CHeadlessHost : public IHost {
public:
    CHeadlessHost();
    ~CHeadlessHost() override;

    std::unique_ptr<IHostWindow> CreateHostWindow(const HostWindowParams& params) override;
    void Wait(int timeoutMs) override;
    void Wake() override;
    uint64_t NowMs() override;
    std::vector<RECT> MonitorWorkAreas() override;
    double DpiScale() override { return 1.0; }
    std::shared_ptr<IHostImage> DecodeImage(std::string_view bytes) override;
    std::shared_ptr<IHostImage> SmallFileIcon(const std::string& pathOrName, bool isFolder) override;
    SIZE MeasureText(std::string_view text, const TFontInfo& font) override;
    FileDialogResult ShowFileDialog(const FileDialogRequest& request) override;
    int ShowSystemMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) override;
    std::string GetClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    void OnModalLoopStarted(HWND hwnd) override;

    // Moves the clock forward (timers fall due accordingly).
    void AdvanceTime(uint64_t ms);
    // Paints every window with pending invalidation; returns how many were painted.
    int PaintDirtyWindows();

    // The script. Answers are used in order; a modal window without an answer is closed
    // with 0 and counted as unanswered.
    using ModalAnswer = std::function<void(CHeadlessDriver&, HWND)>;
    void ScriptModal(ModalAnswer answer);
    void ScriptFileDialog(FileDialogResult result);
    const std::vector<ModalRecord>& ModalRecords() const { return m_modals; }
    const std::vector<FileDialogRecord>& FileDialogRecords() const { return m_fileDialogs; }
    const std::vector<SystemBoxRecord>& SystemBoxRecords() const { return m_systemBoxes; }
    int UnansweredCount() const { return m_unanswered; }
    void ClearRecords();

    // Every text drawn since the last call, in drawing order.
    std::vector<std::string> TakeDrawnTexts();
    HeadlessWindow* WindowOf(HWND hwnd) const;

private:
    friend class HeadlessWindow;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_woken = false;
    uint64_t m_offset = 0;
    std::vector<HeadlessWindow*> m_windows;
    std::deque<ModalAnswer> m_modalScript;
    std::deque<FileDialogResult> m_fileScript;
    std::vector<ModalRecord> m_modals;
    std::vector<FileDialogRecord> m_fileDialogs;
    std::vector<SystemBoxRecord> m_systemBoxes;
    int m_unanswered = 0;
    std::string m_clipboard;
    std::vector<std::string> m_drawnTexts;
    CHeadlessDriver* m_driver = nullptr;
};

class HeadlessWindow : public IHostWindow {
public:
    HeadlessWindow(CHeadlessHost& host, const HostWindowParams& params);
    ~HeadlessWindow() override;
    void SetBounds(const RECT& screen) override { m_bounds = screen; }
    RECT GetBounds() const override { return m_bounds; }
    void Show(int showCommand) override;
    bool IsMinimized() const override { return m_minimized; }
    bool IsMaximized() const override { return m_maximized; }
    void SetTitle(const std::string& title) override { m_title = title; }
    void SetEnabled(bool enabled) override { m_enabled = enabled; }
    void SetFocus() override {}
    void SetTopmost(bool topmost) override { m_topmost = topmost; }
    void SetRoundCorners(SIZE radius) override { m_round = radius; }
    void Invalidate(const RECT& client) override;
    void SetCapture(bool) override {}
    void BeginMove() override { ++m_moveCount; }
    void SetTextInputRect(const RECT&, bool) override {}
    bool RenderToPng(const std::string&) override { return false; }

    HWND hwnd() const { return m_params.hwnd; }
    IHostWindowEvents* events() const { return m_params.events; }
    bool visible() const { return m_visible; }
    bool enabled() const { return m_enabled; }
    int moveCount() const { return m_moveCount; }
    SIZE roundCorners() const { return m_round; }
    int paintCount() const { return m_paintCount; }
    bool Paint();

private:
    CHeadlessHost& m_host;
    HostWindowParams m_params;
    RECT m_bounds;
    std::string m_title;
    bool m_visible = false;
    bool m_enabled = true;
    bool m_minimized = false;
    bool m_maximized = false;
    bool m_topmost = false;
    bool m_dirty = false;
    RECT m_dirtyRect;
    SIZE m_round;
    int m_moveCount = 0;
    int m_paintCount = 0;
};

}  // namespace DuiLib
