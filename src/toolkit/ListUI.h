#pragma once
// A list: a header of columns and a scrolling body of rows, with single or multiple
// selection (Ctrl toggles, Shift extends), keyboard navigation, and the notifications
// "itemselect" (from the list: wParam the row, lParam the previous one) and "menu" (from
// the list on a right click: wParam the row under the mouse or -1, lParam the point).

#include <vector>

#include "toolkit/ListBodyUI.h"
#include "toolkit/ListDefs.h"
#include "toolkit/ListHeaderUI.h"
#include "toolkit/VerticalLayoutUI.h"

namespace DuiLib {

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override { return UIFLAG_TABSTOP; }

    CListHeaderUI* GetHeader() const { return m_pHeader; }
    CListBodyUI* GetList() const { return m_pList; }
    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    CControlUI* GetOwnerControl() override { return this; }

    // Rows (the header is not counted). Adding a header item puts it into the header.
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    int GetCount() const override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    bool IsMultiSelect() const { return m_bMultiSel; }
    void SetMultiSelect(bool multi);
    int GetCurSel() const override { return m_iCurSel; }
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;
    // Adds a row to the selection (multiple selection only).
    bool SelectMultiItem(int index, bool triggerEvent = true);
    bool UnSelectItem(int index);
    void SelectAllItems();
    void UnSelectAllItems();
    bool IsItemSelected(int index) const;
    // The selected rows in the order they were selected.
    const std::vector<int>& GetSelectedItems() const { return m_aSelItems; }
    int GetSelectCount() const { return static_cast<int>(m_aSelItems.size()); }
    void ItemClicked(int index, WPARAM keyState) override;
    void EnsureVisible(int index);
    void Scroll(int dx, int dy);

    void UpdateColumns();
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;
    void SetScrollPos(SIZE pos) override;

protected:
    void RenumberFrom(int index);
    void SetRowSelected(int index, bool selected);
    void NotifySelect(int index, int old);

    CListHeaderUI* m_pHeader;
    CListBodyUI* m_pList;
    TListInfoUI m_ListInfo;
    bool m_bMultiSel = false;
    int m_iCurSel = -1;
    int m_iAnchor = -1;
    std::vector<int> m_aSelItems;
};

}  // namespace DuiLib
