#include "toolkit/WindowWnd.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <vector>

#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

namespace {

std::mutex g_mutex;
std::vector<std::pair<HWND, CWindowWnd*>> g_windows;  // creation order
HWND g_focus = nullptr;

bool IsInputMessage(UINT m) {
    return (m >= WM_MOUSEMOVE && m <= WM_MOUSEWHEEL) || (m >= WM_KEYDOWN && m <= WM_SYSKEYUP) ||
           m == WM_IME_COMPOSITION || m == WM_CONTEXTMENU || m == WM_NCLBUTTONDBLCLK || m == WM_NCLBUTTONDOWN;
}

}  // namespace

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
    // A window object deleted while its native window lives takes the native window along.
    if (m_hWnd) {
        HWND hwnd = m_hWnd;
        m_bDestroying = true;
        {
            std::lock_guard lock(g_mutex);
            std::erase_if(g_windows, [hwnd](const auto& e) { return e.first == hwnd; });
        }
        if (g_focus == hwnd) g_focus = nullptr;
        m_host.reset();
        ReleaseWindowHandle(hwnd);
    }
}

CWindowWnd* CWindowWnd::FromHandle(HWND hwnd) {
    std::lock_guard lock(g_mutex);
    for (auto& [h, w] : g_windows) {
        if (h == hwnd) return w;
    }
    return nullptr;
}

std::vector<HWND> EnumWindows() {
    std::lock_guard lock(g_mutex);
    std::vector<HWND> out;
    for (auto& [h, w] : g_windows) out.push_back(h);
    return out;
}

HWND CWindowWnd::Create(HWND parent, const std::string& name, DWORD style, DWORD exStyle, const RECT& rc) {
    return Create(parent, name, style, exStyle, rc.left, rc.top, rc.Width(), rc.Height());
}

