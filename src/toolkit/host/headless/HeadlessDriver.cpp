#include "toolkit/host/headless/HeadlessDriver.h"

#include "toolkit/ComboUI.h"
#include "toolkit/ComboWnd.h"
#include "toolkit/ListUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/WindowWnd.h"

namespace DuiLib {

namespace {

void DecodeUtf8(const std::string& s, std::vector<uint32_t>& out) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k < len && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(cp);
        i += len;
    }
}

}  // namespace

CControlUI* CHeadlessDriver::Find(const std::string& name, HWND* window) const {
    std::vector<HWND> windows = EnumWindows();
    CControlUI* hidden = nullptr;
    HWND hiddenWindow = nullptr;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        CPaintManagerUI* pm = CPaintManagerUI::FromWindow(*it);
        if (!pm) continue;
        CControlUI* c = pm->FindControl(name);
        if (!c) continue;
        if (c->IsVisible() && IsWindowVisible(*it)) {
            if (window) *window = *it;
            return c;
        }
        if (!hidden) {
            hidden = c;
            hiddenWindow = *it;
        }
    }
    if (window) *window = hiddenWindow;
    return hidden;
}

HWND CHeadlessDriver::FindWindowOfClass(const std::string& className) const {
    std::vector<HWND> windows = EnumWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        CWindowWnd* w = CWindowWnd::FromHandle(*it);
        if (w && (className.empty() || w->GetWindowClassName() == className)) return *it;
    }
    return nullptr;
}

POINT CHeadlessDriver::CentreOf(CControlUI* control) const {
    const RECT& rc = control->GetPos();
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

bool CHeadlessDriver::Press(CControlUI* control, HWND window, UINT down, UINT up, WPARAM keys, bool twice) {
    if (!control || !window) return false;
    CWindowWnd* w = CWindowWnd::FromHandle(window);
    CPaintManagerUI* pm = CPaintManagerUI::FromWindow(window);
    if (!w || !pm || !w->IsEnabled()) return false;
    if (!pm->IsInitialised()) SendMessage(window, WM_DUI_FIRSTLAYOUT);
    pm->EnsureLayout();
    if (!control->IsVisible() || control->GetPos().IsEmpty()) return false;
    POINT pt = CentreOf(control);
    LPARAM at = MakeLParam(pt.x, pt.y);
    w->OnHostMessage(WM_SETFOCUS, 0, 0);
    w->OnHostMessage(WM_MOUSEMOVE, keys, at);
    w->OnHostMessage(down, keys | (down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON), at);
    w->OnHostMessage(up, keys, at);
    if (twice) {
        w->OnHostMessage(down == WM_LBUTTONDOWN ? WM_LBUTTONDBLCLK : down, keys | MK_LBUTTON, at);
        w->OnHostMessage(up, keys, at);
    }
    PumpUntilIdle();
    return true;
}

bool CHeadlessDriver::ClickAt(HWND window, POINT pt, WPARAM keys) {
    CWindowWnd* w = CWindowWnd::FromHandle(window);
    if (!w || !w->IsEnabled()) return false;
    LPARAM at = MakeLParam(pt.x, pt.y);
    w->OnHostMessage(WM_SETFOCUS, 0, 0);
    w->OnHostMessage(WM_MOUSEMOVE, keys, at);
    w->OnHostMessage(WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
    w->OnHostMessage(WM_LBUTTONUP, keys, at);
    PumpUntilIdle();
    return true;
}

bool CHeadlessDriver::Click(const std::string& name, WPARAM keys) {
    HWND window = nullptr;
    CControlUI* c = Find(name, &window);
    return Press(c, window, WM_LBUTTONDOWN, WM_LBUTTONUP, keys);
}

bool CHeadlessDriver::DoubleClick(const std::string& name) {
    HWND window = nullptr;
    CControlUI* c = Find(name, &window);
    return Press(c, window, WM_LBUTTONDOWN, WM_LBUTTONUP, 0, true);
}

bool CHeadlessDriver::RightClick(const std::string& name) {
    HWND window = nullptr;
    CControlUI* c = Find(name, &window);
    return Press(c, window, WM_RBUTTONDOWN, WM_RBUTTONUP, 0);
}

bool CHeadlessDriver::Hover(const std::string& name) {
    HWND window = nullptr;
    CControlUI* c = Find(name, &window);
    CWindowWnd* w = CWindowWnd::FromHandle(window);
    if (!c || !w || !c->IsVisible()) return false;
    POINT pt = CentreOf(c);
    w->OnHostMessage(WM_MOUSEMOVE, 0, MakeLParam(pt.x, pt.y));
    PumpUntilIdle();
    return true;
}

bool CHeadlessDriver::Wheel(const std::string& name, int delta) {
    HWND window = nullptr;
    CControlUI* c = Find(name, &window);
    CWindowWnd* w = CWindowWnd::FromHandle(window);
    if (!c || !w || !w->IsEnabled() || !c->IsVisible()) return false;
    POINT pt = CentreOf(c);
    w->OnHostMessage(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(static_cast<int16_t>(delta))),
                     MakeLParam(pt.x, pt.y));
    PumpUntilIdle();
    return true;
}

bool CHeadlessDriver::Type(const std::string& name, const std::string& text) {
    if (!Click(name)) return false;
    HWND window = nullptr;
    Find(name, &window);
    CWindowWnd* w = CWindowWnd::FromHandle(window);
    std::vector<uint32_t> cps;
    DecodeUtf8(text, cps);
    for (uint32_t cp : cps) w->OnHostMessage(WM_CHAR, cp, 0);
    PumpUntilIdle();
    return true;
}

bool CHeadlessDriver::Key(int vk, LPARAM modifiers, HWND window) {
    if (!window) window = GetFocus();
    CWindowWnd* w = CWindowWnd::FromHandle(window);
    if (!w || !w->IsEnabled()) return false;
    bool alt = (modifiers & KEYMOD_ALT) != 0;
    w->OnHostMessage(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk), modifiers);
    w->OnHostMessage(alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk), modifiers);
    PumpUntilIdle();
    return true;
}

