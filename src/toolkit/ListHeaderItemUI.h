#pragma once
// One column heading of a list: text, images, and a separator that can be dragged to
// change the column's width.

#include "toolkit/ControlUI.h"

namespace DuiLib {

class CListHeaderItemUI : public CControlUI {
public:
    CListHeaderItemUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override { return IsEnabled() ? UIFLAG_SETCURSOR : 0; }

    void SetFont(int font) { m_iFont = font; Invalidate(); }
    void SetTextStyle(UINT style) { m_uTextStyle = style; Invalidate(); }
    UINT GetTextStyle() const { return m_uTextStyle; }
    void SetTextColor(ARGB color) { m_dwTextColor = color; Invalidate(); }
    void SetTextPadding(RECT rc) { m_rcTextPadding = rc; Invalidate(); }
    void SetNormalImage(const std::string& image) { m_sNormalImage = image; Invalidate(); }
    void SetHotImage(const std::string& image) { m_sHotImage = image; Invalidate(); }
    void SetPushedImage(const std::string& image) { m_sPushedImage = image; Invalidate(); }
    void SetSepImage(const std::string& image) { m_sSepImage = image; Invalidate(); }
    void SetSepWidth(int width) { m_iSepWidth = width; }
    void SetDragable(bool dragable) { m_bDragable = dragable; }
    ARGB GetSepColor() const { return m_dwSepColor; }
    void SetSepColor(ARGB color) { m_dwSepColor = color; Invalidate(); }

    SIZE EstimateSize(SIZE available) override;
    void DoEvent(TEventUI& event) override;
    void PaintStatusImage(IRenderContext& ctx) override;
    void PaintText(IRenderContext& ctx) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

private:
    RECT SeparatorRect() const;

    int m_iFont = -1;
    UINT m_uTextStyle = DT_VCENTER | DT_SINGLELINE | DT_CENTER;
    ARGB m_dwTextColor = 0;
    RECT m_rcTextPadding{4, 0, 4, 0};
    std::string m_sNormalImage, m_sHotImage, m_sPushedImage, m_sSepImage;
    int m_iSepWidth = 4;
    ARGB m_dwSepColor = 0xFFD9DDE3;
    bool m_bDragable = true;
    UINT m_uState = 0;
    bool m_bDragging = false;
    POINT m_ptLast;
};

}  // namespace DuiLib
