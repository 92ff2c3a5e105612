#include "shell/CMenuWindow.h"

#include <algorithm>

#include "platform/Paths.h"
#include "platform/ShellOpen.h"
#include "shell/MainWndMessages.h"
#include "shell/ShellLanguage.h"

namespace orvalis::shell {

using namespace DuiLib;

namespace {

ObserverImpl<ContextMenuParam> g_contextMenuObserver;

constexpr DWORD kMenuStyle = WS_POPUP;
constexpr DWORD kMenuExStyle = WS_EX_TOOLWINDOW;
constexpr const char* kCurrentLanguageMark = "file='point.png' source='0,0,16,16' dest='0,4,16,20'";
constexpr int kLanguageItemHeight = 28;

// Keeps a rectangle of that size inside the work area, moved as little as possible.
RECT KeepInside(RECT rc, const RECT& work) {
    int w = std::min(rc.Width(), work.Width()), h = std::min(rc.Height(), work.Height());
    int x = std::clamp(rc.left, work.left, work.right - w);
    int y = std::clamp(rc.top, work.top, work.bottom - h);
    return {x, y, x + w, y + h};
}

}  // namespace

ObserverImpl<ContextMenuParam>& ContextMenuObserver() { return g_contextMenuObserver; }

CMenuWindow::CMenuWindow(HWND parentWindow) : m_parentWindow(parentWindow) {}

CMenuWindow::~CMenuWindow() { ContextMenuObserver().RemoveReceiver(this); }

CMenuUI* CMenuWindow::GetMenu() const { return dynamic_cast<CMenuUI*>(m_pm.GetRoot()); }

std::string CMenuWindow::HelpPagePath() { return platform::ProgramFolder() + "Help/index.html"; }

bool CMenuWindow::IsOpenMenu(HWND hwnd) {
    if (!hwnd) return false;
    for (ReceiverImpl<ContextMenuParam>* receiver : ContextMenuObserver().Receivers()) {
        auto* menu = dynamic_cast<CMenuWindow*>(receiver);
        if (menu && menu->GetHWND() == hwnd) return true;
    }
    return false;
}

CControlUI* CMenuWindow::CreateControl(const std::string& tag) {
    if (tag == "Menu") return new CMenuUI;
    if (tag == "MenuElement") return new CMenuElementUI;
    return nullptr;
}

bool CMenuWindow::Open(HWND owner) {
    if (!GetHost()) {
        delete this;
        return false;
    }
    ContextMenuObserver().AddReceiver(this);
    // A window that cannot be created is destroyed at once, and the object with it.
    if (!Create(owner, "", kMenuStyle, kMenuExStyle, 0, 0, 0, 0)) return false;
    PlaceAndShow();
    return true;
}

bool CMenuWindow::ShowAt(POINT screen) {
    m_point = screen;
    m_ownerItem = nullptr;
    return Open(m_parentWindow);
}

CMenuWindow* CMenuWindow::OpenSubMenu(CMenuElementUI* item) {
    CPaintManagerUI* pm = item ? item->GetManager() : nullptr;
    auto* parentMenu = pm ? dynamic_cast<CMenuWindow*>(pm->GetWindow()) : nullptr;
    if (!parentMenu) return nullptr;
    auto* menu = new CMenuWindow(parentMenu->m_parentWindow);
    menu->m_ownerItem = item;
    menu->m_parentMenu = parentMenu;
    menu->m_ownerControl = parentMenu->m_ownerControl;
    // The sub-menu is built from its parent's layout for the look and fonts, then holds only
    // the item's children.
    menu->m_layoutFile = parentMenu->m_layoutFile;
    item->SetSubMenuWindow(menu);
    if (!menu->Open(parentMenu->GetHWND())) {
        item->SetSubMenuWindow(nullptr);
        return nullptr;
    }
    return menu;
}

void CMenuWindow::Init() {
    CMenuUI* list = GetMenu();
    if (!list || !m_ownerItem) return;
    list->RemoveAll();
    m_subMenuList = list;
    std::vector<CControlUI*> children;
    for (int i = 0; i < m_ownerItem->GetCount(); ++i) {
        CControlUI* child = m_ownerItem->GetItemAt(i);
        if (child->GetInterface("MenuElement")) children.push_back(child);
    }
    for (CControlUI* child : children) {
        m_ownerItem->Remove(child, true);
        child->SetVisible(true);
        list->Add(child);
    }
}

void CMenuWindow::HandItemsBack() {
    if (!m_ownerItem || !m_subMenuList) return;
    IListOwnerUI* parentList = m_ownerItem->GetOwner();
    while (m_subMenuList->GetCount() > 0) {
        CControlUI* child = m_subMenuList->GetItemAt(0);
        m_subMenuList->RemoveAt(0, true);
        child->SetVisible(false);
        m_ownerItem->Add(child);
        if (IListItemUI* item = AsListItem(child); item && parentList) item->SetOwner(parentList->GetOwnerControl());
    }
    m_subMenuList = nullptr;
}

void CMenuWindow::PlaceAndShow() {
    CMenuUI* list = GetMenu();
    SIZE size = list ? list->ContentSize() : SIZE{};
    RECT rc{m_point.x, m_point.y, m_point.x + size.cx, m_point.y + size.cy};
    if (m_ownerItem && m_parentMenu) {
        // Beside the item, on the right when there is room, otherwise on the left.
        RECT parent = m_parentMenu->GetWindowRect();
        RECT item = m_ownerItem->GetPos();
        int top = parent.top + item.top - (list ? list->GetInset().top : 0);
        rc = {parent.right, top, parent.right + size.cx, top + size.cy};
        RECT work = GetMonitorWorkArea(parent);
        if (rc.right > work.right) rc = {parent.left - size.cx, top, parent.left, top + size.cy};
        rc = KeepInside(rc, work);
    } else {
        rc = KeepInside(rc, GetMonitorWorkArea(rc));
        if (GetHostWindow()) GetHostWindow()->SetTopmost(true);
    }
    SetWindowRect(rc);
    ShowWindow(true, true);
    // The main window's frame stays shown as active while its menu has the focus.
    HWND top = m_parentWindow;
    if (top && IsWindow(top)) ::DuiLib::SendMessage(top, WM_NCACTIVATE, 1, 0);
}

void CMenuWindow::FillTopLevelMenu() {
    ApplyWindowTexts(m_pm, "MenuWnd", DisabledControls::SetDirectly);
    auto* languages = m_pm.Find<CMenuElementUI>("ItemLanguage");
    if (!languages) return;
    localization::LanguageCatalogue& catalogue = Catalogue();
    const std::string& current = catalogue.GetCurrentLanguage();
    for (const localization::LanguageInfo& language : catalogue.GetAvailableLanguages()) {
        auto* item = new CMenuElementUI;
        item->SetName(language.identifier);
        item->SetText(language.displayName);
        item->SetFixedHeight(kLanguageItemHeight);
        item->SetFixedWidth(languages->GetFixedWidth());
        item->SetVisible(false);
        if (language.identifier == current) item->SetBkImage(kCurrentLanguageMark);
        languages->Add(item);
    }
}

void CMenuWindow::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_WINDOWINIT) {
        if (!m_ownerItem) FillTopLevelMenu();
        return;
    }
    if (msg.sType == DUI_MSGTYPE_ITEMCLICK) {
        RunCommand(msg.pSender);
        return;
    }
    WindowImplBase::Notify(msg);
}

