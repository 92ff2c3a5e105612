// The translation of window messages into control events: hover, capture, focus, clicks,
// keys, the wheel, timers and the window's first layout.
#include <algorithm>

#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

namespace DuiLib {

TEventUI CPaintManagerUI::MakeEvent(int type, CControlUI* sender, WPARAM wParam, LPARAM lParam) const {
    TEventUI event;
    event.Type = type;
    event.pSender = sender;
    event.ptMouse = m_ptLastMousePos;
    event.wParam = wParam;
    event.lParam = lParam;
    event.dwTimestamp = TickCountMs();
    return event;
}

void CPaintManagerUI::DispatchToControl(CControlUI* control, TEventUI& event) {
    if (!control) return;
    ++m_nDeliveryDepth;
    control->Event(event);
    if (--m_nDeliveryDepth == 0) FlushDelayedCleanup();
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    if (!m_hWnd) return false;
    std::vector<IMessageFilterUI*> filters = m_filters;
    for (IMessageFilterUI* filter : filters) {
        bool handled = false;
        LRESULT r = filter->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = r;
            return true;
        }
    }
    auto mousePoint = [&] { return PointFromLParam(lParam); };
    auto keyState = [&] {
        WPARAM state = 0;
        if (wParam & MK_CONTROL) state |= MK_CONTROL;
        if (wParam & MK_SHIFT) state |= MK_SHIFT;
        return state;
    };
    switch (uMsg) {
    case WM_DUI_FIRSTLAYOUT:
        EnsureLayout();
        if (!m_bWindowInitSent && m_pRoot) {
            m_bWindowInitSent = true;
            SendNotify(m_pRoot, DUI_MSGTYPE_WINDOWINIT);
            EnsureLayout();
        }
        Invalidate();
        return true;
    case WM_SHOWWINDOW:
        if (wParam && !m_bFirstLayoutPosted) {
            m_bFirstLayoutPosted = true;
            PostMessage(m_hWnd, WM_DUI_FIRSTLAYOUT);
        }
        return false;
    case WM_DUI_ASYNCNOTIFY: {
        std::vector<std::unique_ptr<TNotifyUI>> pending;
        pending.swap(m_asyncNotify);
        for (auto& msg : pending) SendNotify(*msg, false);
        return true;
    }
    case WM_SIZE:
        if (m_pRoot) {
            m_bUpdateNeeded = true;
            m_pRoot->NeedUpdate();
            Invalidate();
        }
        return false;
    case WM_TIMER: {
        for (const TimerInfo& t : m_timers) {
            if (t.nativeId == wParam) {
                TEventUI event = MakeEvent(UIEVENT_TIMER, t.control, t.id, 0);
                DispatchToControl(t.control, event);
                return true;
            }
        }
        return false;
    }
    case WM_MOUSEMOVE: {
        EnsureLayout();
        m_ptLastMousePos = mousePoint();
        CControlUI* hit = FindControl(m_ptLastMousePos);
        if (hit && hit->GetManager() != this) hit = nullptr;
        if (hit != m_pEventHover) {
            if (CControlUI* old = m_pEventHover) {
                m_pEventHover = nullptr;
                TEventUI leave = MakeEvent(UIEVENT_MOUSELEAVE, old, wParam, lParam);
                DispatchToControl(old, leave);
            }
            m_pEventHover = hit;
            if (hit) {
                TEventUI enter = MakeEvent(UIEVENT_MOUSEENTER, hit, wParam, lParam);
                DispatchToControl(hit, enter);
            }
        }
        CControlUI* target = m_pEventClick ? m_pEventClick : hit;
        if (target) {
            TEventUI move = MakeEvent(UIEVENT_MOUSEMOVE, target, wParam, lParam);
            move.wKeyState = keyState();
            DispatchToControl(target, move);
        }
        return false;
    }
    case WM_MOUSELEAVE:
        if (CControlUI* old = m_pEventHover) {
            m_pEventHover = nullptr;
            TEventUI leave = MakeEvent(UIEVENT_MOUSELEAVE, old, wParam, lParam);
            DispatchToControl(old, leave);
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        EnsureLayout();
        m_ptLastMousePos = mousePoint();
        CControlUI* hit = FindControl(m_ptLastMousePos);
        if (!hit || hit->GetManager() != this) return false;
        m_pEventClick = hit;
        hit->SetFocus();
        SetCapture();
        TEventUI event = MakeEvent(uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, hit, wParam, lParam);
        event.wKeyState = keyState();
        DispatchToControl(hit, event);
        return false;
    }
    case WM_LBUTTONUP: {
        m_ptLastMousePos = mousePoint();
        ReleaseCapture();
        CControlUI* target = m_pEventClick;
        m_pEventClick = nullptr;
        if (!target) return false;
        TEventUI event = MakeEvent(UIEVENT_BUTTONUP, target, wParam, lParam);
        event.wKeyState = keyState();
        DispatchToControl(target, event);
        return false;
    }
    case WM_RBUTTONDOWN: {
        EnsureLayout();
        m_ptLastMousePos = mousePoint();
        CControlUI* hit = FindControl(m_ptLastMousePos);
        if (!hit || hit->GetManager() != this) return false;
        hit->SetFocus();
        TEventUI event = MakeEvent(UIEVENT_RBUTTONDOWN, hit, wParam, lParam);
        event.wKeyState = keyState();
        DispatchToControl(hit, event);
        return false;
    }
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: {
        EnsureLayout();
        if (uMsg == WM_RBUTTONUP) m_ptLastMousePos = mousePoint();
        CControlUI* hit = FindControl(m_ptLastMousePos);
        if (!hit || hit->GetManager() != this) return false;
        TEventUI event = MakeEvent(UIEVENT_CONTEXTMENU, hit, 0, MakeLParam(m_ptLastMousePos.x, m_ptLastMousePos.y));
        DispatchToControl(hit, event);
        return false;
    }
    case WM_MOUSEWHEEL: {
        EnsureLayout();
        POINT pt = mousePoint();
        CControlUI* hit = FindControl(pt);
        if (!hit || hit->GetManager() != this) return false;
        m_ptLastMousePos = pt;
        TEventUI event = MakeEvent(UIEVENT_SCROLLWHEEL, hit, wParam, lParam);
        event.wKeyState = keyState();
        DispatchToControl(hit, event);
        return true;
    }
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_IME_COMPOSITION: {
        CControlUI* target = m_pFocus;
        if (!target) return false;
        int type = uMsg == WM_CHAR ? UIEVENT_CHAR : uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN
                 : uMsg == WM_KEYUP ? UIEVENT_KEYUP : UIEVENT_IME;
        TEventUI event = MakeEvent(type, target, wParam, lParam);
        event.chKey = static_cast<uint32_t>(wParam);
        if (uMsg == WM_KEYDOWN || uMsg == WM_KEYUP) event.wKeyState = KeyStateFromLParam(lParam);
        if (uMsg == WM_IME_COMPOSITION && lParam) event.text = *reinterpret_cast<const std::string*>(lParam);
        DispatchToControl(target, event);
        return false;
    }
    case WM_KILLFOCUS:
        ReleaseCapture();
        m_pEventClick = nullptr;
        return false;
    default:
        return false;
    }
}

}  // namespace DuiLib
