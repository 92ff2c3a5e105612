#pragma once
// The base of the progress windows: a centred modal pop-up built from a layout, whose
// buttons close it with their default results, which applies a language section to its
// controls and lets the derived window start its work when the layout is ready.
//
// A page uses one in this order: create the derived object (on the heap), fill its inputs,
// CreatePopUp(main window, width, height), RunModal() for the close code, read its outputs,
// Delete().

#include <string>

#include "shell/CMessageBox.h"
#include "shell/SkinnedWindow.h"

namespace orvalis::shell {

class CPopUpWnd : public SkinnedWindow {
public:
    CPopUpWnd();
    explicit CPopUpWnd(std::string layoutFile);
    ~CPopUpWnd() override;

    std::string GetWindowClassName() const override { return "UIPopUpWnd"; }
    DuiLib::UINT GetClassStyle() const override { return kPopUpClassStyle; }
    std::string GetSkinFile() override { return m_layoutFile; }
    void OnFinalMessage(DuiLib::HWND hwnd) override;
    void Notify(DuiLib::TNotifyUI& msg) override;
    // Enter is swallowed and Escape closes with 2. The progress windows replace this with a
    // filter that handles nothing.
    DuiLib::LRESULT MessageHandler(DuiLib::UINT uMsg, DuiLib::WPARAM wParam, DuiLib::LPARAM lParam,
                                   bool& bHandled) override;

    // Creates the window as a pop-up of the owner with the given size, centred over it.
    virtual bool CreatePopUp(DuiLib::HWND owner, int width, int height);
    // Runs the modal loop; the code the window closed with (0 when none).
    virtual DuiLib::UINT RunModal();
    // Destroys the object (and its window, if it still has one).
    virtual void Delete();
    // Called on "windowinit": the derived window starts its work here.
    virtual void OnWindowReady(DuiLib::TNotifyUI& msg);
    // Applies a language section to the controls of this window by name.
    virtual void ApplyTexts(const std::string& sectionName);

    DuiLib::HWND GetOwnerWindow() const { return m_owner; }

protected:
    // "closebtn" and "cancelbtn" close with 2, "okbtn" with 1; other senders are ignored.
    void OnClick(DuiLib::TNotifyUI& msg) override;
    DuiLib::LRESULT OnNcHitTest(DuiLib::UINT uMsg, DuiLib::WPARAM wParam, DuiLib::LPARAM lParam,
                                bool& bHandled) override;

    DuiLib::HWND m_owner = nullptr;
    std::string m_layoutFile;
};

}  // namespace orvalis::shell
