#pragma once
// Pages on top of each other; one, chosen by index, is shown.

#include "toolkit/ContainerUI.h"

namespace DuiLib {

class CTabLayoutUI : public CContainerUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;
    int GetCurSel() const { return m_iCurSel; }
    // Shows page `index` and raises "tabselect" (wParam new, lParam old); false for an
    // index out of range.
    virtual bool SelectItem(int index);
    bool SelectItem(CControlUI* page);
    void SetPos(RECT rc, bool needInvalidate = true) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

protected:
    int m_iCurSel = -1;
    int m_iPendingSel = -1;  // a page asked for before it was added
};

}  // namespace DuiLib
