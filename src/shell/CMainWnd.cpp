#include "shell/CMainWnd.h"

#include "controls/CListImageTextNodeUI.h"
#include "shell/CMenuWindow.h"
#include "shell/CMessageBox.h"
#include "shell/MainWndMessages.h"
#include "shell/ShellLanguage.h"

namespace orvalis::shell {

using namespace DuiLib;

namespace {

// The page texts that come from "Messages": control, key.
constexpr std::pair<const char*, const char*> kPageTexts[] = {
    {"OptCreator", "CDBurn"},
    {"OptBurner", "DVDBurn"},
    {"OptConvert", "DVD2Video"},
    {"LblRevereREZTitle", "CreateCD"},
    {"LblBurnISOTitle", "CreateDVD"},
    {"OptDVDT1", "OptDVDT1"},
    {"OptDVDT2", "OptDVDT2"},
    {"OptDVDT3", "OptDVDT3"},
    {"LblVolumLabel", "LblVolumLabel"},
    {"OptCloseMedia", "OptCloseMedia"},
    {"OptEject", "OptEject"},
    {"LblDevice", "LblDevice"},
    {"LblMediaType", "LblMediaType"},
    {"BtnAddFile", "AddFile"},
    {"BtnRemoveFile", "RemoveFile"},
    {"BtnRemoveAll", "RemoveAll"},
    {"BtnCreateFileISO", "BurnCDBtn"},
    {"BtnBurnISO", "BurnDVDBtn"},
    {"BtnLoadISO", "LoadISO"},
    {"BtnLoadFolder", "LoadDVD"},
    {"TgtDevice", "SaveVideo"},
    {"BtnExtractISO", "ConvertBtn"},
    {"LblConvertTitle", "ConvertDes"},
};

constexpr const char* kLogoImage = "file='logo-head.png' dest='0,4,72,76'";

void Show(CControlUI* control, bool visible) {
    if (control) control->SetVisible(visible);
}

std::string TextOf(const localization::LanguageSection* section, const std::string& key) {
    if (!section) return {};
    auto it = section->find(key);
    return it == section->end() ? std::string() : it->second;
}

}  // namespace

CMainWnd::CMainWnd() : Project(std::make_unique<media::DiscProject>()) {}

CMainWnd::~CMainWnd() = default;

std::string CMainWnd::GetSkinFile() {
    return GuardWindowCall("CMainWnd::GetSkinFile", [] { return std::string("xml/skin.xml"); });
}

void CMainWnd::AddPageHandler(std::unique_ptr<IPageHandler> handler) {
    if (handler) m_pages.push_back(std::move(handler));
}

CControlUI* CMainWnd::CreateControl(const std::string& tag) {
    if (tag == "FileTree") return new controls::CFileTreeUI;
    if (tag == "DiskList") return new controls::CDiskListUI;
    return nullptr;
}

void CMainWnd::FindControls() {
    auto find = [this](const char* name) { return m_pm.FindControl(name); };
    auto option = [this](const char* name) { return m_pm.Find<COptionUI>(name); };
    Controls& c = m_ctl;
    c.LblLogo = find("LblLogo");
    c.maxbtn = find("maxbtn");
    c.restorebtn = find("restorebtn");
    c.OptReport = option("OptReport");
    c.BtnHelp = find("BtnHelp");
    c.OptBurner = option("OptBurner");
    c.OptConvert = option("OptConvert");
    c.OptCreator = option("OptCreator");
    c.OptByteBackup = option("OptByteBackup");
    c.TabPage = m_pm.Find<CTabLayoutUI>("TabPage");
    c.PageShare = find("PageShare");
    c.PageAD = find("PageAD");
    c.DiskList = m_pm.Find<controls::CDiskListUI>("DiskList");
    c.BtnCreateDiskImg = find("BtnCreateDiskImg");
    c.FileTree = m_pm.Find<controls::CFileTreeUI>("FileTree");
    c.ExtractFileList = m_pm.Find<CListUI>("ExtractFileList");
    c.BtnLoadISO = find("BtnLoadISO");
    c.BtnLoadFolder = find("BtnLoadFolder");
    c.BtnExtractISO = find("BtnExtractISO");
    c.TgtDevice = find("TgtDevice");
    c.ExComboDevice = m_pm.Find<CComboUI>("ExComboDevice");
    c.LblConvertTitle = find("LblConvertTitle");
    c.LblRevereREZTitle = find("LblRevereREZTitle");
    c.LblBurnISOTitle = find("LblBurnISOTitle");
    c.FileList = m_pm.Find<CListUI>("FileList");
    c.ToolBar1 = find("ToolBar1");
    c.OptDVDT1 = option("OptDVDT1");
    c.OptDVDT2 = option("OptDVDT2");
    c.OptDVDT3 = option("OptDVDT3");
    c.ToolBar2 = find("ToolBar2");
    c.OptCloseMedia = option("OptCloseMedia");
    c.OptEject = option("OptEject");
    c.LblVolumLabel = find("LblVolumLabel");
    c.EdtVolumeLabel = m_pm.Find<CEditUI>("EdtVolumeLabel");
    c.LblDevice = find("LblDevice");
    c.ComboDevice = m_pm.Find<CComboUI>("ComboDevice");
    c.LblMediaType = find("LblMediaType");
    c.ComboMediaType = m_pm.Find<CComboUI>("ComboMediaType");
    c.ToolBar3 = find("ToolBar3");
    c.LblCurCapacity = find("LblCurCapacity");
    c.LblMaxCapacity = find("LblMaxCapacity");
    c.ISOCapacity = m_pm.Find<CProgressUI>("ISOCapacity");
    c.BtnAddFile = find("BtnAddFile");
    c.BtnAddFolder = find("BtnAddFolder");
    c.BtnRemoveFile = find("BtnRemoveFile");
    c.BtnRemoveAll = find("BtnRemoveAll");
    c.BtnCreateFileISO = find("BtnCreateFileISO");
    c.BtnBurnISO = find("BtnBurnISO");
    c.OptISOT1 = option("OptISOT1");
    c.OptISOT2 = option("OptISOT2");
    c.OptISOT3 = option("OptISOT3");
    c.ReportList = m_pm.Find<CListUI>("ReportList");
    c.BtnEmptyReport = find("BtnEmptyReport");
    c.BtnExportReport = find("BtnExportReport");
    c.Version = find("Version");
}

void CMainWnd::Init() {
    GuardWindowCall("CMainWnd::Init", [this] {
        SetUiThreadWindow(GetHWND());
        FindControls();
        BindOwnHandlers();
        if (m_useRegisteredPages) {
            for (auto& page : CreateRegisteredPageHandlers()) m_pages.push_back(std::move(page));
        }
        for (auto& page : m_pages) page->Bind(*this);
    });
}

bool CMainWnd::BindControl(const std::string& controlName, const std::string& type, NotifyHandler handler) {
    CControlUI* control = m_pm.FindControl(controlName);
    if (!control || !handler) return false;
    // Each handler looks only at its own type; the notification always goes on to the window.
    control->OnNotify += [type, handler = std::move(handler)](TNotifyUI& msg) {
        if (msg.sType == type) handler(msg);
        return true;
    };
    return true;
}

void CMainWnd::AddWindowNotify(const std::string& type, NotifyHandler handler) {
    if (handler) m_windowNotify.emplace(type, std::move(handler));
}

void CMainWnd::AddHook(MainWndHook hook, HookHandler handler) {
    if (handler) m_hooks.emplace(hook, std::move(handler));
}

void CMainWnd::RunHook(MainWndHook hook, int argument) {
    auto [first, last] = m_hooks.equal_range(hook);
    std::vector<HookHandler> handlers;
    for (auto it = first; it != last; ++it) handlers.push_back(it->second);
    for (HookHandler& handler : handlers) handler(argument);
}

bool CMainWnd::ClickControl(const std::string& controlName, WPARAM wParam, LPARAM lParam) {
    CControlUI* control = m_pm.FindControl(controlName);
    if (!control) return false;
    m_pm.SendNotify(control, DUI_MSGTYPE_CLICK, wParam, lParam);
    return true;
}

void CMainWnd::BindOwnHandlers() {
    BindControl("DiskList", DUI_MSGTYPE_TIMER, [this](TNotifyUI& msg) { return OnDiskListTimer(msg); });
    BindControl("OptReport", DUI_MSGTYPE_SELECTCHANGED, [this](TNotifyUI& msg) { return OnReportSelected(msg); });
    BindControl("BtnHelp", DUI_MSGTYPE_CLICK, [this](TNotifyUI& msg) { return OnHelpClicked(msg); });
}

void CMainWnd::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_WINDOWINIT) {
        OnWindowInit();
    } else if (msg.sType == DUI_MSGTYPE_SELECTCHANGED) {
        if (msg.pSender && msg.pSender->GetClass() == "OptionUI") OnSelectChanged(msg);
    } else if (msg.sType == DUI_MSGTYPE_MENU) {
        OnContextMenu(msg);
    } else if (msg.sType == DUI_MSGTYPE_LISTITEMDBCLICK) {
        OnListItemDoubleClick(msg);
    } else {
        WindowImplBase::Notify(msg);
    }
    auto [first, last] = m_windowNotify.equal_range(msg.sType);
    std::vector<NotifyHandler> handlers;
    for (auto it = first; it != last; ++it) handlers.push_back(it->second);
    for (NotifyHandler& handler : handlers) handler(msg);
}

