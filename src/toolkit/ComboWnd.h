#pragma once
// The pop-up window of a drop-down combo. It shows the combo's items while open and gives
// them back when it closes (on a choice, Escape, or losing the focus).

#include "toolkit/PaintManagerUI.h"
#include "toolkit/VerticalLayoutUI.h"
#include "toolkit/WindowWnd.h"

namespace DuiLib {

class CComboUI;

class CComboWnd : public CWindowWnd, public INotifyUI {
public:
    explicit CComboWnd(CComboUI* owner);
    std::string GetWindowClassName() const override { return "ComboWnd"; }
    void Open();
    void Notify(TNotifyUI&) override {}
    CPaintManagerUI& GetPaintManager() { return m_pm; }
    CVerticalLayoutUI* GetLayout() const { return m_pLayout; }
    // Hands the combo's items back to it (before the window goes).
    void ReturnItems();

protected:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hwnd) override;
    void OnPaint(IRenderContext& ctx, const RECT& dirty) override;

private:
    CComboUI* m_pOwner;
    CPaintManagerUI m_pm;
    CVerticalLayoutUI* m_pLayout = nullptr;
    bool m_bClosing = false;
};

}  // namespace DuiLib
