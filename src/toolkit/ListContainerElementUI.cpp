#include "toolkit/ListContainerElementUI.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("ListContainerElement", CListContainerElementUI);

namespace {
constexpr int kDefaultRowHeight = 24;
}

CListContainerElementUI::CListContainerElementUI() = default;

std::string CListContainerElementUI::GetClass() const { return "ListContainerElementUI"; }

void* CListContainerElementUI::GetInterface(std::string_view name) {
    if (name == "ListContainerElement" || name == "ListContainerElementUI") return this;
    if (name == "ListItem") return static_cast<IListItemUI*>(this);
    return CHorizontalLayoutUI::GetInterface(name);
}

void CListContainerElementUI::SetSelectedState(bool selected) {
    if (m_bSelected == selected) return;
    m_bSelected = selected;
    Invalidate();
}

bool CListContainerElementUI::Select(bool triggerEvent) {
    return m_pOwner && m_pOwner->SelectItem(m_iIndex, false, triggerEvent);
}

SIZE CListContainerElementUI::EstimateSize(SIZE) {
    return {m_cxyFixed.cx, m_cxyFixed.cy > 0 ? m_cxyFixed.cy : kDefaultRowHeight};
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
        if (IsEnabled()) {
            if (m_pManager && event.Type == UIEVENT_BUTTONDOWN) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMCLICK);
            if (m_pOwner && !(event.Type == UIEVENT_RBUTTONDOWN && m_bSelected))
                m_pOwner->ItemClicked(m_iIndex, event.Type == UIEVENT_BUTTONDOWN ? event.wKeyState : 0);
        }
        return;
    case UIEVENT_DBLCLICK:
        if (IsEnabled() && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMDBCLICK, m_iIndex);
        return;
    case UIEVENT_CONTEXTMENU:
    case UIEVENT_KEYDOWN:
    case UIEVENT_SCROLLWHEEL:
        if (m_pOwner) {
            m_pOwner->DoEvent(event);
            return;
        }
        break;
    case UIEVENT_MOUSEENTER:
        m_bHot = true;
        Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_bHot = false;
        Invalidate();
        return;
    case UIEVENT_BUTTONUP:
    case UIEVENT_MOUSEMOVE:
        return;
    default:
        break;
    }
    CHorizontalLayoutUI::DoEvent(event);
}

void CListContainerElementUI::DrawItemBk(IRenderContext& ctx, const RECT& rc) {
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (!info) return;
    ARGB color = info->dwBkColor;
    if (m_bHot && info->dwHotBkColor) color = info->dwHotBkColor;
    if (m_bSelected && info->dwSelectedBkColor) color = info->dwSelectedBkColor;
    if (color) ctx.FillRect(rc, color);
}

void CListContainerElementUI::DoPaint(IRenderContext& ctx, const RECT& paint) {
    RECT clip;
    if (!IntersectRect(&clip, paint, m_rcItem)) return;
    DrawItemBk(ctx, m_rcItem);
    CHorizontalLayoutUI::DoPaint(ctx, paint);
}

}  // namespace DuiLib
