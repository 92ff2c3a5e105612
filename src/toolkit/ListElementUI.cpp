#include "toolkit/ListElementUI.h"

#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

IListItemUI* AsListItem(CControlUI* control) { return dynamic_cast<IListItemUI*>(control); }

std::string CListElementUI::GetClass() const { return "ListElementUI"; }

void* CListElementUI::GetInterface(std::string_view name) {
    if (name == "ListItem" || name == "ListElementUI") return static_cast<IListItemUI*>(this);
    return CControlUI::GetInterface(name);
}

void CListElementUI::SetOwner(CControlUI* owner) { m_pOwner = dynamic_cast<IListOwnerUI*>(owner); }

void CListElementUI::SetSelectedState(bool selected) {
    if (m_bSelected == selected) return;
    m_bSelected = selected;
    Invalidate();
}

bool CListElementUI::Select(bool triggerEvent) {
    return m_pOwner && m_pOwner->SelectItem(m_iIndex, false, triggerEvent);
}

void CListElementUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    if (!IsVisible() && m_bSelected && m_pOwner) m_bHot = false;
}

void CListElementUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!enabled) m_bHot = false;
}

void CListElementUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT_FIRST && event.Type < UIEVENT_LAST) {
        if (m_pOwner) m_pOwner->DoEvent(event);
        else CControlUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
        if (IsEnabled()) {
            if (m_pManager && event.Type == UIEVENT_BUTTONDOWN) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMCLICK);
            // A right click keeps a selection it falls into, so that its menu acts on it.
            if (m_pOwner && !(event.Type == UIEVENT_RBUTTONDOWN && m_bSelected))
                m_pOwner->ItemClicked(m_iIndex, event.Type == UIEVENT_BUTTONDOWN ? event.wKeyState : 0);
            Invalidate();
        }
        return;
    case UIEVENT_DBLCLICK:
        if (IsEnabled() && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_LISTITEMDBCLICK, m_iIndex);
        return;
    case UIEVENT_CONTEXTMENU:
        if (m_pOwner) {
            event.wParam = static_cast<WPARAM>(m_iIndex);
            m_pOwner->DoEvent(event);
        }
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) {
            m_bHot = true;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSELEAVE:
        m_bHot = false;
        Invalidate();
        return;
    case UIEVENT_BUTTONUP:
    case UIEVENT_MOUSEMOVE:
        return;
    case UIEVENT_KEYDOWN:
    case UIEVENT_SCROLLWHEEL:
        if (m_pOwner) m_pOwner->DoEvent(event);
        return;
    default:
        CControlUI::DoEvent(event);
    }
}

ARGB CListElementUI::ItemTextColor() const {
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (!info) return 0xFF000000;
    if (!IsEnabled()) return info->dwDisabledTextColor;
    if (m_bSelected) return info->dwSelectedTextColor;
    if (m_bHot) return info->dwHotTextColor;
    return info->dwTextColor;
}

void CListElementUI::DrawItemBk(IRenderContext& ctx, const RECT& rc) {
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (!info) return;
    ARGB color = info->dwBkColor;
    if (info->bAlternateBk && (m_iIndex % 2) == 1) color = info->dwAlternateBkColor;
    if (m_bHot && info->dwHotBkColor) color = info->dwHotBkColor;
    if (m_bSelected && info->dwSelectedBkColor) color = info->dwSelectedBkColor;
    if (color) ctx.FillRect(rc, color);
    if (m_bSelected && !info->sSelectedImage.empty()) DrawImage(ctx, info->sSelectedImage, &rc);
    else if (m_bHot && !info->sHotImage.empty()) DrawImage(ctx, info->sHotImage, &rc);
    if (info->bShowRowLine && info->dwLineColor)
        ctx.DrawLine({rc.left, rc.bottom - 1}, {rc.right, rc.bottom - 1}, 1, info->dwLineColor);
}

void CListElementUI::DrawItemText(IRenderContext&, const RECT&) {}

void CListElementUI::DoPaint(IRenderContext& ctx, const RECT& paint) {
    RECT clip;
    if (!IntersectRect(&clip, paint, m_rcItem)) return;
    DrawItemBk(ctx, m_rcItem);
    CControlUI::PaintBkImage(ctx);
    DrawItemText(ctx, m_rcItem);
}

AttrResult CListElementUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "selected") {
        auto b = ParseBool(value);
        if (!b) return AttrResult::Malformed("expected true or false, got " + QuoteForMessage(value));
        if (*b) Select(false);
        return AttrResult::Ok();
    }
    return CControlUI::SetAttribute(name, value);
}

}  // namespace DuiLib
