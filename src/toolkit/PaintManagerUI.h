#pragma once
// One per window: the root of the control tree, names, focus, capture and hover, the
// translation of window messages into control events, per-control timers, notifications
// and their receivers, message filters, and the window's resources (fonts, per-class
// default attributes, styles, option groups, images).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/ControlUI.h"
#include "toolkit/Host.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/Notify.h"

namespace DuiLib {

class CWindowWnd;

// Private message that carries asynchronous notifications and the first layout.
inline constexpr UINT WM_DUI_FIRSTLAYOUT = WM_APP + 0x3F0;
inline constexpr UINT WM_DUI_ASYNCNOTIFY = WM_APP + 0x3F1;

class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    void Init(HWND hwnd, CWindowWnd* window);
    HWND GetPaintWindow() const { return m_hWnd; }
    CWindowWnd* GetWindow() const { return m_pWindow; }

    // Window properties a layout sets.
    SIZE GetInitSize() const { return m_szInitWindowSize; }
    void SetInitSize(int cx, int cy);
    SIZE GetMinInfo() const { return m_szMinWindow; }
    void SetMinInfo(int cx, int cy) { m_szMinWindow = {cx, cy}; }
    SIZE GetMaxInfo() const { return m_szMaxWindow; }
    void SetMaxInfo(int cx, int cy) { m_szMaxWindow = {cx, cy}; }
    const RECT& GetCaptionRect() const { return m_rcCaption; }
    void SetCaptionRect(const RECT& rc) { m_rcCaption = rc; }
    const RECT& GetSizeBox() const { return m_rcSizeBox; }
    void SetSizeBox(const RECT& rc) { m_rcSizeBox = rc; }
    SIZE GetRoundCorner() const { return m_szRoundCorner; }
    void SetRoundCorner(int cx, int cy);
    SIZE GetClientSize() const;

    // The control tree.
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return m_pRoot; }
    bool InitControls(CControlUI* control, CControlUI* parent = nullptr);
    // Detaches a subtree from names, focus, capture, hover, timers and pending notifications.
    void ReapObjects(CControlUI* control);
    // Deletes a control that left the tree, after the current event or notification when
    // one is being delivered (so that a sender outlives its handlers).
    void ReleaseControl(CControlUI* control);
    CControlUI* FindControl(const std::string& name) const;
    CControlUI* FindControl(POINT pt) const;
    CControlUI* FindSubControlByName(CControlUI* parent, const std::string& name) const;
    template <typename T>
    T* Find(const std::string& name) const {
        return dynamic_cast<T*>(FindControl(name));
    }
    void NameChanged(CControlUI* control, const std::string& oldName);

    // Focus, capture, hover.
    CControlUI* GetFocus() const { return m_pFocus; }
    void SetFocus(CControlUI* control);
    // Moves the focus without raising the focus events' notifications.
    void SetFocusNeeded(CControlUI* control);
    CControlUI* GetHover() const { return m_pEventHover; }
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return m_bMouseCapture; }
    POINT GetMousePos() const { return m_ptLastMousePos; }

    // Timers of controls. A timer already running is not set again (false).
    bool SetTimer(CControlUI* control, UINT_PTR id, UINT elapseMs);
    bool KillTimer(CControlUI* control, UINT_PTR id);
    void KillTimer(CControlUI* control);
    bool HasTimer(CControlUI* control, UINT_PTR id) const;

    // Notifications: first to the sender's bound handlers, then to each notifier in order.
    void SendNotify(CControlUI* sender, const std::string& type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool async = false);
    void SendNotify(TNotifyUI& msg, bool async = false);
    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    bool IsDelivering() const { return m_nDeliveryDepth > 0; }

    // Message filters: pre-translation (before dispatch, in every message loop) and
    // in-window (while the window handles a message).
    bool AddPreMessageFilter(IMessageFilterUI* filter);
    bool RemovePreMessageFilter(IMessageFilterUI* filter);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);
    // Every loop of the thread calls this before dispatching; true when a filter took it.
    static bool TranslateMessage(const MSG* msg);
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    // The window's handling of a message for its controls; true when handled.
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);

    // Option groups.
    bool AddOptionGroup(const std::string& group, CControlUI* control);
    const std::vector<CControlUI*>* GetOptionGroup(const std::string& group) const;
    void RemoveOptionGroup(const std::string& group, CControlUI* control);

    // Fonts by id; -1 or an unknown id is the default font.
    void AddFont(int id, const TFontInfo& font, bool isDefault);
    const TFontInfo& GetFont(int id) const;
    const TFontInfo& GetDefaultFont() const { return m_defaultFont; }
    bool HasFont(int id) const { return m_fonts.count(id) > 0; }
    ARGB GetDefaultFontColor() const { return m_dwDefaultFontColor; }
    void SetDefaultFontColor(ARGB color) { m_dwDefaultFontColor = color; }
    ARGB GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
    void SetDefaultDisabledColor(ARGB color) { m_dwDefaultDisabledColor = color; }
    SIZE MeasureText(std::string_view text, int fontId) const;

    // Default attribute lists by layout tag or class name, and named styles.
    void AddDefaultAttributeList(const std::string& controlName, const std::string& attributes);
    const std::string* GetDefaultAttributeList(const std::string& controlName) const;
    void AddStyle(const std::string& name, const std::string& attributes);
    const std::string* GetStyle(const std::string& name) const;

    // Images from the skin package or, when not in it, from the file system.
    std::shared_ptr<IHostImage> GetImage(const std::string& file);
    const TImageDesc* GetImageDesc(const std::string& desc);
    void AddImage(const std::string& name, std::shared_ptr<IHostImage> image);

    // Painting and layout.
    void Invalidate();
    void Invalidate(const RECT& rc);
    void NeedUpdate() { m_bUpdateNeeded = true; }
    void EnsureLayout();
    void Paint(IRenderContext& ctx, const RECT& dirty);
    bool IsInitialised() const { return m_bWindowInitSent; }

    // The window under test or on screen that owns a control.
    static CPaintManagerUI* FromWindow(HWND hwnd);