void CMainWnd::OnWindowInit() {
    MessagesSection = &Catalogue().GetLanguageSection("Messages");
    ApplyWindowTexts(m_pm, "MainWnd", DisabledControls::EnableWhileSetting);
    ShowWindow(false);
    Show(m_ctl.PageShare, false);
    Show(m_ctl.PageAD, false);
    if (m_ctl.LblLogo) m_ctl.LblLogo->SetBkImage(kLogoImage);
    PageKind = kPageStart;
    if (m_ctl.LblLogo) m_ctl.LblLogo->SetText(TextOf(MessagesSection, "MSG0002"));
    // The first page is the DVD burner, although no navigation option shows it selected.
    ShowPageKind(kPageDvdBurner);
    ShowWindow(true, true);
    FileSystemChoice = 0;
    DvdOutputMode = 1;
    ApplyPageTexts();
    RunHook(MainWndHook::FillDiskList, kDiskFillStartUp);
    RunHook(MainWndHook::FillRecorderCombo);
    RunHook(MainWndHook::FillOutputTypes);
    RunHook(MainWndHook::FillReportList);
}

void CMainWnd::ShowPageKind(int32_t kind) {
    CTabLayoutUI* tab = m_ctl.TabPage;
    switch (kind) {
    case kPageByteBackup:
        PageKind = kind;
        if (tab) tab->SelectItem(kTabByteBackup);
        break;
    case kPageDvdToVideo:
        PageKind = kind;
        if (tab) tab->SelectItem(kTabDvdToVideo);
        break;
    case kPageCdBurner:
        PageKind = kind;
        Show(m_ctl.LblRevereREZTitle, true);
        Show(m_ctl.ToolBar3, true);
        Show(m_ctl.BtnCreateFileISO, true);
        Show(m_ctl.LblBurnISOTitle, false);
        Show(m_ctl.ToolBar1, false);
        Show(m_ctl.ToolBar2, false);
        Show(m_ctl.BtnBurnISO, false);
        RunHook(MainWndHook::UpdateCapacityDisplay);
        if (tab) tab->SelectItem(kTabDisc);
        break;
    case kPageDvdBurner:
        PageKind = kind;
        Show(m_ctl.LblBurnISOTitle, true);
        Show(m_ctl.ToolBar1, true);
        Show(m_ctl.ToolBar2, true);
        Show(m_ctl.ToolBar3, true);
        Show(m_ctl.BtnBurnISO, true);
        Show(m_ctl.LblRevereREZTitle, false);
        Show(m_ctl.BtnCreateFileISO, false);
        RunHook(MainWndHook::UpdateCapacityDisplay);
        if (tab) tab->SelectItem(kTabDisc);
        break;
    default:
        break;
    }
}

