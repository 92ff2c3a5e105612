#include "toolkit/TabLayoutUI.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("TabLayout", CTabLayoutUI);

std::string CTabLayoutUI::GetClass() const { return "TabLayoutUI"; }

void* CTabLayoutUI::GetInterface(std::string_view name) {
    if (name == "TabLayout" || name == "TabLayoutUI") return this;
    return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index)) return false;
    if (m_iCurSel == -1 && control->IsOwnVisible()) {
        m_iCurSel = GetItemIndex(control);
    } else {
        if (index <= m_iCurSel) ++m_iCurSel;
        control->SetVisible(false);
    }
    if (m_iPendingSel >= 0 && m_iPendingSel < GetCount()) {
        int pending = m_iPendingSel;
        m_iPendingSel = -1;
        SelectItem(pending);
    }
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy) {
    int index = GetItemIndex(control);
    if (index < 0) return false;
    if (!CContainerUI::RemoveAt(index, doNotDestroy)) return false;
    if (index == m_iCurSel) {
        m_iCurSel = -1;
        if (GetCount() > 0) SelectItem(0);
    } else if (index < m_iCurSel) {
        --m_iCurSel;
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int index) {
    if (index < 0 || index >= GetCount()) return false;
    if (index == m_iCurSel) return true;
    int old = m_iCurSel;
    m_iCurSel = index;
    for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetVisible(i == index);
    NeedParentUpdate();
    if (m_pManager) {
        m_pManager->SetFocus(nullptr);
        m_pManager->SendNotify(this, DUI_MSGTYPE_TABSELECT, static_cast<WPARAM>(index), old);
    }
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* page) { return SelectItem(GetItemIndex(page)); }

void CTabLayoutUI::SetPos(RECT rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    RECT client = m_rcItem;
    client.Deflate(m_rcInset);
    for (CControlUI* item : m_items) {
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            SetFloatPos(item);
            continue;
        }
        RECT r = client;
        r.Deflate(item->GetPadding());
        item->SetPos(r, false);
    }
}

AttrResult CTabLayoutUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "selectedid") {
        auto n = ParseInt(value);
        if (!n) return AttrResult::Malformed("expected an integer, got " + QuoteForMessage(value));
        if (!SelectItem(*n)) m_iPendingSel = *n;
        return AttrResult::Ok();
    }
    return CContainerUI::SetAttribute(name, value);
}

}  // namespace DuiLib
