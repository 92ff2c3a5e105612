#pragma once
// The common part of list rows: index, owner, selected and hot states, the row
// background the owner's look gives, clicks that select, "itemclick", "list_item_dbclick"
// and the context menu.

#include "toolkit/ControlUI.h"
#include "toolkit/ListDefs.h"

namespace DuiLib {

class CListElementUI : public CControlUI, public IListItemUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override { return UIFLAG_WANTRETURN; }

    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int index) override { m_iIndex = index; }
    IListOwnerUI* GetOwner() override { return m_pOwner; }
    void SetOwner(CControlUI* owner) override;
    bool IsSelected() const override { return m_bSelected; }
    void SetSelectedState(bool selected) override;
    // Selects this row alone through its owner.
    bool Select(bool triggerEvent = true);
    bool IsHot() const { return m_bHot; }
    void DrawItemText(IRenderContext& ctx, const RECT& rc) override;

    void SetVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    void DoPaint(IRenderContext& ctx, const RECT& paint) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

protected:
    virtual void DrawItemBk(IRenderContext& ctx, const RECT& rc);
    ARGB ItemTextColor() const;

    int m_iIndex = -1;
    bool m_bSelected = false;
    bool m_bHot = false;
    IListOwnerUI* m_pOwner = nullptr;
};

}  // namespace DuiLib
