#pragma once
// The program's one top-level window: the header, the navigation and the five pages of
// "TabPage". It finds its controls once, routes every notification by control name to the
// handlers the pages bind (see PageHandler.h), switches pages, applies the language texts,
// and acts on the private messages the context menus post.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/CDiskListUI.h"
#include "controls/CFileTreeUI.h"
#include "disc/RecorderInfo.h"
#include "localization/LanguageCatalogue.h"
#include "media/ArchiveToolState.h"
#include "media/DiscProject.h"
#include "shell/PageHandler.h"
#include "shell/SkinnedWindow.h"
#include "toolkit/ComboUI.h"
#include "toolkit/EditUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ProgressUI.h"
#include "toolkit/TabLayoutUI.h"

namespace orvalis::shell {

inline constexpr const char* kMainWindowTitle = "Orvalis";
inline constexpr const char* kMainWindowClass = "RevereREZWnd";
inline constexpr DuiLib::DWORD kMainWindowStyle = 0x10CF0000;    // visible, overlapped window
inline constexpr DuiLib::DWORD kMainWindowExStyle = 0x00060000;  // app window, static edge

// Page kinds (PageKind) and the pages of "TabPage".
inline constexpr int32_t kPageStart = 0;
inline constexpr int32_t kPageByteBackup = 1;
inline constexpr int32_t kPageDvdToVideo = 2;
inline constexpr int32_t kPageCdBurner = 3;
inline constexpr int32_t kPageDvdBurner = 4;
inline constexpr int kTabWelcome = 0;
inline constexpr int kTabByteBackup = 1;
inline constexpr int kTabDvdToVideo = 2;
inline constexpr int kTabDisc = 3;
inline constexpr int kTabReport = 4;

// Device changes wait this long on "DiskList" so that a burst gives one refresh.
inline constexpr DuiLib::UINT_PTR kArrivalTimerId = 0;
inline constexpr DuiLib::UINT_PTR kRemovalTimerId = 1;
inline constexpr DuiLib::UINT kDeviceSettleMs = 5000;
// Modes of the disk list fill.
inline constexpr int kDiskFillStartUp = 0;
inline constexpr int kDiskFillArrival = 1;
inline constexpr int kDiskFillRemoval = 2;

inline constexpr uint64_t kCdCapacity = 0x2BC00000;  // 700 MiB

// The moments of the main window that pages take part in.
enum class MainWndHook {
    FillDiskList,           // argument: kDiskFill* (start-up, then device changes)
    FillRecorderCombo,      // once, while the window initialises
    FillOutputTypes,        // once, while the window initialises
    FillReportList,         // while the window initialises, and before the report page shows
    UpdateCapacityDisplay,  // after switching between the CD and DVD burner
};

class CMainWnd : public SkinnedWindow {
public:
    // A page's handler of one control's (or the window's) notifications of one type; true
    // when it handled the notification.
    using NotifyHandler = std::function<bool(DuiLib::TNotifyUI&)>;
    using HookHandler = std::function<void(int)>;

    CMainWnd();
    ~CMainWnd() override;

    std::string GetWindowClassName() const override { return kMainWindowClass; }
    DuiLib::UINT GetClassStyle() const override { return DuiLib::CS_DBLCLKS; }
    std::string GetSkinFile() override;
    void Notify(DuiLib::TNotifyUI& msg) override;
    DuiLib::LRESULT MessageHandler(DuiLib::UINT uMsg, DuiLib::WPARAM wParam, DuiLib::LPARAM lParam,
                                   bool& bHandled) override;
    DuiLib::CControlUI* CreateControl(const std::string& tag) override;
    void OnFinalMessage(DuiLib::HWND hwnd) override;

    // Adds a page handler besides the registered ones; before the window is created.
    void AddPageHandler(std::unique_ptr<IPageHandler> handler);
    // Does without the registered page handlers (tests that bring their own).
    void UseRegisteredPageHandlers(bool use) { m_useRegisteredPages = use; }

    // For page handlers: binds a handler to the notifications of one type from the control
    // of that name; false when the layout has no such control.
    bool BindControl(const std::string& controlName, const std::string& type, NotifyHandler handler);
    // A handler of the window-wide notifications of one type ("itemexpand",
    // "list_item_dbclick", ...), after the window's own handling.
    void AddWindowNotify(const std::string& type, NotifyHandler handler);
    void AddHook(MainWndHook hook, HookHandler handler);
    void RunHook(MainWndHook hook, int argument = 0);
    // Acts as if the control had been clicked: "click" from it, with these parameters.
    bool ClickControl(const std::string& controlName, DuiLib::WPARAM wParam = 0, DuiLib::LPARAM lParam = 0);

    // Page switching, as the navigation options do it.
    void ShowPageKind(int32_t kind);
    // Both text passes: "MainWnd", then the page texts from "Messages".
    void ApplyLanguageTexts();

    // The window's state, in the order the pages rely on.
    const localization::LanguageSection* MessagesSection = nullptr;
    std::vector<disc::RecorderInfo> Recorders;
    disc::RecorderInfo* SelectedRecorder = nullptr;
    std::vector<std::string> OutputTypes;
    int32_t PageKind = kPageStart;
    int32_t FileSystemChoice = 0;
    int32_t DvdOutputMode = 1;
    media::ArchiveToolState ListingState;
    std::unique_ptr<media::DiscProject> Project;
    uint64_t ProjectTotalSize = 0;
    uint64_t CdCapacity = kCdCapacity;
    std::vector<uint64_t> MediaCapacities;

