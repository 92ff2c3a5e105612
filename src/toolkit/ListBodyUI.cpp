#include "toolkit/ListBodyUI.h"

#include <algorithm>

#include "toolkit/ListUI.h"
#include "toolkit/ScrollBarUI.h"

namespace DuiLib {

CListBodyUI::CListBodyUI(CListUI* owner) : m_pOwner(owner) {}

std::string CListBodyUI::GetClass() const { return "ListBodyUI"; }

void* CListBodyUI::GetInterface(std::string_view name) {
    if (name == "ListBody" || name == "ListBodyUI") return this;
    return CVerticalLayoutUI::GetInterface(name);
}

bool CListBodyUI::AddAt(CControlUI* control, int index) {
    if (!CVerticalLayoutUI::AddAt(control, index)) return false;
    control->SetInternVisible(true);
    return true;
}

void CListBodyUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL || event.Type == UIEVENT_KEYDOWN || event.Type == UIEVENT_CONTEXTMENU ||
        event.Type == UIEVENT_TIMER) {
        if (m_pOwner) {
            m_pOwner->DoEvent(event);
            return;
        }
    }
    CVerticalLayoutUI::DoEvent(event);
}

void CListBodyUI::SetPos(RECT rc, bool needInvalidate) {
    CVerticalLayoutUI::SetPos(rc, needInvalidate);
    if (m_pOwner) m_pOwner->UpdateColumns();
}

void CListBodyUI::DoPaint(IRenderContext& ctx, const RECT& paint) {
    RECT clip;
    if (!IntersectRect(&clip, paint, m_rcItem)) return;
    ctx.PushClip(clip);
    CControlUI::DoPaint(ctx, clip);
    RECT client = m_rcItem;
    client.Deflate(m_rcInset);
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) client.right -= m_pVerticalScrollBar->GetFixedWidth();
    RECT rows;
    if (IntersectRect(&rows, clip, client)) {
        ctx.PushClip(rows);
        // Rows are laid out top to bottom: skip those above, stop at the first below.
        for (CControlUI* item : m_items) {
            if (!item->IsVisible()) continue;
            const RECT& pos = item->GetPos();
            if (pos.bottom <= rows.top) continue;
            if (pos.top >= rows.bottom) break;
            item->DoPaint(ctx, rows);
        }
        ctx.PopClip();
    }
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) m_pVerticalScrollBar->DoPaint(ctx, clip);
    ctx.PopClip();
}

}  // namespace DuiLib
