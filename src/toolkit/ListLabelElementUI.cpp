#include "toolkit/ListLabelElementUI.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/TextMarkup.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("ListLabelElement", CListLabelElementUI);

namespace {
constexpr int kDefaultRowHeight = 22;
}

CListLabelElementUI::CListLabelElementUI() = default;

std::string CListLabelElementUI::GetClass() const { return "ListLabelElementUI"; }

void* CListLabelElementUI::GetInterface(std::string_view name) {
    if (name == "ListLabelElement" || name == "ListLabelElementUI") return this;
    return CListElementUI::GetInterface(name);
}

SIZE CListLabelElementUI::EstimateSize(SIZE) {
    return {m_cxyFixed.cx, m_cxyFixed.cy > 0 ? m_cxyFixed.cy : kDefaultRowHeight};
}

void CListLabelElementUI::DrawItemText(IRenderContext& ctx, const RECT& rcItem) {
    if (m_sText.empty() || !m_pOwner || !m_pManager) return;
    TListInfoUI* info = m_pOwner->GetListInfo();
    RECT rc = rcItem;
    rc.Deflate(info->rcTextPadding);
    if (info->bShowHtml) {
        DrawMarkup(ctx, *m_pManager, rc, ParseMarkup(m_sText), info->nFont, ItemTextColor(), info->uTextStyle);
    } else {
        ctx.DrawText(rc, m_sText, m_pManager->GetFont(info->nFont), ItemTextColor(), info->uTextStyle);
    }
}

}  // namespace DuiLib