HWND CWindowWnd::Create(HWND parent, const std::string& name, DWORD style, DWORD exStyle, int x, int y, int cx,
                        int cy, void*) {
    IHost* host = GetHost();
    if (!host || m_hWnd) return nullptr;
    m_hWnd = AllocateWindowHandle(this);
    m_hOwner = IsWindow(parent) ? parent : nullptr;
    m_sTitle = name;
    // The layout draws its own caption; the system one is never shown.
    m_dwStyle = style & ~WS_CAPTION;
    m_dwExStyle = exStyle;
    m_rcWindow = {x, y, x + std::max(0, cx), y + std::max(0, cy)};
    {
        std::lock_guard lock(g_mutex);
        g_windows.emplace_back(m_hWnd, this);
    }
    HostWindowParams params;
    params.hwnd = m_hWnd;
    params.title = name;
    params.className = GetWindowClassName();
    params.style = m_dwStyle;
    params.exStyle = exStyle;
    params.bounds = m_rcWindow;
    CWindowWnd* owner = FromHandle(m_hOwner);
    params.owner = owner ? owner->GetHostWindow() : nullptr;
    params.events = this;
    m_host = host->CreateHostWindow(params);
    HWND hwnd = m_hWnd;
    if (!m_host || SendMessage(WM_CREATE, 0, 0) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(true, true);
    return hwnd;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
    if (!m_hWnd) return;
    ::DuiLib::ShowWindow(m_hWnd, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal() {
    HWND hwnd = m_hWnd;
    if (!hwnd) return 0;
    HWND owner = m_hOwner;
    ::DuiLib::ShowWindow(hwnd, SW_SHOWNORMAL);
    if (owner) EnableWindow(owner, false);
    if (IHost* host = GetHost()) host->OnModalLoopStarted(hwnd);
    UINT result = 0;
    bool closeSeen = false;
    MSG msg;
    bool quit = false;
    while (IsWindow(hwnd)) {
        if (!GetMessage(&msg)) {
            quit = true;
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd == hwnd && !closeSeen) {
            closeSeen = true;
            result = static_cast<UINT>(msg.wParam);
            if (owner) {
                EnableWindow(owner, true);
                SetFocus(owner);
            }
        }
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    if (owner) {
        EnableWindow(owner, true);
        SetFocus(owner);
    }
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return result;
}

void CWindowWnd::Close(UINT result) {
    if (m_hWnd) ::DuiLib::PostMessage(m_hWnd, WM_CLOSE, result, 0);
}

void CWindowWnd::CenterWindow() {
    if (!m_hWnd) return;
    RECT rc = m_rcWindow;
    RECT work = GetMonitorWorkArea(rc);
    RECT center = work;
    CWindowWnd* owner = FromHandle(m_hOwner);
    if (owner && owner->IsVisible() && !owner->IsMinimized()) {
        center = owner->GetWindowRect();
        work = GetMonitorWorkArea(center);
    }
    int w = rc.Width(), h = rc.Height();
    int x = (center.left + center.right) / 2 - w / 2;
    int y = (center.top + center.bottom) / 2 - h / 2;
    x = std::max(work.left, std::min(x, work.right - w));
    y = std::max(work.top, std::min(y, work.bottom - h));
    SetWindowRect({x, y, x + w, y + h});
}

LRESULT CWindowWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DuiLib::SendMessage(m_hWnd, message, wParam, lParam);
}

bool CWindowWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DuiLib::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWindowWnd::SetWindowRect(const RECT& rc) {
    bool resized = rc.Width() != m_rcWindow.Width() || rc.Height() != m_rcWindow.Height();
    m_rcWindow = rc;
    if (m_host) m_host->SetBounds(rc);
    if (resized && m_hWnd) PostMessage(WM_SIZE, 0, MakeLParam(rc.Width(), rc.Height()));
}

void CWindowWnd::SetTitle(const std::string& title) {
    m_sTitle = title;
    if (m_host) m_host->SetTitle(title);
}

LRESULT CWindowWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return HandleMessage(message, wParam, lParam); }

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND) {}

void CWindowWnd::OnPaint(IRenderContext&, const RECT&) {}

void CWindowWnd::OnHostPaint(IRenderContext& ctx, const RECT& dirty) { OnPaint(ctx, dirty); }

void CWindowWnd::OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return;
    if (IsInputMessage(message) && !m_bEnabled) return;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT pt = PointFromLParam(lParam);
        if (OnHostHitTest(pt) == HTCAPTION) {
            POINT screen = pt;
            ClientToScreen(m_hWnd, &screen);
            if (message == WM_LBUTTONDOWN) {
                PostMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION), MakeLParam(screen.x, screen.y));
                if (m_host) m_host->BeginMove();
            } else {
                PostMessage(WM_NCLBUTTONDBLCLK, static_cast<WPARAM>(HTCAPTION), MakeLParam(screen.x, screen.y));
            }
            return;
        }
        break;
    }
    case WM_SIZE:
    case WM_MOVE:
        if (m_host) {
            RECT bounds = m_host->GetBounds();
            bool resized = bounds.Width() != m_rcWindow.Width() || bounds.Height() != m_rcWindow.Height();
            m_rcWindow = bounds;
            if (message == WM_SIZE && !resized) return;
        }
        break;
    case WM_CLOSE:
        // The window manager's close button or shortcut is the system close command.
        PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case WM_SETFOCUS:
        if (g_focus != m_hWnd && m_bEnabled) SetFocus(m_hWnd);
        return;
    case WM_KILLFOCUS:
        // The host saw the focus leave for a window that is not ours.
        if (g_focus == m_hWnd) SetFocus(nullptr);
        return;
    case WM_IME_COMPOSITION:
        // Carries a pointer to the host's text: handled before the host's call returns.
        SendMessage(message, wParam, lParam);
        return;
    default:
        break;
    }
    PostMessage(message, wParam, lParam);
}

LRESULT CWindowWnd::OnHostHitTest(POINT client) {
    POINT screen = client;
    ClientToScreen(m_hWnd, &screen);
    return SendMessage(WM_NCHITTEST, 0, MakeLParam(screen.x, screen.y));
}

bool DestroyWindow(HWND hwnd) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (!w || w->m_bDestroying) return false;
    w->m_bDestroying = true;
    // Owned windows go first.
    for (HWND other : EnumWindows()) {
        if (CWindowWnd* o = CWindowWnd::FromHandle(other); o && o->GetOwner() == hwnd) DestroyWindow(other);
    }
    ::DuiLib::SendMessage(hwnd, WM_DESTROY, 0, 0);
    if (g_focus == hwnd) g_focus = nullptr;
    ::DuiLib::SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    {
        std::lock_guard lock(g_mutex);
        std::erase_if(g_windows, [hwnd](const auto& e) { return e.first == hwnd; });
    }
    w->m_host.reset();
    ReleaseWindowHandle(hwnd);
    w->m_hWnd = nullptr;
    w->m_bVisible = false;
    w->m_bDestroying = false;
    PostThreadWake();
    w->OnFinalMessage(hwnd);
    return true;
}

