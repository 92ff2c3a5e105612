#pragma once
// The scrolling part of a list that holds its rows.

#include "toolkit/VerticalLayoutUI.h"

namespace DuiLib {

class CListUI;

class CListBodyUI : public CVerticalLayoutUI {
public:
    explicit CListBodyUI(CListUI* owner);
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void DoEvent(TEventUI& event) override;
    // Rows keep their own visibility: a hidden page does not reveal or hide rows that the
    // list's owner shows and hides itself (collapsed rows of a tree-shaped list).
    void SetInternVisible(bool visible = true) override { CControlUI::SetInternVisible(visible); }
    bool AddAt(CControlUI* control, int index) override;
    void DoPaint(IRenderContext& ctx, const RECT& paint) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;

private:
    CListUI* m_pOwner;
};

}  // namespace DuiLib