    // The named controls, found once when the window initialises; null when the layout has
    // no such control.
    struct Controls {
        DuiLib::CControlUI* LblLogo = nullptr;
        DuiLib::CControlUI* maxbtn = nullptr;
        DuiLib::CControlUI* restorebtn = nullptr;
        DuiLib::COptionUI* OptReport = nullptr;
        DuiLib::CControlUI* BtnHelp = nullptr;
        DuiLib::COptionUI* OptBurner = nullptr;
        DuiLib::COptionUI* OptConvert = nullptr;
        DuiLib::COptionUI* OptCreator = nullptr;
        DuiLib::COptionUI* OptByteBackup = nullptr;
        DuiLib::CTabLayoutUI* TabPage = nullptr;
        DuiLib::CControlUI* PageShare = nullptr;
        DuiLib::CControlUI* PageAD = nullptr;
        controls::CDiskListUI* DiskList = nullptr;
        DuiLib::CControlUI* BtnCreateDiskImg = nullptr;
        controls::CFileTreeUI* FileTree = nullptr;
        DuiLib::CListUI* ExtractFileList = nullptr;
        DuiLib::CControlUI* BtnLoadISO = nullptr;
        DuiLib::CControlUI* BtnLoadFolder = nullptr;
        DuiLib::CControlUI* BtnExtractISO = nullptr;
        DuiLib::CControlUI* TgtDevice = nullptr;
        DuiLib::CComboUI* ExComboDevice = nullptr;
        DuiLib::CControlUI* LblConvertTitle = nullptr;
        DuiLib::CControlUI* LblRevereREZTitle = nullptr;
        DuiLib::CControlUI* LblBurnISOTitle = nullptr;
        DuiLib::CListUI* FileList = nullptr;
        DuiLib::CControlUI* ToolBar1 = nullptr;
        DuiLib::COptionUI* OptDVDT1 = nullptr;
        DuiLib::COptionUI* OptDVDT2 = nullptr;
        DuiLib::COptionUI* OptDVDT3 = nullptr;
        DuiLib::CControlUI* ToolBar2 = nullptr;
        DuiLib::COptionUI* OptCloseMedia = nullptr;
        DuiLib::COptionUI* OptEject = nullptr;
        DuiLib::CControlUI* LblVolumLabel = nullptr;
        DuiLib::CEditUI* EdtVolumeLabel = nullptr;
        DuiLib::CControlUI* LblDevice = nullptr;
        DuiLib::CComboUI* ComboDevice = nullptr;
        DuiLib::CControlUI* LblMediaType = nullptr;
        DuiLib::CComboUI* ComboMediaType = nullptr;
        DuiLib::CControlUI* ToolBar3 = nullptr;
        DuiLib::CControlUI* LblCurCapacity = nullptr;
        DuiLib::CControlUI* LblMaxCapacity = nullptr;
        DuiLib::CProgressUI* ISOCapacity = nullptr;
        DuiLib::CControlUI* BtnAddFile = nullptr;
        DuiLib::CControlUI* BtnAddFolder = nullptr;
        DuiLib::CControlUI* BtnRemoveFile = nullptr;
        DuiLib::CControlUI* BtnRemoveAll = nullptr;
        DuiLib::CControlUI* BtnCreateFileISO = nullptr;
        DuiLib::CControlUI* BtnBurnISO = nullptr;
        DuiLib::COptionUI* OptISOT1 = nullptr;
        DuiLib::COptionUI* OptISOT2 = nullptr;
        DuiLib::COptionUI* OptISOT3 = nullptr;
        DuiLib::CListUI* ReportList = nullptr;
        DuiLib::CControlUI* BtnEmptyReport = nullptr;
        DuiLib::CControlUI* BtnExportReport = nullptr;
        DuiLib::CControlUI* Version = nullptr;
    };
    const Controls& Ctl() const { return m_ctl; }

protected:
    void Init() override;
    DuiLib::LRESULT HandleMessage(DuiLib::UINT uMsg, DuiLib::WPARAM wParam, DuiLib::LPARAM lParam) override;
    DuiLib::LRESULT OnNcHitTest(DuiLib::UINT uMsg, DuiLib::WPARAM wParam, DuiLib::LPARAM lParam,
                                bool& bHandled) override;
    DuiLib::LRESULT OnSysCommand(DuiLib::UINT uMsg, DuiLib::WPARAM wParam, DuiLib::LPARAM lParam,
                                 bool& bHandled) override;

private:
    void FindControls();
    void BindOwnHandlers();
    void OnWindowInit();
    void OnSelectChanged(DuiLib::TNotifyUI& msg);
    void OnContextMenu(DuiLib::TNotifyUI& msg);
    void OnListItemDoubleClick(DuiLib::TNotifyUI& msg);
    bool OnDiskListTimer(DuiLib::TNotifyUI& msg);
    bool OnReportSelected(DuiLib::TNotifyUI& msg);
    bool OnHelpClicked(DuiLib::TNotifyUI& msg);
    void OnDeviceChange(DuiLib::WPARAM event);
    void ApplyPageTexts();
    void OpenMenu(DuiLib::CControlUI* owner, const std::string& layout, DuiLib::POINT screen);

    Controls m_ctl;
    bool m_useRegisteredPages = true;
    std::vector<std::unique_ptr<IPageHandler>> m_pages;
    std::multimap<std::string, NotifyHandler> m_windowNotify;
    std::multimap<MainWndHook, HookHandler> m_hooks;
};

}  // namespace orvalis::shell
