#pragma once
// The program's message box: one of five kinds, each with its own layout, a caption from
// the language file, a text and a size chosen by the caller, run modally.

#include <string>

#include "shell/SkinnedWindow.h"

namespace orvalis::shell {

// Kinds of box; any other value shows an Error box.
inline constexpr int kBoxError = 0;
inline constexpr int kBoxConfirm = 1;
inline constexpr int kBoxInformation = 2;
inline constexpr int kBoxWarning = 3;
inline constexpr int kBoxQuestion = 4;

// Results: OK (or Escape), Cancel/No/close, anything else.
inline constexpr int kBoxOk = 1;
inline constexpr int kBoxCancel = 2;
inline constexpr int kBoxOther = 0;

// Pop-up style and class style shared by the boxes and the pop-up windows.
inline constexpr DuiLib::DWORD kPopUpStyle = 0x96C80000;  // popup, visible, clip, caption, system menu
inline constexpr DuiLib::DWORD kPopUpExStyle = 0x00000081;  // modal frame, tool window
inline constexpr DuiLib::UINT kPopUpClassStyle = 0x080B;    // save bits, double clicks, redraw

// Shows the box and returns 1 for "okbtn" or Escape, 2 for "cancelbtn" or "closebtn", 0 when
// it was closed another way. The owner may be null. Called from a thread other than the UI
// thread, the box runs on the UI thread (the owner's, or the main window's) while the caller
// waits for the answer.
int ShowMessageBox(int kind, DuiLib::HWND owner, const std::string& text, int width, int height);

// The window whose thread runs boxes asked for by other threads when they name no owner.
void SetUiThreadWindow(DuiLib::HWND hwnd);
// Forgets the window when it is the one set.
void ForgetUiThreadWindow(DuiLib::HWND hwnd);

class CMessageBox : public SkinnedWindow {
public:
    CMessageBox(std::string layoutFile, DuiLib::HWND owner);

    std::string GetWindowClassName() const override { return "UIMessageBox"; }
    DuiLib::UINT GetClassStyle() const override { return kPopUpClassStyle; }
    std::string GetSkinFile() override { return m_layoutFile; }
    void Notify(DuiLib::TNotifyUI& msg) override;
    void OnFinalMessage(DuiLib::HWND hwnd) override;
    DuiLib::LRESULT MessageHandler(DuiLib::UINT uMsg, DuiLib::WPARAM wParam, DuiLib::LPARAM lParam,
                                   bool& bHandled) override;

    // The layout file and caption key of a kind.
    static std::string LayoutOfKind(int kind);
    static std::string CaptionKeyOfKind(int kind);

private:
    std::string m_layoutFile;
    DuiLib::HWND m_owner;
};

}  // namespace orvalis::shell