private:
    void DispatchToControl(CControlUI* control, TEventUI& event);
    TEventUI MakeEvent(int type, CControlUI* sender, WPARAM wParam, LPARAM lParam) const;
    void FlushDelayedCleanup();

    HWND m_hWnd = nullptr;
    CWindowWnd* m_pWindow = nullptr;
    CControlUI* m_pRoot = nullptr;
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    CControlUI* m_pEventKey = nullptr;
    bool m_bMouseCapture = false;
    bool m_bMouseTracking = false;
    bool m_bUpdateNeeded = true;
    bool m_bWindowInitSent = false;
    bool m_bFirstLayoutPosted = false;
    POINT m_ptLastMousePos{-1, -1};
    SIZE m_szInitWindowSize;
    SIZE m_szMinWindow;
    SIZE m_szMaxWindow;
    RECT m_rcCaption;
    RECT m_rcSizeBox;
    SIZE m_szRoundCorner;
    int m_nDeliveryDepth = 0;

    std::multimap<std::string, CControlUI*> m_names;
    struct TimerInfo {
        CControlUI* control;
        UINT_PTR id;
        UINT_PTR nativeId;
    };
    std::vector<TimerInfo> m_timers;
    UINT_PTR m_nextTimerId = 0x1000;
    std::vector<INotifyUI*> m_notifiers;
    std::vector<IMessageFilterUI*> m_preFilters;
    std::vector<IMessageFilterUI*> m_filters;
    std::vector<std::unique_ptr<TNotifyUI>> m_asyncNotify;
    std::vector<CControlUI*> m_delayedCleanup;
    std::map<std::string, std::vector<CControlUI*>> m_optionGroups;
    std::map<int, TFontInfo> m_fonts;
    TFontInfo m_defaultFont;
    ARGB m_dwDefaultFontColor = 0xFF000000;
    ARGB m_dwDefaultDisabledColor = 0xFFA7A6AA;
    std::map<std::string, std::string> m_defaultAttributes;
    std::map<std::string, std::string> m_styles;
    std::map<std::string, std::shared_ptr<IHostImage>> m_images;
    std::unordered_map<std::string, TImageDesc> m_imageDescs;
};

}  // namespace DuiLib
