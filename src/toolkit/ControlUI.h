#pragma once
// The base of every control: identity, state, position in the layout, attributes, events,
// notifications and the painting steps (background colour and image, status images, text,
// border) that derived controls refine.

#include <functional>
#include <string>
#include <string_view>

#include "toolkit/Attributes.h"
#include "toolkit/Host.h"
#include "toolkit/Notify.h"
#include "toolkit/UIDefs.h"

namespace DuiLib {

class CPaintManagerUI;

// Search flags of FindControl.
inline constexpr UINT UIFIND_ALL = 0x00000000;
inline constexpr UINT UIFIND_VISIBLE = 0x00000001;
inline constexpr UINT UIFIND_ENABLED = 0x00000002;
inline constexpr UINT UIFIND_HITTEST = 0x00000004;
inline constexpr UINT UIFIND_TOP_FIRST = 0x00000008;
inline constexpr UINT UIFIND_ME_FIRST = 0x80000000;

// Control flags.
inline constexpr UINT UIFLAG_TABSTOP = 0x00000001;
inline constexpr UINT UIFLAG_SETCURSOR = 0x00000002;
inline constexpr UINT UIFLAG_WANTRETURN = 0x00000004;

// Button states.
inline constexpr UINT UISTATE_FOCUSED = 0x00000001;
inline constexpr UINT UISTATE_SELECTED = 0x00000002;
inline constexpr UINT UISTATE_DISABLED = 0x00000004;
inline constexpr UINT UISTATE_HOT = 0x00000008;
inline constexpr UINT UISTATE_PUSHED = 0x00000010;
inline constexpr UINT UISTATE_CAPTURED = 0x00000040;

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // Identity.
    const std::string& GetName() const { return m_sName; }
    virtual void SetName(const std::string& name);
    virtual std::string GetClass() const;
    // This control as the named interface ("Control", "Button", "ButtonUI", ...), or null.
    virtual void* GetInterface(std::string_view name);
    virtual UINT GetControlFlags() const;

    // Tree.
    CPaintManagerUI* GetManager() const { return m_pManager; }
    CControlUI* GetParent() const { return m_pParent; }
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
    virtual void Init();
    virtual void DoInit();

    // Text and look.
    virtual std::string GetText() const { return m_sText; }
    virtual void SetText(const std::string& text);
    ARGB GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(ARGB color);
    void SetBkColor2(ARGB color);
    ARGB GetForeColor() const { return m_dwForeColor; }
    void SetForeColor(ARGB color);
    void SetBorderColor(ARGB color);
    void SetFocusBorderColor(ARGB color);
    void SetBorderSize(int size);
    void SetBorderRound(SIZE round);
    const std::string& GetBkImage() const { return m_sBkImage; }
    void SetBkImage(const std::string& image);
    const std::string& GetForeImage() const { return m_sForeImage; }
    void SetForeImage(const std::string& image);

    // Data a window keeps with the control.
    UINT_PTR GetTag() const { return m_pTag; }
    void SetTag(UINT_PTR tag) { m_pTag = tag; }
    const std::string& GetUserData() const { return m_sUserData; }
    void SetUserData(const std::string& data) { m_sUserData = data; }
    const std::string& GetToolTip() const { return m_sToolTip; }
    void SetToolTip(const std::string& text) { m_sToolTip = text; }

    // Position.
    const RECT& GetPos() const { return m_rcItem; }
    virtual void SetPos(RECT rc, bool needInvalidate = true);
    int GetWidth() const { return m_rcItem.Width(); }
    int GetHeight() const { return m_rcItem.Height(); }
    const RECT& GetPadding() const { return m_rcPadding; }
    void SetPadding(RECT rc);
    int GetFixedWidth() const { return m_cxyFixed.cx; }
    void SetFixedWidth(int cx);
    int GetFixedHeight() const { return m_cxyFixed.cy; }
    void SetFixedHeight(int cy);
    int GetMinWidth() const { return m_cxyMin.cx; }
    void SetMinWidth(int cx);
    int GetMaxWidth() const { return m_cxyMax.cx; }
    void SetMaxWidth(int cx);
    int GetMinHeight() const { return m_cxyMin.cy; }
    void SetMinHeight(int cy);
    int GetMaxHeight() const { return m_cxyMax.cy; }
    void SetMaxHeight(int cy);
    bool IsFloat() const { return m_bFloat; }
    void SetFloat(bool floating);
    // Position of a floating control, relative to its parent's top left corner.
    const RECT& GetFloatPos() const { return m_rcFloat; }
    void SetFloatPos(RECT rc);
    // The size this control wants inside `available`; 0 in a dimension means "stretch".
    virtual SIZE EstimateSize(SIZE available);