void CMenuWindow::RunCommand(CControlUI* item) {
    CControlUI* root = m_pm.GetRoot();
    if (!item || !root) return;
    const std::string& menu = root->GetName();
    const std::string& name = item->GetName();
    HWND target = m_parentWindow;
    auto post = [target](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        if (target) ::DuiLib::PostMessage(target, message, wParam, lParam);
    };
    if (menu == "MenuCreater") {
        if (name == "ItemAddFile") post(WM_CLICK_ADD_FILE);
        else if (name == "ItemAddFolder") post(WM_CLICK_ADD_FOLDER);
        else if (name == "ItemRemove") post(WM_CLICK_REMOVE_FILE);
        else if (name == "ItemRemoveAll") post(WM_CLICK_REMOVE_ALL);
    } else if (menu == "MenuExtractor") {
        if (name == "ItemLoadISOFile") {
            post(WM_CLICK_LOAD_ISO);
        } else if (name == "ItemExtractISOFile") {
            std::string owner = m_ownerControl ? m_ownerControl->GetName() : std::string();
            if (owner == "ExtractFileList") post(WM_CLICK_EXTRACT_ISO, 0, kExtractFromList);
            else if (owner == "FileTree") post(WM_CLICK_EXTRACT_ISO, 0, kExtractFromTree);
        }
    } else if (menu == "MenuHelp") {
        if (m_ownerItem && m_ownerItem->GetName() == "ItemLanguage") {
            Catalogue().SetCurrentLanguage(name);
            post(WM_LANGUAGE_CHANGED);
        } else if (name == "ItemHelp" || name == "ItemSupport") {
            platform::ShellOpen(HelpPagePath());
        } else if (name == "ItemExit") {
            PostQuitMessage(0);
        }
    }
}

bool CMenuWindow::HasAncestor(HWND hwnd) const {
    for (const CMenuWindow* menu = m_parentMenu; menu; menu = menu->m_parentMenu) {
        if (menu->GetHWND() == hwnd) return true;
    }
    return false;
}

bool CMenuWindow::Receive(ContextMenuParam param) {
    if (param.wParam == ContextMenuParam::kCloseAll) Close();
    else if (param.wParam == ContextMenuParam::kCloseDescendants && HasAncestor(param.hWnd)) Close();
    return true;
}

LRESULT CMenuWindow::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_KILLFOCUS:
        // Focus that goes anywhere but to another open menu closes them all.
        if (!IsOpenMenu(reinterpret_cast<HWND>(wParam)))
            ContextMenuObserver().Broadcast({ContextMenuParam::kCloseAll, nullptr});
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return 0;
    case WM_DESTROY:
        HandItemsBack();
        // The focus goes back to the menu this one was opened from, or to the main window.
        if (GetFocus() == GetHWND()) {
            HWND next = m_parentMenu && IsWindow(m_parentMenu->GetHWND()) ? m_parentMenu->GetHWND() : m_parentWindow;
            if (next && IsWindow(next)) SetFocus(next);
        }
        break;
    default:
        break;
    }
    return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

void CMenuWindow::OnFinalMessage(HWND hwnd) {
    ContextMenuObserver().RemoveReceiver(this);
    WindowImplBase::OnFinalMessage(hwnd);
    if (m_ownerItem) m_ownerItem->SetSubMenuWindow(nullptr);
    delete this;
}

}  // namespace orvalis::shell
