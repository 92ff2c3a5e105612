#include "shell/CMessageBox.h"

#include <atomic>

#include "shell/ShellLanguage.h"

namespace orvalis::shell {

using namespace DuiLib;

namespace {

std::atomic<HWND> g_uiWindow{nullptr};

int RunBoxHere(int kind, HWND owner, const std::string& text, int width, int height) {
    const localization::LanguageSection& messages = Catalogue().GetLanguageSection("Messages");
    auto caption = messages.find(CMessageBox::CaptionKeyOfKind(kind));
    CMessageBox box(CMessageBox::LayoutOfKind(kind), owner);
    if (!box.Create(owner, "", kPopUpStyle, kPopUpExStyle, 0, 0, width, height)) return kBoxOther;
    // The layout names a size of its own; the caller's wins.
    box.SetWindowRect({0, 0, width, height});
    if (CControlUI* title = box.FindControl("title")) title->SetText(caption == messages.end() ? "" : caption->second);
    if (CControlUI* message = box.FindControl("message")) message->SetText(text);
    box.CenterWindow();
    return static_cast<int>(box.ShowModal());
}

}  // namespace

void SetUiThreadWindow(HWND hwnd) { g_uiWindow.store(hwnd); }

void ForgetUiThreadWindow(HWND hwnd) {
    HWND expected = hwnd;
    g_uiWindow.compare_exchange_strong(expected, nullptr);
}

int ShowMessageBox(int kind, HWND owner, const std::string& text, int width, int height) {
    HWND anchor = owner ? owner : g_uiWindow.load();
    if (anchor && IsWindow(anchor) && !IsWindowOnCurrentThread(anchor)) {
        int result = kBoxOther;
        // Another thread: the box belongs to the UI thread, and this thread waits for it.
        InvokeTask(anchor, [&] { result = RunBoxHere(kind, IsWindow(owner) ? owner : nullptr, text, width, height); });
        return result;
    }
    return RunBoxHere(kind, owner, text, width, height);
}

CMessageBox::CMessageBox(std::string layoutFile, HWND owner) : m_layoutFile(std::move(layoutFile)), m_owner(owner) {}

std::string CMessageBox::LayoutOfKind(int kind) {
    switch (kind) {
    case kBoxConfirm:
        return "xml/MessageBox_Confirm.xml";
    case kBoxInformation:
        return "xml/MessageBox_Information.xml";
    case kBoxWarning:
        return "xml/MessageBox_Warning.xml";
    case kBoxQuestion:
        return "xml/MessageBox_Question.xml";
    default:
        return "xml/MessageBox_Error.xml";
    }
}

std::string CMessageBox::CaptionKeyOfKind(int kind) {
    // Question and Warning take their captions in this order.
    switch (kind) {
    case kBoxConfirm:
        return "MSG0502";
    case kBoxInformation:
        return "MSG0503";
    case kBoxWarning:
        return "MSG0505";
    case kBoxQuestion:
        return "MSG0504";
    default:
        return "MSG0501";
    }
}

void CMessageBox::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_CLICK && msg.pSender) {
        const std::string& name = msg.pSender->GetName();
        if (name == "okbtn") {
            Close(kBoxOk);
            return;
        }
        if (name == "cancelbtn" || name == "closebtn") {
            Close(kBoxCancel);
            return;
        }
    }
    WindowImplBase::Notify(msg);
}

LRESULT CMessageBox::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    // Enter does nothing, not even to a focused button; Escape answers OK.
    if (uMsg == WM_KEYDOWN && wParam == static_cast<WPARAM>(VK_RETURN)) {
        bHandled = true;
        return 1;
    }
    return WindowImplBase::MessageHandler(uMsg, wParam, lParam, bHandled);
}

void CMessageBox::OnFinalMessage(HWND hwnd) { WindowImplBase::OnFinalMessage(hwnd); }

}  // namespace orvalis::shell