    // State.
    virtual bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    bool IsOwnVisible() const { return m_bVisible; }
    virtual void SetVisible(bool visible = true);
    // Visibility imposed by a container (a hidden parent, a tab page not shown).
    virtual void SetInternVisible(bool visible = true);
    virtual bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool enabled = true);
    bool IsMouseEnabled() const { return m_bMouseEnabled; }
    virtual void SetMouseEnabled(bool enabled = true);
    bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
    void SetKeyboardEnabled(bool enabled = true) { m_bKeyboardEnabled = enabled; }
    bool IsFocused() const { return m_bFocused; }
    virtual void SetFocus();
    bool IsContextMenuUsed() const { return m_bMenuUsed; }
    void SetContextMenuUsed(bool used) { m_bMenuUsed = used; }
    // The click of a button, option or item; false when the control cannot be activated.
    virtual bool Activate();

    using FindPredicate = std::function<bool(CControlUI*)>;
    // The first control of this subtree (deepest first for hit tests) that satisfies the
    // predicate and the flags.
    virtual CControlUI* FindControl(const FindPredicate& pred, UINT flags);

    // Events.
    void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);
    CEventSource<TEventUI> OnEvent;
    CEventSource<TNotifyUI> OnNotify;
    CEventSource<CControlUI> OnInit;

    // Attributes.
    virtual AttrResult SetAttribute(std::string_view name, std::string_view value);
    // Applies `name="value" ...`; stops at the first error.
    AttrResult ApplyAttributeList(std::string_view list);

    // Layout and painting.
    void Invalidate();
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    void NeedUpdate();
    void NeedParentUpdate();
    virtual void DoPaint(IRenderContext& ctx, const RECT& paint);
    virtual void PaintBkColor(IRenderContext& ctx);
    virtual void PaintBkImage(IRenderContext& ctx);
    virtual void PaintStatusImage(IRenderContext& ctx);
    virtual void PaintText(IRenderContext& ctx);
    virtual void PaintBorder(IRenderContext& ctx);
    // Draws an image description relative to `rc` (the control's rectangle by default).
    bool DrawImage(IRenderContext& ctx, const std::string& desc, const RECT* rc = nullptr);

    // Typed helpers over the manager's timers.
    bool SetTimer(UINT_PTR id, UINT elapseMs);
    bool KillTimer(UINT_PTR id);
    void KillAllTimers();

protected:
    CPaintManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    std::string m_sName;
    std::string m_sText;
    std::string m_sToolTip;
    std::string m_sUserData;
    UINT_PTR m_pTag = 0;
    RECT m_rcItem;
    RECT m_rcPadding;
    RECT m_rcFloat;
    SIZE m_cxyFixed;
    SIZE m_cxyMin;
    SIZE m_cxyMax{9999, 9999};
    bool m_bUpdateNeeded = true;
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bMenuUsed = false;
    ARGB m_dwBackColor = 0;
    ARGB m_dwBackColor2 = 0;
    ARGB m_dwForeColor = 0;
    ARGB m_dwBorderColor = 0;
    ARGB m_dwFocusBorderColor = 0;
    int m_nBorderSize = 0;
    SIZE m_cxyBorderRound;
    std::string m_sBkImage;
    std::string m_sForeImage;
};

// Typed interface lookup: the control as T, or null.
template <typename T>
T* ControlCast(CControlUI* control) {
    return dynamic_cast<T*>(control);
}

}  // namespace DuiLib
