#include "toolkit/ButtonUI.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Button", CButtonUI);

namespace {
const AttributeTable<CButtonUI> kAttributes = {
    {"normalimage", AttrImage<CButtonUI>(&CButtonUI::SetNormalImage)},
    {"hotimage", AttrImage<CButtonUI>(&CButtonUI::SetHotImage)},
    {"pushedimage", AttrImage<CButtonUI>(&CButtonUI::SetPushedImage)},
    {"focusedimage", AttrImage<CButtonUI>(&CButtonUI::SetFocusedImage)},
    {"disabledimage", AttrImage<CButtonUI>(&CButtonUI::SetDisabledImage)},
    {"hotbkcolor", AttrColor<CButtonUI>(&CButtonUI::SetHotBkColor)},
    {"pushedbkcolor", AttrColor<CButtonUI>(&CButtonUI::SetPushedBkColor)},
    {"hottextcolor", AttrColor<CButtonUI>(&CButtonUI::SetHotTextColor)},
    {"pushedtextcolor", AttrColor<CButtonUI>(&CButtonUI::SetPushedTextColor)},
    {"focusedtextcolor", AttrColor<CButtonUI>(&CButtonUI::SetFocusedTextColor)},
};
}  // namespace

CButtonUI::CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

std::string CButtonUI::GetClass() const { return "ButtonUI"; }

void* CButtonUI::GetInterface(std::string_view name) {
    if (name == "Button" || name == "ButtonUI") return this;
    return CLabelUI::GetInterface(name);
}

UINT CButtonUI::GetControlFlags() const { return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | (IsEnabled() ? UIFLAG_SETCURSOR : 0); }

bool CButtonUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_CLICK);
    return true;
}

void CButtonUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!IsEnabled()) m_uButtonState = 0;
}

void CButtonUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT_FIRST && event.Type < UIEVENT_LAST && event.Type != UIEVENT_TIMER) {
        if (m_pParent) m_pParent->DoEvent(event);
        else CLabelUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
        CLabelUI::DoEvent(event);
        return;
    case UIEVENT_KEYDOWN:
        if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
            Activate();
            return;
        }
        break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (m_rcItem.Contains(event.ptMouse) && IsEnabled()) {
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uButtonState & UISTATE_CAPTURED) {
            if (m_rcItem.Contains(event.ptMouse)) m_uButtonState |= UISTATE_PUSHED;
            else m_uButtonState &= ~UISTATE_PUSHED;
            Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & UISTATE_CAPTURED) {
            bool inside = m_rcItem.Contains(event.ptMouse);
            m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            Invalidate();
            if (inside) Activate();
        }
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) {
            m_uButtonState |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSELEAVE:
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
        return;
    default:
        break;
    }
    CLabelUI::DoEvent(event);
}

ARGB CButtonUI::CurrentTextColor() const {
    if (IsEnabled()) {
        if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor) return m_dwPushedTextColor;
        if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor) return m_dwHotTextColor;
        if (IsFocused() && m_dwFocusedTextColor) return m_dwFocusedTextColor;
    }
    return CLabelUI::CurrentTextColor();
}

void CButtonUI::PaintBkColor(IRenderContext& ctx) {
    ARGB color = m_dwBackColor;
    if (IsEnabled()) {
        if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedBkColor) color = m_dwPushedBkColor;
        else if ((m_uButtonState & UISTATE_HOT) && m_dwHotBkColor) color = m_dwHotBkColor;
    }
    if (color == 0) return;
    if (m_cxyBorderRound.cx > 0) ctx.FillRoundRect(m_rcItem, m_cxyBorderRound.cx, color);
    else ctx.FillRect(m_rcItem, color);
}

void CButtonUI::PaintStatusImage(IRenderContext& ctx) {
    PaintStateImage(ctx);
    // The foreground (an icon over the state picture) shows in every state.
    CControlUI::PaintStatusImage(ctx);
}

void CButtonUI::PaintStateImage(IRenderContext& ctx) {
    if (!IsEnabled()) {
        if (DrawImage(ctx, m_sDisabledImage)) return;
    } else if (m_uButtonState & UISTATE_PUSHED) {
        if (DrawImage(ctx, m_sPushedImage)) return;
    } else if (m_uButtonState & UISTATE_HOT) {
        if (DrawImage(ctx, m_sHotImage)) return;
    } else if (IsFocused()) {
        if (DrawImage(ctx, m_sFocusedImage)) return;
    }
    DrawImage(ctx, m_sNormalImage);
}

AttrResult CButtonUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CLabelUI::SetAttribute(name, value);
}

}  // namespace DuiLib
