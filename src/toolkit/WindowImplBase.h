#pragma once
// The base of every skinned window: builds its layout from the skin package when created,
// answers the caption hit test, the system commands and the default buttons, and routes
// messages to its paint manager.

#include <functional>
#include <initializer_list>
#include <string>

#include "toolkit/DialogBuilder.h"
#include "toolkit/Notify.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

namespace DuiLib {

enum class UILIB_RESOURCETYPE {
    UILIB_FILE = 1,         // layouts and images in the skin folder
    UILIB_ZIP,              // a ZIP file in the skin folder
    UILIB_RESOURCE,         // not used on this platform; as UILIB_ZIPRESOURCE
    UILIB_ZIPRESOURCE,      // a ZIP archive embedded in the program
};

// What happens when a window's layout cannot be read from a present skin package. The
// default shows the plain system box "Load Resource Error" and ends the process with 1;
// setting no handler brings the default back.
using ResourceErrorHandler = std::function<void(const std::string& detail)>;
void SetResourceErrorHandler(ResourceErrorHandler handler);
void SetResourceErrorCaption(const std::string& caption);

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    CPaintManagerUI& GetPaintManager() { return m_pm; }
    template <typename T>
    T* FindControl(const std::string& name) const {
        return m_pm.Find<T>(name);
    }
    CControlUI* FindControl(const std::string& name) const { return m_pm.FindControl(name); }

    // Called once the layout is attached (not when the skin package is absent).
    virtual void InitWindow() {}
    void Notify(TNotifyUI& msg) override;
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    CControlUI* CreateControl(const std::string& tag) override;
    void OnFinalMessage(HWND hwnd) override;

    virtual std::string GetSkinFolder() = 0;
    virtual std::string GetSkinFile() = 0;

protected:
    virtual std::string GetZIPFileName() const { return {}; }
    virtual UILIB_RESOURCETYPE GetResourceType() const { return UILIB_RESOURCETYPE::UILIB_FILE; }
    // The resource type name and id of an embedded archive.
    virtual std::string GetResourceTypeName() const { return "ZIPRES"; }
    virtual int GetResourceID() const { return 0; }
    // Called after the layout is attached.
    virtual void Init() {}

    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    // "click" of the default buttons: closebtn closes with 1, minbtn, maxbtn, restorebtn.
    virtual void OnClick(TNotifyUI& msg);
    // Escape closes with IDOK; Enter does nothing.
    virtual LRESULT ResponseDefaultKeyEvent(WPARAM wParam);
    void OnPaint(IRenderContext& ctx, const RECT& dirty) override;

    // The caption test: inside the layout's caption band the point is HTCAPTION unless the
    // control under it is of one of the classes given (which keep their clicks).
    LRESULT CaptionHitTest(POINT screen, std::initializer_list<const char*> clientClasses);

    CPaintManagerUI m_pm;
    bool m_bLayoutLoaded = false;
};

}  // namespace DuiLib