bool ShowWindow(HWND hwnd, int cmd) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (!w) return false;
    bool wasVisible = w->m_bVisible;
    switch (cmd) {
    case SW_HIDE:
        w->m_bVisible = false;
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        w->m_bVisible = true;
        w->m_bMinimized = true;
        break;
    case SW_SHOWMAXIMIZED:
        if (!w->m_bMaximized) w->m_rcRestore = w->m_rcWindow;
        w->m_bVisible = true;
        w->m_bMaximized = true;
        w->m_bMinimized = false;
        w->SetWindowRect(GetMonitorWorkArea(w->m_rcWindow));
        break;
    case SW_RESTORE:
        w->m_bVisible = true;
        if (w->m_bMinimized) {
            w->m_bMinimized = false;
        } else if (w->m_bMaximized) {
            w->m_bMaximized = false;
            w->SetWindowRect(w->m_rcRestore);
        }
        break;
    default:
        w->m_bVisible = true;
        w->m_bMinimized = false;
        break;
    }
    if (w->m_host) w->m_host->Show(cmd);
    if (w->m_bVisible != wasVisible) ::DuiLib::SendMessage(hwnd, WM_SHOWWINDOW, w->m_bVisible ? 1 : 0, 0);
    if (w->m_bVisible && (cmd == SW_SHOWNORMAL || cmd == SW_SHOW || cmd == SW_SHOWMAXIMIZED || cmd == SW_RESTORE))
        SetFocus(hwnd);
    return wasVisible;
}

bool EnableWindow(HWND hwnd, bool enable) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (!w) return false;
    bool was = w->m_bEnabled;
    if (was == enable) return !was;
    w->m_bEnabled = enable;
    if (w->m_host) w->m_host->SetEnabled(enable);
    ::DuiLib::SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    if (!enable && g_focus == hwnd) SetFocus(nullptr);
    return !was;
}

bool IsWindowEnabled(HWND hwnd) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    return w && w->IsEnabled();
}

bool IsWindowVisible(HWND hwnd) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    return w && w->IsVisible();
}

bool IsZoomed(HWND hwnd) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    return w && w->IsMaximized();
}

bool IsIconic(HWND hwnd) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    return w && w->IsMinimized();
}

HWND SetFocus(HWND hwnd) {
    HWND old = g_focus;
    if (hwnd == old) return old;
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (hwnd && (!w || !w->IsEnabled())) return old;
    g_focus = hwnd;
    if (old && IsWindow(old)) ::DuiLib::SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (w) {
        if (w->GetHostWindow()) w->GetHostWindow()->SetFocus();
        ::DuiLib::SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return old;
}

HWND GetFocus() { return g_focus; }

HWND GetWindowOwner(HWND hwnd) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    return w ? w->GetOwner() : nullptr;
}

bool GetWindowRect(HWND hwnd, RECT* rc) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (!w) return false;
    *rc = w->GetWindowRect();
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rc) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (!w) return false;
    RECT r = w->GetWindowRect();
    *rc = {0, 0, r.Width(), r.Height()};
    return true;
}

bool MoveWindow(HWND hwnd, const RECT& rc) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (!w) return false;
    w->SetWindowRect(rc);
    return true;
}

bool ClientToScreen(HWND hwnd, POINT* pt) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (!w) return false;
    pt->x += w->GetWindowRect().left;
    pt->y += w->GetWindowRect().top;
    return true;
}

bool ScreenToClient(HWND hwnd, POINT* pt) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    if (!w) return false;
    pt->x -= w->GetWindowRect().left;
    pt->y -= w->GetWindowRect().top;
    return true;
}

HWND FindWindow(const std::string& className, const std::string& title) {
    for (HWND hwnd : EnumWindows()) {
        CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
        if (!w || w->GetOwner()) continue;
        if (w->GetTitle() == title && (className.empty() || w->GetWindowClassName() == className)) return hwnd;
    }
    return nullptr;
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_NCLBUTTONDBLCLK:
        ::DuiLib::SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == static_cast<WPARAM>(VK_F4)) ::DuiLib::SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            ::DuiLib::SendMessage(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_SHOWMAXIMIZED);
            return 0;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            return 0;
        default:
            return 0;
        }
    default:
        return 0;
    }
}

RECT GetMonitorWorkArea(const RECT& near) {
    IHost* host = GetHost();
    std::vector<RECT> areas = host ? host->MonitorWorkAreas() : std::vector<RECT>{};
    if (areas.empty()) return RECT{0, 0, 1920, 1080};
    POINT c{(near.left + near.right) / 2, (near.top + near.bottom) / 2};
    const RECT* best = &areas.front();
    long long bestDistance = LLONG_MAX;
    for (const RECT& a : areas) {
        if (a.Contains(c)) return a;
        long long dx = c.x < a.left ? a.left - c.x : c.x >= a.right ? c.x - a.right + 1 : 0;
        long long dy = c.y < a.top ? a.top - c.y : c.y >= a.bottom ? c.y - a.bottom + 1 : 0;
        long long d = dx * dx + dy * dy;
        if (d < bestDistance) {
            bestDistance = d;
            best = &a;
        }
    }
    return *best;
}

}  // namespace DuiLib
