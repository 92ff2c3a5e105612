#pragma once
// A pop-up menu: a window showing one CMenuUI. A top-level menu is built from a menu layout
// and opened at a screen point for a control of the main window; a sub-menu shows the child
// items of one item beside it. Every open menu listens to the context-menu observer, and a
// click on an item becomes a command for the main window.

#include <string>

#include "shell/CMenuElementUI.h"
#include "shell/CMenuUI.h"
#include "shell/ContextMenuObserver.h"
#include "shell/SkinnedWindow.h"

namespace orvalis::shell {

class CMenuWindow : public SkinnedWindow, public ReceiverImpl<ContextMenuParam> {
public:
    // `parentWindow` receives the commands (the main window).
    explicit CMenuWindow(DuiLib::HWND parentWindow);
    ~CMenuWindow() override;

    std::string GetWindowClassName() const override { return "UIMenuWnd"; }
    std::string GetSkinFile() override { return m_layoutFile; }
    void SetLayoutFile(const std::string& file) { m_layoutFile = file; }
    void SetOwnerControl(DuiLib::CControlUI* control) { m_ownerControl = control; }
    DuiLib::CControlUI* GetOwnerControl() const { return m_ownerControl; }
    CMenuElementUI* GetOwnerItem() const { return m_ownerItem; }
    // The owner item is going away: the sub-menu keeps its items and destroys them itself.
    void DetachOwnerItem() { m_ownerItem = nullptr; }
    CMenuUI* GetMenu() const;
    DuiLib::HWND GetParentWindow() const { return m_parentWindow; }

    // Opens a top-level menu with its top left corner at the point. The object deletes
    // itself when its window is gone; false (and the object is gone) when it cannot open.
    bool ShowAt(DuiLib::POINT screen);
    // Opens the sub-menu of an item beside it.
    static CMenuWindow* OpenSubMenu(CMenuElementUI* item);

    bool Receive(ContextMenuParam param) override;
    void Notify(DuiLib::TNotifyUI& msg) override;
    DuiLib::CControlUI* CreateControl(const std::string& tag) override;
    void OnFinalMessage(DuiLib::HWND hwnd) override;

    // True when the window is one of the open menus.
    static bool IsOpenMenu(DuiLib::HWND hwnd);
    // The help page the help and support items open.
    static std::string HelpPagePath();

protected:
    void Init() override;
    DuiLib::LRESULT HandleMessage(DuiLib::UINT uMsg, DuiLib::WPARAM wParam, DuiLib::LPARAM lParam) override;

private:
    bool Open(DuiLib::HWND owner);
    void PlaceAndShow();
    void FillTopLevelMenu();
    void RunCommand(DuiLib::CControlUI* item);
    bool HasAncestor(DuiLib::HWND hwnd) const;
    void HandItemsBack();

    DuiLib::HWND m_parentWindow;
    DuiLib::POINT m_point;
    CMenuElementUI* m_ownerItem = nullptr;
    CMenuWindow* m_parentMenu = nullptr;
    CMenuUI* m_subMenuList = nullptr;
    DuiLib::CControlUI* m_ownerControl = nullptr;
    std::string m_layoutFile;
};

}  // namespace orvalis::shell
