#include "toolkit/ListImageTextElementUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("ListImageTextElement", CListImageTextElementUI);

namespace {
constexpr int kIconGap = 4;
const AttributeTable<CListImageTextElementUI> kAttributes = {
    {"image", AttrImage<CListImageTextElementUI>(&CListImageTextElementUI::SetImage)},
    {"selectedimage", AttrImage<CListImageTextElementUI>(&CListImageTextElementUI::SetSelectedImage)},
};
}  // namespace

std::string CListImageTextElementUI::GetClass() const { return "ListImageTextElementUI"; }

void* CListImageTextElementUI::GetInterface(std::string_view name) {
    if (name == "ListImageTextElement" || name == "ListImageTextElementUI") return this;
    return CListTextElementUI::GetInterface(name);
}

void CListImageTextElementUI::DrawColumnText(IRenderContext& ctx, int column, const RECT& rc) {
    if (column != 0) {
        CListTextElementUI::DrawColumnText(ctx, column, rc);
        return;
    }
    RECT textRect = rc;
    const std::string& desc = m_bSelected && !m_sSelectedImage.empty() ? m_sSelectedImage : m_sImage;
    if (!desc.empty()) DrawImage(ctx, desc, &rc);
    if (m_icon) {
        int size = std::min(m_icon->Height(), rc.Height());
        int w = m_icon->Height() > 0 ? m_icon->Width() * size / m_icon->Height() : 0;
        int top = rc.top + (rc.Height() - size) / 2;
        RECT dest{rc.left + kIconGap, top, rc.left + kIconGap + w, top + size};
        ctx.DrawImage(*m_icon, dest, RECT{0, 0, m_icon->Width(), m_icon->Height()}, RECT{}, 255);
        textRect.left = dest.right;
    }
    if (column < static_cast<int>(m_texts.size())) CListTextElementUI::DrawColumnText(ctx, column, textRect);
}

AttrResult CListImageTextElementUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CListTextElementUI::SetAttribute(name, value);
}

}  // namespace DuiLib
