#include "toolkit/ListTextElementUI.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/TextMarkup.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("ListTextElement", CListTextElementUI);

namespace {
constexpr int kMaxColumns = 64;
}

std::string CListTextElementUI::GetClass() const { return "ListTextElementUI"; }

void* CListTextElementUI::GetInterface(std::string_view name) {
    if (name == "ListTextElement" || name == "ListTextElementUI") return this;
    return CListLabelElementUI::GetInterface(name);
}

std::string CListTextElementUI::GetText(int column) const {
    if (column < 0 || column >= static_cast<int>(m_texts.size())) return {};
    return m_texts[column];
}

void CListTextElementUI::SetText(int column, const std::string& text) {
    if (column < 0 || column >= kMaxColumns) return;
    if (column >= static_cast<int>(m_texts.size())) m_texts.resize(column + 1);
    m_texts[column] = text;
    if (column == 0) m_sText = text;
    Invalidate();
}

void CListTextElementUI::SetTextStyle(int column, UINT style) {
    if (column < 0 || column >= kMaxColumns) return;
    if (column >= static_cast<int>(m_styles.size())) m_styles.resize(column + 1, 0);
    m_styles[column] = style;
    Invalidate();
}

RECT CListTextElementUI::ColumnRect(int column, const RECT& row) const {
    TListInfoUI* info = m_pOwner ? const_cast<CListTextElementUI*>(this)->m_pOwner->GetListInfo() : nullptr;
    if (!info || info->columns.empty()) return column == 0 ? row : RECT{};
    if (column >= static_cast<int>(info->columns.size())) return RECT{};
    const RECT& c = info->columns[column];
    return RECT{c.left, row.top, c.right, row.bottom};
}

void CListTextElementUI::DrawColumnText(IRenderContext& ctx, int column, const RECT& rc) {
    const std::string& text = m_texts[column];
    if (text.empty()) return;
    TListInfoUI* info = m_pOwner->GetListInfo();
    UINT style = column < static_cast<int>(m_styles.size()) && m_styles[column] ? m_styles[column] : info->uTextStyle;
    RECT box = rc;
    box.Deflate(info->rcTextPadding);
    if (info->bShowHtml) {
        DrawMarkup(ctx, *m_pManager, box, ParseMarkup(text), info->nFont, ItemTextColor(), style);
    } else {
        ctx.DrawText(box, text, m_pManager->GetFont(info->nFont), ItemTextColor(), style);
    }
}

void CListTextElementUI::DrawItemText(IRenderContext& ctx, const RECT& row) {
    if (!m_pOwner || !m_pManager) return;
    for (int i = 0; i < static_cast<int>(m_texts.size()); ++i) {
        RECT rc = ColumnRect(i, row);
        if (rc.IsEmpty()) continue;
        ctx.PushClip(rc);
        DrawColumnText(ctx, i, rc);
        ctx.PopClip();
    }
}

}  // namespace DuiLib