void CMainWnd::OnSelectChanged(TNotifyUI& msg) {
    const std::string& name = msg.pSender->GetName();
    if (name == "OptByteBackup") ShowPageKind(kPageByteBackup);
    else if (name == "OptConvert") ShowPageKind(kPageDvdToVideo);
    else if (name == "OptCreator") ShowPageKind(kPageCdBurner);
    else if (name == "OptBurner") ShowPageKind(kPageDvdBurner);
    else if (name == "OptISOT1") FileSystemChoice = 0;
    else if (name == "OptISOT2") FileSystemChoice = 1;
    else if (name == "OptISOT3") FileSystemChoice = 2;
    else if (name == "OptDVDT1") DvdOutputMode = 1;
    else if (name == "OptDVDT2") DvdOutputMode = 2;
    else if (name == "OptDVDT3") DvdOutputMode = 3;
}

bool CMainWnd::OnReportSelected(TNotifyUI&) {
    RunHook(MainWndHook::FillReportList);
    if (m_ctl.TabPage) m_ctl.TabPage->SelectItem(kTabReport);
    return true;
}

bool CMainWnd::OnHelpClicked(TNotifyUI& msg) {
    CControlUI* button = msg.pSender;
    if (!button) return false;
    POINT corner{button->GetPos().left, button->GetPos().bottom};
    ClientToScreen(GetHWND(), &corner);
    OpenMenu(button, "Menu_Help.xml", corner);
    return true;
}

void CMainWnd::OnContextMenu(TNotifyUI& msg) {
    if (!msg.pSender) return;
    const std::string& name = msg.pSender->GetName();
    const char* layout = nullptr;
    if (name == "FileList") layout = "Menu_Creater.xml";
    else if (name == "ExtractFileList" || name == "FileTree") layout = "Menu_Extractor.xml";
    if (!layout) return;
    POINT point = msg.ptMouse;
    ClientToScreen(GetHWND(), &point);
    OpenMenu(msg.pSender, layout, point);
}

