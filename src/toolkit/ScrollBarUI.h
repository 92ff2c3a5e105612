#pragma once
// A scroll bar: a track with a thumb, owned by a container that it scrolls.

#include "toolkit/ControlUI.h"

namespace DuiLib {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    void SetOwner(CContainerUI* owner) { m_pOwner = owner; }
    CContainerUI* GetOwner() const { return m_pOwner; }
    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal);
    int GetScrollRange() const { return m_nRange; }
    void SetScrollRange(int range);
    int GetScrollPos() const { return m_nScrollPos; }
    void SetScrollPos(int pos);
    void SetPageSize(int page) { m_nPage = page; }
    int GetLineSize() const { return m_nLineSize; }
    void SetLineSize(int size) { m_nLineSize = size; }
    void SetThumbColor(ARGB color) { m_dwThumbColor = color; }
    void SetThumbHotColor(ARGB color) { m_dwThumbHotColor = color; }
    void SetThumbImage(const std::string& image) { m_sThumbImage = image; }
    RECT GetThumbRect() const;

    void DoEvent(TEventUI& event) override;
    void PaintBkColor(IRenderContext& ctx) override;
    void PaintStatusImage(IRenderContext& ctx) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

private:
    void MoveOwnerTo(int pos);

    CContainerUI* m_pOwner = nullptr;
    bool m_bHorizontal = false;
    int m_nRange = 0;
    int m_nScrollPos = 0;
    int m_nPage = 0;
    int m_nLineSize = 20;
    bool m_bDragging = false;
    bool m_bHot = false;
    int m_nDragOffset = 0;
    ARGB m_dwThumbColor = 0xFFC2C7CF;
    ARGB m_dwThumbHotColor = 0xFF9AA3AF;
    std::string m_sThumbImage;
};

}  // namespace DuiLib
