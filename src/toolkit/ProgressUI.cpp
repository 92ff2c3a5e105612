#include "toolkit/ProgressUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Progress", CProgressUI);

namespace {
const AttributeTable<CProgressUI> kAttributes = {
    {"hor", AttrBool<CProgressUI>(&CProgressUI::SetHorizontal)},
    {"min", AttrInt<CProgressUI>(&CProgressUI::SetMinValue)},
    {"max", AttrInt<CProgressUI>(&CProgressUI::SetMaxValue)},
    {"value", AttrInt<CProgressUI>(&CProgressUI::SetValue)},
};
}  // namespace

CProgressUI::CProgressUI() { m_uTextStyle = DT_SINGLELINE | DT_CENTER | DT_VCENTER; }

std::string CProgressUI::GetClass() const { return "ProgressUI"; }

void* CProgressUI::GetInterface(std::string_view name) {
    if (name == "Progress" || name == "ProgressUI") return this;
    return CLabelUI::GetInterface(name);
}

void CProgressUI::SetMinValue(int min) { m_nMin = min; SetValue(m_nValue); }
void CProgressUI::SetMaxValue(int max) { m_nMax = max; SetValue(m_nValue); }

void CProgressUI::SetValue(int value) {
    value = m_nMax > m_nMin ? std::clamp(value, m_nMin, m_nMax) : m_nMin;
    if (value == m_nValue) return;
    m_nValue = value;
    Invalidate();
}

RECT CProgressUI::GetFilledRect() const {
    RECT rc = m_rcItem;
    if (m_nMax <= m_nMin) return RECT{rc.left, rc.top, rc.left, rc.bottom};
    int64_t span = m_nMax - m_nMin, done = m_nValue - m_nMin;
    if (m_bHorizontal) rc.right = rc.left + static_cast<int>(rc.Width() * done / span);
    else rc.top = rc.bottom - static_cast<int>(rc.Height() * done / span);
    return rc;
}

void CProgressUI::PaintStatusImage(IRenderContext& ctx) {
    RECT filled = GetFilledRect();
    if (filled.IsEmpty()) return;
    ctx.PushClip(filled);
    if (m_dwForeColor) {
        if (m_cxyBorderRound.cx > 0) ctx.FillRoundRect(m_rcItem, m_cxyBorderRound.cx, m_dwForeColor);
        else ctx.FillRect(m_rcItem, m_dwForeColor);
    }
    if (!m_sForeImage.empty()) DrawImage(ctx, m_sForeImage);
    ctx.PopClip();
}

AttrResult CProgressUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CLabelUI::SetAttribute(name, value);
}

}  // namespace DuiLib
