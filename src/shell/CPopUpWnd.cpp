#include "shell/CPopUpWnd.h"

#include "shell/ShellLanguage.h"

namespace orvalis::shell {

using namespace DuiLib;

CPopUpWnd::CPopUpWnd() = default;
CPopUpWnd::CPopUpWnd(std::string layoutFile) : m_layoutFile(std::move(layoutFile)) {}
CPopUpWnd::~CPopUpWnd() = default;

void CPopUpWnd::OnFinalMessage(HWND hwnd) { WindowImplBase::OnFinalMessage(hwnd); }

void CPopUpWnd::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_WINDOWINIT) {
        OnWindowReady(msg);
        return;
    }
    if (msg.sType == DUI_MSGTYPE_CLICK) {
        OnClick(msg);
        return;
    }
    WindowImplBase::Notify(msg);
}

LRESULT CPopUpWnd::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    if (uMsg == WM_KEYDOWN) {
        if (wParam == static_cast<WPARAM>(VK_RETURN)) {
            bHandled = true;
            return 1;
        }
        if (wParam == static_cast<WPARAM>(VK_ESCAPE)) {
            Close(kBoxCancel);
            bHandled = true;
            return 1;
        }
    }
    bHandled = false;
    return 0;
}

bool CPopUpWnd::CreatePopUp(HWND owner, int width, int height) {
    m_owner = owner;
    if (!Create(owner, "", kPopUpStyle, kPopUpExStyle, 0, 0, width, height)) return false;
    // The layout may name a size of its own; the caller's wins.
    SetWindowRect({0, 0, width, height});
    CenterWindow();
    return true;
}

UINT CPopUpWnd::RunModal() { return ShowModal(); }

void CPopUpWnd::Delete() { delete this; }

void CPopUpWnd::OnWindowReady(TNotifyUI&) {}

void CPopUpWnd::ApplyTexts(const std::string& sectionName) {
    ApplyWindowTexts(m_pm, sectionName, DisabledControls::SetDirectly);
}

void CPopUpWnd::OnClick(TNotifyUI& msg) {
    if (!msg.pSender) return;
    const std::string& name = msg.pSender->GetName();
    if (name == "closebtn" || name == "cancelbtn") Close(kBoxCancel);
    else if (name == "okbtn") Close(kBoxOk);
}

LRESULT CPopUpWnd::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& bHandled) {
    bHandled = true;
    return CaptionHitTest(PointFromLParam(lParam), {"ButtonUI", "OptionUI", "TextUI", "FadeButtonUI"});
}

}  // namespace orvalis::shell
