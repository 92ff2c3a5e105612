#include "toolkit/ScrollBarUI.h"

#include <algorithm>

#include "toolkit/ContainerUI.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("ScrollBar", CScrollBarUI);

namespace {
constexpr int kDefaultThickness = 10;
constexpr int kMinThumb = 16;

const AttributeTable<CScrollBarUI> kAttributes = {
    {"hor", AttrBool<CScrollBarUI>(&CScrollBarUI::SetHorizontal)},
    {"range", AttrInt<CScrollBarUI>(&CScrollBarUI::SetScrollRange)},
    {"value", AttrInt<CScrollBarUI>(&CScrollBarUI::SetScrollPos)},
    {"linesize", AttrInt<CScrollBarUI>(&CScrollBarUI::SetLineSize)},
    {"thumbcolor", AttrColor<CScrollBarUI>(&CScrollBarUI::SetThumbColor)},
    {"thumbhotcolor", AttrColor<CScrollBarUI>(&CScrollBarUI::SetThumbHotColor)},
    {"thumbimage", AttrImage<CScrollBarUI>(&CScrollBarUI::SetThumbImage)},
};
}  // namespace

CScrollBarUI::CScrollBarUI() {
    m_cxyFixed = {kDefaultThickness, kDefaultThickness};
    m_dwBackColor = 0xFFF0F1F4;
}

std::string CScrollBarUI::GetClass() const { return "ScrollBarUI"; }

void* CScrollBarUI::GetInterface(std::string_view name) {
    if (name == "ScrollBar" || name == "ScrollBarUI") return this;
    return CControlUI::GetInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal) { m_bHorizontal = horizontal; Invalidate(); }

void CScrollBarUI::SetScrollRange(int range) {
    m_nRange = std::max(0, range);
    m_nScrollPos = std::clamp(m_nScrollPos, 0, m_nRange);
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int pos) {
    pos = std::clamp(pos, 0, m_nRange);
    if (pos == m_nScrollPos) return;
    m_nScrollPos = pos;
    Invalidate();
}

RECT CScrollBarUI::GetThumbRect() const {
    RECT rc = m_rcItem;
    int length = m_bHorizontal ? rc.Width() : rc.Height();
    int total = m_nRange + std::max(1, m_nPage);
    int thumb = std::max(kMinThumb, static_cast<int>(static_cast<int64_t>(length) * std::max(1, m_nPage) / total));
    thumb = std::min(thumb, length);
    int travel = length - thumb;
    int offset = m_nRange > 0 ? static_cast<int>(static_cast<int64_t>(travel) * m_nScrollPos / m_nRange) : 0;
    if (m_bHorizontal) {
        rc.left += offset;
        rc.right = rc.left + thumb;
    } else {
        rc.top += offset;
        rc.bottom = rc.top + thumb;
    }
    return rc;
}

void CScrollBarUI::MoveOwnerTo(int pos) {
    if (m_pOwner) {
        SIZE sz = m_pOwner->GetScrollPos();
        if (m_bHorizontal) sz.cx = pos;
        else sz.cy = pos;
        m_pOwner->SetScrollPos(sz);
    } else {
        SetScrollPos(pos);
    }
}

void CScrollBarUI::DoEvent(TEventUI& event) {
    RECT thumb = GetThumbRect();
    int along = m_bHorizontal ? event.ptMouse.x : event.ptMouse.y;
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (thumb.Contains(event.ptMouse)) {
            m_bDragging = true;
            m_nDragOffset = along - (m_bHorizontal ? thumb.left : thumb.top);
        } else {
            int page = std::max(m_nLineSize, m_nPage);
            int start = m_bHorizontal ? thumb.left : thumb.top;
            MoveOwnerTo(m_nScrollPos + (along < start ? -page : page));
        }
        return;
    case UIEVENT_BUTTONUP:
        m_bDragging = false;
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_bDragging) {
            int length = m_bHorizontal ? m_rcItem.Width() : m_rcItem.Height();
            int thumbLength = m_bHorizontal ? thumb.Width() : thumb.Height();
            int travel = std::max(1, length - thumbLength);
            int origin = m_bHorizontal ? m_rcItem.left : m_rcItem.top;
            int offset = along - m_nDragOffset - origin;
            MoveOwnerTo(static_cast<int>(static_cast<int64_t>(offset) * m_nRange / travel));
        }
        return;
    case UIEVENT_MOUSEENTER:
        m_bHot = true;
        Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_bHot = false;
        Invalidate();
        return;
    case UIEVENT_SCROLLWHEEL:
        if (m_pOwner) m_pOwner->DoEvent(event);
        return;
    default:
        CControlUI::DoEvent(event);
    }
}

void CScrollBarUI::PaintBkColor(IRenderContext& ctx) {
    if (m_dwBackColor != 0) ctx.FillRect(m_rcItem, m_dwBackColor);
}

void CScrollBarUI::PaintStatusImage(IRenderContext& ctx) {
    RECT thumb = GetThumbRect();
    if (!m_sThumbImage.empty() && DrawImage(ctx, m_sThumbImage, &thumb)) return;
    RECT inner = thumb;
    inner.Deflate({2, 2, 2, 2});
    int radius = std::min(inner.Width(), inner.Height()) / 2;
    ctx.FillRoundRect(inner, radius, (m_bHot || m_bDragging) ? m_dwThumbHotColor : m_dwThumbColor);
}

AttrResult CScrollBarUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CControlUI::SetAttribute(name, value);
}

}  // namespace DuiLib