void CMainWnd::OpenMenu(CControlUI* owner, const std::string& layout, POINT screen) {
    auto* menu = new CMenuWindow(GetHWND());
    menu->SetOwnerControl(owner);
    menu->SetLayoutFile("xml/" + layout);
    menu->ShowAt(screen);
}

void CMainWnd::OnListItemDoubleClick(TNotifyUI& msg) {
    if (!msg.pSender || !m_ctl.DiskList) return;
    auto* row = static_cast<controls::CListImageTextNodeUI*>(msg.pSender->GetInterface("ListImageTextNodeUI"));
    if (!row || m_ctl.DiskList->GetItemIndex(row) < 0) return;
    controls::CListExUI::Node* node = row->GetNode();
    if (node && !node->children.empty()) m_ctl.DiskList->SetChildVisible(node, !node->expanded);
}

bool CMainWnd::OnDiskListTimer(TNotifyUI& msg) {
    if (msg.wParam != kArrivalTimerId && msg.wParam != kRemovalTimerId) return false;
    RunHook(MainWndHook::FillDiskList, msg.wParam == kArrivalTimerId ? kDiskFillArrival : kDiskFillRemoval);
    // Both device timers stop, so that a burst of events gives one refresh. The list's own
    // scrolling timer keeps running.
    if (m_ctl.DiskList) {
        m_ctl.DiskList->KillTimer(kArrivalTimerId);
        m_ctl.DiskList->KillTimer(kRemovalTimerId);
    }
    return true;
}

void CMainWnd::OnDeviceChange(WPARAM event) {
    if (!m_ctl.DiskList) return;
    // A timer that is already running is not set again: the first event of a burst counts.
    if (event == DBT_DEVICEARRIVAL) m_ctl.DiskList->SetTimer(kArrivalTimerId, kDeviceSettleMs);
    else if (event == DBT_DEVICEREMOVECOMPLETE) m_ctl.DiskList->SetTimer(kRemovalTimerId, kDeviceSettleMs);
}

void CMainWnd::ApplyLanguageTexts() {
    ApplyWindowTexts(m_pm, "MainWnd", DisabledControls::EnableWhileSetting);
    ApplyPageTexts();
}

void CMainWnd::ApplyPageTexts() {
    for (const auto& [control, key] : kPageTexts) {
        if (CControlUI* c = m_pm.FindControl(control)) c->SetText(TextOf(MessagesSection, key));
    }
}

LRESULT CMainWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return GuardWindowCall("CMainWnd::HandleMessage", [&]() -> LRESULT {
        switch (uMsg) {
        case WM_NCLBUTTONDBLCLK:
            // A double click on the caption neither maximises nor restores.
            return 1;
        case WM_DEVICECHANGE:
            OnDeviceChange(wParam);
            return 1;
        case WM_LANGUAGE_CHANGED:
            MessagesSection = &Catalogue().GetLanguageSection("Messages");
            ApplyLanguageTexts();
            return 1;
        case WM_CLICK_ADD_FILE:
            ClickControl("BtnAddFile");
            return 1;
        case WM_CLICK_ADD_FOLDER:
            ClickControl("BtnAddFolder");
            return 1;
        case WM_CLICK_REMOVE_FILE:
            ClickControl("BtnRemoveFile");
            return 1;
        case WM_CLICK_LOAD_ISO:
            ClickControl("BtnLoadISO");
            return 1;
        case WM_CLICK_EXTRACT_ISO:
            ClickControl("BtnExtractISO", wParam, lParam);
            return 1;
        case WM_CLICK_REMOVE_ALL:
            ClickControl("BtnRemoveAll");
            return 1;
        default:
            return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
        }
    });
}

LRESULT CMainWnd::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    // Enter and Escape are swallowed: Escape does not close the main window.
    if (uMsg == WM_KEYDOWN && (wParam == static_cast<WPARAM>(VK_RETURN) || wParam == static_cast<WPARAM>(VK_ESCAPE))) {
        bHandled = true;
        return 1;
    }
    bHandled = false;
    return 0;
}

LRESULT CMainWnd::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& bHandled) {
    bHandled = true;
    return CaptionHitTest(PointFromLParam(lParam), {"ButtonUI", "OptionUI", "TextUI", "EditUI", "CheckBoxUI"});
}

LRESULT CMainWnd::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        bHandled = true;
        SendMessage(WM_CLOSE);
        return 0;
    }
    return WindowImplBase::OnSysCommand(uMsg, wParam, lParam, bHandled);
}

void CMainWnd::OnFinalMessage(HWND hwnd) {
    GuardWindowCall("CMainWnd::OnFinalMessage", [&] {
        WindowImplBase::OnFinalMessage(hwnd);
        ForgetUiThreadWindow(hwnd);
        PostQuitMessage(0);
    });
    delete this;
}

}  // namespace orvalis::shell
