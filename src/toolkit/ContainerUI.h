#pragma once
// A control holding other controls: children in order, inset, child padding, scroll bars,
// and the propagation of manager, visibility and painting to the children. The plain
// container gives every child its whole client rectangle; the layouts arrange them.

#include <vector>

#include "toolkit/ControlUI.h"

namespace DuiLib {

class CScrollBarUI;

class CContainerUI : public CControlUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    virtual CControlUI* GetItemAt(int index) const;
    virtual int GetItemIndex(CControlUI* control) const;
    bool SetItemIndex(CControlUI* control, int index);
    virtual int GetCount() const { return static_cast<int>(m_items.size()); }
    virtual bool Add(CControlUI* control);
    virtual bool AddAt(CControlUI* control, int index);
    // Removes and deletes the child (after the current event when one is being delivered).
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false);
    virtual bool RemoveAt(int index, bool doNotDestroy = false);
    virtual void RemoveAll();

    const RECT& GetInset() const { return m_rcInset; }
    void SetInset(RECT rc);
    int GetChildPadding() const { return m_iChildPadding; }
    void SetChildPadding(int padding);
    bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
    void SetMouseChildEnabled(bool enabled) { m_bMouseChildEnabled = enabled; }

    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetMouseEnabled(bool enabled = true) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindControl(const FindPredicate& pred, UINT flags) override;
    void DoEvent(TEventUI& event) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void DoPaint(IRenderContext& ctx, const RECT& paint) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

    // Scrolling.
    void EnableScrollBar(bool vertical = true, bool horizontal = false);
    CScrollBarUI* GetVerticalScrollBar() const { return m_pVerticalScrollBar; }
    CScrollBarUI* GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }
    SIZE GetScrollPos() const;
    SIZE GetScrollRange() const;
    virtual void SetScrollPos(SIZE pos);
    void LineUp();
    void LineDown();
    void PageUp();
    void PageDown();
    void HomeUp();
    void EndDown();
    int GetScrollLineSize() const { return m_nScrollLine; }

protected:
    // The rectangle children are laid out in: the item less inset and shown scroll bars.
    RECT GetClientRect() const;
    // Places the scroll bars for content of the given size and returns the client area.
    void ProcessScrollBar(RECT rc, int cxRequired, int cyRequired);
    void SetFloatPos(CControlUI* child);
    void SetChildVisibility(bool visible);

    std::vector<CControlUI*> m_items;
    RECT m_rcInset;
    int m_iChildPadding = 0;
    bool m_bMouseChildEnabled = true;
    int m_nScrollLine = 20;
    CScrollBarUI* m_pVerticalScrollBar = nullptr;
    CScrollBarUI* m_pHorizontalScrollBar = nullptr;
};

}  // namespace DuiLib
