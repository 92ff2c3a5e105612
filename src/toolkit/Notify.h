#pragma once
// Notifications (named events a control raises for its window), low-level control events,
// and the interfaces that receive them.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/UIDefs.h"

namespace DuiLib {

class CControlUI;

// Notification type names.
inline constexpr const char* DUI_MSGTYPE_WINDOWINIT = "windowinit";
inline constexpr const char* DUI_MSGTYPE_CLICK = "click";
inline constexpr const char* DUI_MSGTYPE_SELECTCHANGED = "selectchanged";
inline constexpr const char* DUI_MSGTYPE_ITEMSELECT = "itemselect";
inline constexpr const char* DUI_MSGTYPE_ITEMCLICK = "itemclick";
inline constexpr const char* DUI_MSGTYPE_ITEMDBCLICK = "itemdbclick";
inline constexpr const char* DUI_MSGTYPE_ITEMEXPAND = "itemexpand";
inline constexpr const char* DUI_MSGTYPE_LISTITEMDBCLICK = "list_item_dbclick";
inline constexpr const char* DUI_MSGTYPE_MENU = "menu";
inline constexpr const char* DUI_MSGTYPE_TIMER = "timer";
inline constexpr const char* DUI_MSGTYPE_CHECKBOXSELECTCHANGED = "checkboxselectchanged";
inline constexpr const char* DUI_MSGTYPE_TEXTCHANGED = "textchanged";
inline constexpr const char* DUI_MSGTYPE_RETURN = "return";
inline constexpr const char* DUI_MSGTYPE_SETFOCUS = "setfocus";
inline constexpr const char* DUI_MSGTYPE_KILLFOCUS = "killfocus";
inline constexpr const char* DUI_MSGTYPE_DROPDOWN = "dropdown";
inline constexpr const char* DUI_MSGTYPE_HEADERCLICK = "headerclick";
inline constexpr const char* DUI_MSGTYPE_TABSELECT = "tabselect";
inline constexpr const char* DUI_MSGTYPE_VALUECHANGED = "valuechanged";
inline constexpr const char* DUI_MSGTYPE_SCROLL = "scroll";

struct TNotifyUI {
    std::string sType;
    std::string sVirtualWnd;
    CControlUI* pSender = nullptr;
    uint64_t dwTimestamp = 0;
    POINT ptMouse;  // client coordinates of the window
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

enum UIEVENT {
    UIEVENT_FIRST = 1,
    UIEVENT_MOUSEMOVE,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_KEYDOWN,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SYSKEY,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETFOCUS,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_RBUTTONUP,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT_TIMER,
    UIEVENT_SETCURSOR,
    UIEVENT_IME,
    UIEVENT_LAST,
};

struct TEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr;
    uint64_t dwTimestamp = 0;
    POINT ptMouse;
    uint32_t chKey = 0;     // a character (code point) or a virtual key
    WPARAM wKeyState = 0;   // MK_* bits
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string text;       // committed or composing input-method text
};

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

// A list of handlers. Raising it calls each in order until one returns false.
template <typename Arg>
class CEventSource {
public:
    using Handler = std::function<bool(Arg&)>;
    void operator+=(Handler handler) { handlers_.push_back(std::move(handler)); }
    void Clear() { handlers_.clear(); }
    bool IsEmpty() const { return handlers_.empty(); }
    bool operator()(Arg& arg) const {
        // A handler may add handlers while it runs; iterate over a copy.
        std::vector<Handler> copy = handlers_;
        for (const Handler& handler : copy) {
            if (!handler(arg)) return false;
        }
        return true;
    }

private:
    std::vector<Handler> handlers_;
};

// Receives notifications by type name: an optional table a window fills once.
class CNotifyPump {
public:
    virtual ~CNotifyPump() = default;
    using Handler = std::function<void(TNotifyUI&)>;
    void BindNotify(const std::string& type, Handler handler) { pump_.push_back({type, std::move(handler)}); }
    // True when a bound handler took the notification.
    bool LoopDispatch(TNotifyUI& msg) {
        bool handled = false;
        for (auto& [type, handler] : pump_) {
            if (type == msg.sType) {
                handler(msg);
                handled = true;
            }
        }
        return handled;
    }

private:
    std::vector<std::pair<std::string, Handler>> pump_;
};

}  // namespace DuiLib
