#include "toolkit/LabelUI.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/TextMarkup.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Label", CLabelUI);

namespace {

AttrResult SetAlign(CLabelUI& c, std::string_view v) {
    UINT style = c.GetTextStyle() & ~(DT_CENTER | DT_RIGHT);
    if (v == "left") {
    } else if (v == "center") {
        style |= DT_CENTER;
    } else if (v == "right") {
        style |= DT_RIGHT;
    } else {
        return AttrResult::Malformed("expected left, center or right, got " + QuoteForMessage(v));
    }
    c.SetTextStyle(style);
    return AttrResult::Ok();
}

AttrResult SetVAlign(CLabelUI& c, std::string_view v) {
    UINT style = c.GetTextStyle() & ~(DT_VCENTER | DT_BOTTOM);
    if (v == "top") {
    } else if (v == "vcenter" || v == "center") {
        style |= DT_VCENTER;
    } else if (v == "bottom") {
        style |= DT_BOTTOM;
    } else {
        return AttrResult::Malformed("expected top, vcenter or bottom, got " + QuoteForMessage(v));
    }
    c.SetTextStyle(style);
    return AttrResult::Ok();
}

AttributeSetter<CLabelUI> StyleFlag(UINT flag, bool clearSingleLine = false) {
    return [flag, clearSingleLine](CLabelUI& c, std::string_view v) {
        auto b = ParseBool(v);
        if (!b) return AttrResult::Malformed("expected true or false, got " + QuoteForMessage(v));
        UINT style = c.GetTextStyle();
        style = *b ? (style | flag) : (style & ~flag);
        if (*b && clearSingleLine) style &= ~DT_SINGLELINE;
        if (!*b && clearSingleLine) style |= DT_SINGLELINE;
        c.SetTextStyle(style);
        return AttrResult::Ok();
    };
}

const AttributeTable<CLabelUI> kAttributes = {
    {"align", SetAlign},
    {"valign", SetVAlign},
    {"endellipsis", StyleFlag(DT_END_ELLIPSIS)},
    {"wordbreak", StyleFlag(DT_WORDBREAK, true)},
    {"multiline", StyleFlag(DT_WORDBREAK, true)},
    {"singleline", StyleFlag(DT_SINGLELINE)},
    {"textstyle", AttrInt<CLabelUI>(+[](CLabelUI& c, int v) { c.SetTextStyle(static_cast<UINT>(v)); })},
    {"font", AttrInt<CLabelUI>(&CLabelUI::SetFont)},
    {"textcolor", AttrColor<CLabelUI>(&CLabelUI::SetTextColor)},
    {"disabledtextcolor", AttrColor<CLabelUI>(&CLabelUI::SetDisabledTextColor)},
    {"textpadding", AttrRect<CLabelUI>(&CLabelUI::SetTextPadding)},
    {"showhtml", AttrBool<CLabelUI>(&CLabelUI::SetShowHtml)},
    {"autocalcwidth", AttrBool<CLabelUI>(&CLabelUI::SetAutoCalcWidth)},
};

}  // namespace

CLabelUI::CLabelUI() = default;

std::string CLabelUI::GetClass() const { return "LabelUI"; }

void* CLabelUI::GetInterface(std::string_view name) {
    if (name == "Label" || name == "LabelUI") return this;
    return CControlUI::GetInterface(name);
}

void CLabelUI::SetTextStyle(UINT style) { m_uTextStyle = style; Invalidate(); }
void CLabelUI::SetTextColor(ARGB color) { m_dwTextColor = color; Invalidate(); }
void CLabelUI::SetDisabledTextColor(ARGB color) { m_dwDisabledTextColor = color; Invalidate(); }
void CLabelUI::SetFont(int index) { m_iFont = index; Invalidate(); }
void CLabelUI::SetTextPadding(RECT rc) { m_rcTextPadding = rc; Invalidate(); }
void CLabelUI::SetShowHtml(bool show) { m_bShowHtml = show; Invalidate(); }

SIZE CLabelUI::EstimateSize(SIZE available) {
    if (m_bAutoCalcWidth && m_cxyFixed.cx == 0 && m_pManager) {
        std::string plain = m_bShowHtml ? MarkupPlainText(m_sText) : m_sText;
        SIZE text = m_pManager->MeasureText(plain, m_iFont);
        return {text.cx + m_rcTextPadding.left + m_rcTextPadding.right, m_cxyFixed.cy};
    }
    return CControlUI::EstimateSize(available);
}

ARGB CLabelUI::CurrentTextColor() const {
    if (!IsEnabled()) {
        if (m_dwDisabledTextColor) return m_dwDisabledTextColor;
        return m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA;
    }
    if (m_dwTextColor) return m_dwTextColor;
    return m_pManager ? m_pManager->GetDefaultFontColor() : 0xFF000000;
}

void CLabelUI::DrawTextIn(IRenderContext& ctx, const RECT& rc, const std::string& text, ARGB color) {
    if (text.empty() || !m_pManager) return;
    if (m_bShowHtml) {
        DrawMarkup(ctx, *m_pManager, rc, ParseMarkup(text), m_iFont, color, m_uTextStyle);
    } else {
        ctx.DrawText(rc, text, m_pManager->GetFont(m_iFont), color, m_uTextStyle);
    }
}

void CLabelUI::PaintText(IRenderContext& ctx) {
    RECT rc = m_rcItem;
    rc.Deflate(m_rcTextPadding);
    DrawTextIn(ctx, rc, m_sText, CurrentTextColor());
}

AttrResult CLabelUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CControlUI::SetAttribute(name, value);
}

}  // namespace DuiLib
