#pragma once
// One item of a menu: its background image (the item's icon), its text in the menu's look
// and its fore image (the arrow of an item with a sub-menu). Items placed inside an item
// are its sub-menu, shown in a menu window of their own while the mouse is on the item.

#include "toolkit/ListContainerElementUI.h"

namespace orvalis::shell {

class CMenuWindow;

class CMenuElementUI : public DuiLib::CListContainerElementUI {
public:
    CMenuElementUI();
    ~CMenuElementUI() override;
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // The items of this item's sub-menu (while no sub-menu window holds them).
    int ChildItemCount() const;
    CMenuWindow* GetSubMenuWindow() const { return m_subMenu; }
    void SetSubMenuWindow(CMenuWindow* window) { m_subMenu = window; }

    DuiLib::SIZE EstimateSize(DuiLib::SIZE available) override;
    void SetPos(DuiLib::RECT rc, bool needInvalidate = true) override;
    void DoEvent(DuiLib::TEventUI& event) override;
    void DoPaint(DuiLib::IRenderContext& ctx, const DuiLib::RECT& paint) override;

private:
    CMenuWindow* MenuWindow() const;
    void OpenSubMenu();

    CMenuWindow* m_subMenu = nullptr;
};

}  // namespace orvalis::shell
