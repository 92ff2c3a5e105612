#include "toolkit/ComboWnd.h"

#include <algorithm>

#include "toolkit/ComboUI.h"
#include "toolkit/ScrollBarUI.h"

namespace DuiLib {

namespace {

// A layout that shows another container's controls without owning them.
class CBorrowingLayout : public CVerticalLayoutUI {
public:
    void Borrow(const std::vector<CControlUI*>& items, CPaintManagerUI* pm) {
        m_items = items;
        for (CControlUI* item : m_items) {
            item->SetManager(pm, this, false);
            item->SetInternVisible(true);
        }
        NeedUpdate();
    }
    std::vector<CControlUI*> GiveBack() {
        std::vector<CControlUI*> items;
        items.swap(m_items);
        return items;
    }
};

}  // namespace

CComboWnd::CComboWnd(CComboUI* owner) : m_pOwner(owner) {}

void CComboWnd::Open() {
    CPaintManagerUI* ownerPm = m_pOwner->GetManager();
    HWND ownerWnd = ownerPm->GetPaintWindow();
    RECT pos = m_pOwner->GetPos();
    POINT origin{pos.left, pos.bottom};
    ClientToScreen(ownerWnd, &origin);
    int height = 2;
    for (int i = 0; i < m_pOwner->GetCount(); ++i) {
        CControlUI* item = m_pOwner->GetItemAt(i);
        if (!item->IsOwnVisible()) continue;
        height += std::max(1, item->EstimateSize({pos.Width(), 0}).cy);
    }
    SIZE box = m_pOwner->GetDropBoxSize();
    if (box.cy > 0) height = std::min(height, box.cy);
    int width = box.cx > 0 ? box.cx : pos.Width();
    RECT rc{origin.x, origin.y, origin.x + width, origin.y + height};
    RECT work = GetMonitorWorkArea(rc);
    if (rc.bottom > work.bottom) rc = {origin.x, origin.y - pos.Height() - height, origin.x + width, origin.y - pos.Height()};
    HWND hwnd = Create(ownerWnd, "", WS_POPUP, WS_EX_TOOLWINDOW, rc);
    if (!hwnd) {
        m_pOwner->m_pWindow = nullptr;
        delete this;
        return;
    }
    ShowWindow(true, true);
}

LRESULT CComboWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_CREATE: {
        m_pm.Init(GetHWND(), this);
        auto* layout = new CBorrowingLayout;
        m_pLayout = layout;
        layout->SetBkColor(0xFFFFFFFF);
        layout->SetBorderColor(0xFFC5CBD3);
        layout->SetBorderSize(1);
        layout->SetInset({1, 1, 1, 1});
        layout->EnableScrollBar(true, false);
        m_pm.AttachDialog(layout);
        m_pm.AddNotifier(this);
        std::vector<CControlUI*> items;
        for (int i = 0; i < m_pOwner->GetCount(); ++i) items.push_back(m_pOwner->GetItemAt(i));
        layout->Borrow(items, &m_pm);
        return 0;
    }
    case WM_KILLFOCUS:
        // Losing the focus to another window closes the drop-down.
        if (!m_bClosing) {
            m_bClosing = true;
            PostMessage(WM_CLOSE);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == static_cast<WPARAM>(VK_ESCAPE) || wParam == static_cast<WPARAM>(VK_RETURN)) {
            PostMessage(WM_CLOSE);
            return 0;
        }
        if (wParam == static_cast<WPARAM>(VK_UP) || wParam == static_cast<WPARAM>(VK_DOWN)) {
            int cur = m_pOwner->GetCurSel();
            int next = wParam == static_cast<WPARAM>(VK_UP) ? std::max(0, cur - 1)
                                                            : std::min(m_pOwner->GetCount() - 1, cur + 1);
            m_pOwner->SelectItem(next);
            return 0;
        }
        break;
    case WM_CLOSE:
        m_bClosing = true;
        ReturnItems();
        break;
    default:
        break;
    }
    LRESULT lRes = 0;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void CComboWnd::ReturnItems() {
    if (!m_pLayout) return;
    auto* layout = static_cast<CBorrowingLayout*>(m_pLayout);
    std::vector<CControlUI*> items = layout->GiveBack();
    for (CControlUI* item : items) m_pm.ReapObjects(item);
    CPaintManagerUI* ownerPm = m_pOwner ? m_pOwner->GetManager() : nullptr;
    for (CControlUI* item : items) item->SetManager(ownerPm, m_pOwner, false);
    if (m_pOwner) m_pOwner->Invalidate();
}

void CComboWnd::OnPaint(IRenderContext& ctx, const RECT& dirty) { m_pm.Paint(ctx, dirty); }

void CComboWnd::OnFinalMessage(HWND) {
    ReturnItems();
    if (m_pOwner && m_pOwner->m_pWindow == this) m_pOwner->m_pWindow = nullptr;
    delete this;
}

}  // namespace DuiLib
