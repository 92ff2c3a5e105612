#include "toolkit/ListHeaderItemUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/LabelUI.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("ListHeaderItem", CListHeaderItemUI);

namespace {
AttrResult SetHeaderAlign(CListHeaderItemUI& c, std::string_view v) {
    UINT style = c.GetTextStyle() & ~(DT_CENTER | DT_RIGHT);
    if (v == "center") style |= DT_CENTER;
    else if (v == "right") style |= DT_RIGHT;
    else if (v != "left") return AttrResult::Malformed("expected left, center or right, got " + QuoteForMessage(v));
    c.SetTextStyle(style);
    return AttrResult::Ok();
}

const AttributeTable<CListHeaderItemUI> kAttributes = {
    {"font", AttrInt<CListHeaderItemUI>(&CListHeaderItemUI::SetFont)},
    {"align", SetHeaderAlign},
    {"textcolor", AttrColor<CListHeaderItemUI>(&CListHeaderItemUI::SetTextColor)},
    {"textpadding", AttrRect<CListHeaderItemUI>(&CListHeaderItemUI::SetTextPadding)},
    {"normalimage", AttrImage<CListHeaderItemUI>(&CListHeaderItemUI::SetNormalImage)},
    {"hotimage", AttrImage<CListHeaderItemUI>(&CListHeaderItemUI::SetHotImage)},
    {"pushedimage", AttrImage<CListHeaderItemUI>(&CListHeaderItemUI::SetPushedImage)},
    {"sepimage", AttrImage<CListHeaderItemUI>(&CListHeaderItemUI::SetSepImage)},
    {"sepwidth", AttrInt<CListHeaderItemUI>(&CListHeaderItemUI::SetSepWidth)},
    {"sepcolor", AttrColor<CListHeaderItemUI>(&CListHeaderItemUI::SetSepColor)},
    {"dragable", AttrBool<CListHeaderItemUI>(&CListHeaderItemUI::SetDragable)},
};
constexpr int kMinColumnWidth = 16;
}  // namespace

CListHeaderItemUI::CListHeaderItemUI() = default;

std::string CListHeaderItemUI::GetClass() const { return "ListHeaderItemUI"; }

void* CListHeaderItemUI::GetInterface(std::string_view name) {
    if (name == "ListHeaderItem" || name == "ListHeaderItemUI") return this;
    return CControlUI::GetInterface(name);
}

SIZE CListHeaderItemUI::EstimateSize(SIZE) { return m_cxyFixed; }

RECT CListHeaderItemUI::SeparatorRect() const {
    return RECT{m_rcItem.right - m_iSepWidth, m_rcItem.top, m_rcItem.right, m_rcItem.bottom};
}

void CListHeaderItemUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (!IsEnabled()) return;
        if (m_bDragable && SeparatorRect().Contains(event.ptMouse)) {
            m_bDragging = true;
            m_ptLast = event.ptMouse;
        } else {
            m_uState |= UISTATE_PUSHED;
            if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_HEADERCLICK);
        }
        Invalidate();
        return;
    case UIEVENT_BUTTONUP:
        m_bDragging = false;
        m_uState &= ~UISTATE_PUSHED;
        Invalidate();
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_bDragging) {
            int width = std::max(kMinColumnWidth, GetFixedWidth() + event.ptMouse.x - m_ptLast.x);
            m_ptLast = event.ptMouse;
            SetFixedWidth(width);
            // The rows take their columns from the header.
            if (m_pParent && m_pParent->GetParent()) m_pParent->GetParent()->NeedUpdate();
        }
        return;
    case UIEVENT_MOUSEENTER:
        m_uState |= UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_uState &= ~UISTATE_HOT;
        Invalidate();
        return;
    default:
        CControlUI::DoEvent(event);
    }
}

void CListHeaderItemUI::PaintStatusImage(IRenderContext& ctx) {
    if ((m_uState & UISTATE_PUSHED) && DrawImage(ctx, m_sPushedImage)) {
    } else if ((m_uState & UISTATE_HOT) && DrawImage(ctx, m_sHotImage)) {
    } else {
        DrawImage(ctx, m_sNormalImage);
    }
    RECT sep = SeparatorRect();
    if (!m_sSepImage.empty()) {
        DrawImage(ctx, m_sSepImage, &sep);
    } else if (m_dwSepColor) {
        ctx.DrawLine({m_rcItem.right - 1, m_rcItem.top + 4}, {m_rcItem.right - 1, m_rcItem.bottom - 4}, 1, m_dwSepColor);
    }
}

void CListHeaderItemUI::PaintText(IRenderContext& ctx) {
    if (m_sText.empty() || !m_pManager) return;
    RECT rc = m_rcItem;
    rc.Deflate(m_rcTextPadding);
    ctx.DrawText(rc, m_sText, m_pManager->GetFont(m_iFont), m_dwTextColor ? m_dwTextColor : m_pManager->GetDefaultFontColor(),
                 m_uTextStyle);
}

AttrResult CListHeaderItemUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CControlUI::SetAttribute(name, value);
}

}  // namespace DuiLib
