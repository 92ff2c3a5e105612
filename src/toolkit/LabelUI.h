#pragma once
// A text in a box: font, colours, alignment, padding, single line or word break, end
// ellipsis, and optionally the brace markup.

#include "toolkit/ControlUI.h"

namespace DuiLib {

class CLabelUI : public CControlUI {
public:
    CLabelUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    UINT GetTextStyle() const { return m_uTextStyle; }
    void SetTextStyle(UINT style);
    ARGB GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(ARGB color);
    void SetDisabledTextColor(ARGB color);
    int GetFont() const { return m_iFont; }
    void SetFont(int index);
    const RECT& GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(RECT rc);
    bool IsShowHtml() const { return m_bShowHtml; }
    void SetShowHtml(bool show = true);
    void SetAutoCalcWidth(bool autoCalc) { m_bAutoCalcWidth = autoCalc; NeedParentUpdate(); }

    SIZE EstimateSize(SIZE available) override;
    void PaintText(IRenderContext& ctx) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

protected:
    // The colour of the text in the current state.
    virtual ARGB CurrentTextColor() const;
    void DrawTextIn(IRenderContext& ctx, const RECT& rc, const std::string& text, ARGB color);

    UINT m_uTextStyle = DT_VCENTER | DT_SINGLELINE;
    ARGB m_dwTextColor = 0;
    ARGB m_dwDisabledTextColor = 0;
    int m_iFont = -1;
    RECT m_rcTextPadding;
    bool m_bShowHtml = false;
    bool m_bAutoCalcWidth = false;
};

}  // namespace DuiLib