bool CHeadlessDriver::Select(const std::string& name, int index, WPARAM keys) {
    HWND window = nullptr;
    CControlUI* c = Find(name, &window);
    if (!c) return false;
    if (auto* combo = dynamic_cast<CComboUI*>(c)) {
        if (!combo->IsDropped() && !Click(name)) return false;
        CComboWnd* drop = combo->GetDropWindow();
        CControlUI* item = combo->GetItemAt(index);
        if (!drop || !item) return false;
        return Press(item, drop->GetHWND(), WM_LBUTTONDOWN, WM_LBUTTONUP, 0);
    }
    if (auto* list = dynamic_cast<CListUI*>(c)) {
        CControlUI* row = list->GetItemAt(index);
        if (!row) return false;
        list->EnsureVisible(index);
        return Press(row, window, WM_LBUTTONDOWN, WM_LBUTTONUP, keys);
    }
    if (auto* tab = dynamic_cast<CTabLayoutUI*>(c)) {
        bool ok = tab->SelectItem(index);
        PumpUntilIdle();
        return ok;
    }
    return Click(name, keys);
}

bool CHeadlessDriver::PumpUntilIdle() {
    if (!m_pumping) return true;
    for (int rounds = 0; rounds < 100000; ++rounds) {
        MSG msg;
        bool any = false;
        while (PeekMessage(&msg, nullptr, PM_REMOVE)) {
            any = true;
            if (msg.message == WM_QUIT) {
                m_quit = true;
                m_quitCode = static_cast<int>(msg.wParam);
                PostQuitMessage(m_quitCode);
                return false;
            }
            if (!CPaintManagerUI::TranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
        if (m_host.PaintDirtyWindows() == 0 && !any) return true;
    }
    return true;
}

bool CHeadlessDriver::AdvanceTime(uint64_t ms) {
    m_host.AdvanceTime(ms);
    return PumpUntilIdle();
}

}  // namespace DuiLib
