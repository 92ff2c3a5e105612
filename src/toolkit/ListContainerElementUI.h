#pragma once
// A list row that holds other controls laid out side by side.

#include "toolkit/HorizontalLayoutUI.h"
#include "toolkit/ListDefs.h"

namespace DuiLib {

class CListContainerElementUI : public CHorizontalLayoutUI, public IListItemUI {
public:
    CListContainerElementUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int index) override { m_iIndex = index; }
    IListOwnerUI* GetOwner() override { return m_pOwner; }
    void SetOwner(CControlUI* owner) override { m_pOwner = dynamic_cast<IListOwnerUI*>(owner); }
    bool IsSelected() const override { return m_bSelected; }
    void SetSelectedState(bool selected) override;
    bool Select(bool triggerEvent = true);
    bool IsHot() const { return m_bHot; }
    void DrawItemText(IRenderContext&, const RECT&) override {}

    SIZE EstimateSize(SIZE available) override;
    void DoEvent(TEventUI& event) override;
    void DoPaint(IRenderContext& ctx, const RECT& paint) override;

protected:
    void DrawItemBk(IRenderContext& ctx, const RECT& rc);

    int m_iIndex = -1;
    bool m_bSelected = false;
    bool m_bHot = false;
    IListOwnerUI* m_pOwner = nullptr;
};

}  // namespace DuiLib
