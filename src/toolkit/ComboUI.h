#pragma once
// A drop-down list: shows the selected item's text; a click opens a pop-up with the items
// (list-label elements of their own height). Choosing one raises "itemselect" from the
// combo with the new index in wParam and the old in lParam.

#include "toolkit/ContainerUI.h"
#include "toolkit/ListDefs.h"

namespace DuiLib {

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override { return UIFLAG_TABSTOP; }

    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    CControlUI* GetOwnerControl() override { return this; }
    int GetCurSel() const override { return m_iCurSel; }
    // Selects without moving the focus; "itemselect" when the selection changed.
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;
    void ItemClicked(int index, WPARAM keyState) override;
    std::string GetText() const override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    bool Activate() override;
    bool IsDropped() const { return m_pWindow != nullptr; }
    CComboWnd* GetDropWindow() const { return m_pWindow; }
    void CloseDropDown();
    SIZE GetDropBoxSize() const { return m_szDropBox; }
    void SetDropBoxSize(SIZE size) { m_szDropBox = size; }
    void SetNormalImage(const std::string& image) { m_sNormalImage = image; Invalidate(); }
    void SetHotImage(const std::string& image) { m_sHotImage = image; Invalidate(); }
    void SetPushedImage(const std::string& image) { m_sPushedImage = image; Invalidate(); }
    void SetDisabledImage(const std::string& image) { m_sDisabledImage = image; Invalidate(); }
    void SetTextPadding(RECT rc) { m_rcTextPadding = rc; Invalidate(); }
    void SetArrowColor(ARGB color) { m_dwArrowColor = color; Invalidate(); }

    void SetPos(RECT rc, bool needInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void DoPaint(IRenderContext& ctx, const RECT& paint) override;
    CControlUI* FindControl(const FindPredicate& pred, UINT flags) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

private:
    friend class CComboWnd;
    void Renumber();

    TListInfoUI m_ListInfo;
    int m_iCurSel = -1;
    CComboWnd* m_pWindow = nullptr;
    SIZE m_szDropBox{0, 150};
    RECT m_rcTextPadding{6, 0, 20, 0};
    std::string m_sNormalImage, m_sHotImage, m_sPushedImage, m_sDisabledImage;
    ARGB m_dwArrowColor = 0xFF6B7280;
    UINT m_uButtonState = 0;
};

}  // namespace DuiLib
