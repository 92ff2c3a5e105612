#include "toolkit/CheckBoxUI.h"

#include "toolkit/ControlFactory.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("CheckBox", CCheckBoxUI);

namespace {
constexpr int kBox = 14;
}

CCheckBoxUI::CCheckBoxUI() {
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    m_rcTextPadding = {kBox + 6, 0, 0, 0};
}

void CCheckBoxUI::PaintStatusImage(IRenderContext& ctx) {
    if (!m_sNormalImage.empty() || !m_sSelectedImage.empty()) {
        COptionUI::PaintStatusImage(ctx);
        return;
    }
    ARGB ink = IsEnabled() ? 0xFF2563EB : 0xFFA7A6AA;
    int cy = (m_rcItem.top + m_rcItem.bottom) / 2;
    if (m_glyph == Glyph::Arrow) {
        int cx = m_rcItem.left + m_rcItem.Width() / 2;
        ARGB arrow = 0xFF6B7280;
        if (m_bSelected) {
            ctx.DrawLine({cx - 4, cy - 2}, {cx, cy + 2}, 2, arrow);
            ctx.DrawLine({cx, cy + 2}, {cx + 4, cy - 2}, 2, arrow);
        } else {
            ctx.DrawLine({cx - 2, cy - 4}, {cx + 2, cy}, 2, arrow);
            ctx.DrawLine({cx + 2, cy}, {cx - 2, cy + 4}, 2, arrow);
        }
        return;
    }
    RECT box{m_rcItem.left + 1, cy - kBox / 2, m_rcItem.left + 1 + kBox, cy + kBox / 2};
    if (m_bSelected) {
        ctx.FillRoundRect(box, 3, ink);
        ctx.DrawLine({box.left + 3, cy}, {box.left + 6, cy + 3}, 2, 0xFFFFFFFF);
        ctx.DrawLine({box.left + 6, cy + 3}, {box.right - 3, cy - 3}, 2, 0xFFFFFFFF);
    } else {
        ctx.FillRoundRect(box, 3, 0xFFFFFFFF);
        ctx.DrawRect(box, 1, (m_uButtonState & UISTATE_HOT) ? ink : 0xFF9CA3AF);
    }
}

std::string CCheckBoxUI::GetClass() const { return "CheckBoxUI"; }

void* CCheckBoxUI::GetInterface(std::string_view name) {
    if (name == "CheckBox" || name == "CheckBoxUI") return this;
    return COptionUI::GetInterface(name);
}

}  // namespace DuiLib
