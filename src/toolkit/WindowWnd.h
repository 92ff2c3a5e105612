#pragma once
// A native window driven by the message queue: creation, showing, enabling, focus,
// centring, closing with a result, the modal loop, and the classic free functions over
// window handles.

#include <memory>
#include <string>

#include "toolkit/Host.h"
#include "toolkit/MessageQueue.h"

namespace DuiLib {

class CWindowWnd : public IWindowProcTarget, public IHostWindowEvents {
public:
    CWindowWnd();
    ~CWindowWnd() override;
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    IHostWindow* GetHostWindow() const { return m_host.get(); }
    static CWindowWnd* FromHandle(HWND hwnd);

    // Creates the native window; null when the window refused (WM_CREATE returned -1).
    HWND Create(HWND parent, const std::string& name, DWORD style, DWORD exStyle, int x = 0, int y = 0, int cx = 0,
                int cy = 0, void* menu = nullptr);
    HWND Create(HWND parent, const std::string& name, DWORD style, DWORD exStyle, const RECT& rc);
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Shows the window, disables its owner and runs a loop until the window is gone (or a
    // quit request arrives, which is passed on); returns the wParam of the first WM_CLOSE
    // of this window, 0 when none was seen.
    UINT ShowModal();
    // Posts WM_CLOSE with the result.
    void Close(UINT result = IDOK);
    // Over the owner when there is one, otherwise inside the work area of the nearest
    // monitor; always kept inside that work area.
    void CenterWindow();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    RECT GetWindowRect() const { return m_rcWindow; }
    void SetWindowRect(const RECT& rc);
    HWND GetOwner() const { return m_hOwner; }
    DWORD GetStyle() const { return m_dwStyle; }
    DWORD GetExStyle() const { return m_dwExStyle; }
    const std::string& GetTitle() const { return m_sTitle; }
    void SetTitle(const std::string& title);
    bool IsEnabled() const { return m_bEnabled; }
    bool IsVisible() const { return m_bVisible; }
    bool IsMaximized() const { return m_bMaximized; }
    bool IsMinimized() const { return m_bMinimized; }

    // Window procedure plumbing.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHostPaint(IRenderContext& ctx, const RECT& dirty) override;
    void OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnHostHitTest(POINT client) override;

    virtual std::string GetWindowClassName() const = 0;
    virtual std::string GetSuperClassName() const { return {}; }
    virtual UINT GetClassStyle() const { return 0; }

protected:
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void OnFinalMessage(HWND hwnd);
    virtual void OnPaint(IRenderContext& ctx, const RECT& dirty);

private:
    friend bool DestroyWindow(HWND);
    friend bool ShowWindow(HWND, int);
    friend bool EnableWindow(HWND, bool);
    friend LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM);

    HWND m_hWnd = nullptr;
    HWND m_hOwner = nullptr;
    std::unique_ptr<IHostWindow> m_host;
    RECT m_rcWindow;
    RECT m_rcRestore;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    std::string m_sTitle;
    bool m_bEnabled = true;
    bool m_bVisible = false;
    bool m_bMaximized = false;
    bool m_bMinimized = false;
    bool m_bDestroying = false;
};

// The classic operations over handles (UI thread).
bool DestroyWindow(HWND hwnd);
bool ShowWindow(HWND hwnd, int showCommand);
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);
bool IsWindowVisible(HWND hwnd);
bool IsZoomed(HWND hwnd);
bool IsIconic(HWND hwnd);
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND GetWindowOwner(HWND hwnd);
bool GetWindowRect(HWND hwnd, RECT* rc);
bool GetClientRect(HWND hwnd, RECT* rc);
bool MoveWindow(HWND hwnd, const RECT& rc);
bool ClientToScreen(HWND hwnd, POINT* pt);
bool ScreenToClient(HWND hwnd, POINT* pt);
// The first top-level window with that title (and class, when one is given).
HWND FindWindow(const std::string& className, const std::string& title);
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The work area of the monitor that holds (or is nearest to) the rectangle.
RECT GetMonitorWorkArea(const RECT& near);
// Every live window, in creation order.
std::vector<HWND> EnumWindows();

}  // namespace DuiLib
