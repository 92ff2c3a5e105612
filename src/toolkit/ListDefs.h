#pragma once
// What lists, combos and trees share with their rows: the look the owner imposes on its
// rows, and the two sides of the row/owner relation.

#include <string>
#include <vector>

#include "toolkit/Notify.h"
#include "toolkit/UIDefs.h"

namespace DuiLib {

class CControlUI;
class IRenderContext;

struct TListInfoUI {
    std::vector<RECT> columns;  // from the header items, in window coordinates
    int nFont = -1;
    UINT uTextStyle = DT_VCENTER | DT_SINGLELINE;
    RECT rcTextPadding{4, 0, 4, 0};
    ARGB dwTextColor = 0xFF000000;
    ARGB dwBkColor = 0;
    bool bAlternateBk = false;
    ARGB dwAlternateBkColor = 0xFFF7F8FA;
    ARGB dwSelectedTextColor = 0xFF000000;
    ARGB dwSelectedBkColor = 0xFFC9DEF5;
    std::string sSelectedImage;
    ARGB dwHotTextColor = 0xFF000000;
    ARGB dwHotBkColor = 0xFFE8F0FA;
    std::string sHotImage;
    ARGB dwDisabledTextColor = 0xFFA7A6AA;
    ARGB dwLineColor = 0;
    bool bShowRowLine = false;
    bool bShowColumnLine = false;
    bool bShowHtml = false;
    bool bMultiExpandable = false;
};

class IListOwnerUI {
public:
    virtual ~IListOwnerUI() = default;
    virtual TListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    // Selects one row alone; raises "itemselect" (wParam new, lParam old) when it changed.
    virtual bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) = 0;
    // A click on a row with the key state of the mouse message (Ctrl and Shift extend).
    virtual void ItemClicked(int index, WPARAM keyState) = 0;
    virtual void DoEvent(TEventUI& event) = 0;
    virtual CControlUI* GetOwnerControl() = 0;
};

class IListItemUI {
public:
    virtual ~IListItemUI() = default;
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() = 0;
    virtual void SetOwner(CControlUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    // Marks the row; the owner's selection is kept by the owner.
    virtual void SetSelectedState(bool selected) = 0;
    virtual void DrawItemText(IRenderContext& ctx, const RECT& rc) = 0;
};

// The row interface of a control, or null.
IListItemUI* AsListItem(CControlUI* control);

}  // namespace DuiLib
