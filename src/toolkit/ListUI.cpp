#include "toolkit/ListUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/ListHeaderItemUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ScrollBarUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("List", CListUI);

namespace {

constexpr int kDefaultHeaderHeight = 26;

template <typename F>
AttributeSetter<CListUI> InfoColor(F field) {
    return [field](CListUI& c, std::string_view v) {
        auto color = ParseColor(v);
        if (!color) return AttrResult::Malformed("expected a colour like #FF336699, got " + QuoteForMessage(v));
        c.GetListInfo()->*field = *color;
        c.Invalidate();
        return AttrResult::Ok();
    };
}

template <typename F>
AttributeSetter<CListUI> InfoBool(F field) {
    return [field](CListUI& c, std::string_view v) {
        auto b = ParseBool(v);
        if (!b) return AttrResult::Malformed("expected true or false, got " + QuoteForMessage(v));
        c.GetListInfo()->*field = *b;
        c.Invalidate();
        return AttrResult::Ok();
    };
}

AttributeSetter<CListUI> InfoImage(std::string TListInfoUI::*field) {
    return [field](CListUI& c, std::string_view v) {
        std::string error;
        if (!v.empty() && !ParseImageDesc(v, &error)) return AttrResult::Malformed(error);
        c.GetListInfo()->*field = std::string(v);
        return AttrResult::Ok();
    };
}

AttributeSetter<CListUI> InfoStyle(UINT clear, UINT set) {
    return [clear, set](CListUI& c, std::string_view v) {
        auto b = ParseBool(v);
        if (!b) return AttrResult::Malformed("expected true or false, got " + QuoteForMessage(v));
        UINT& style = c.GetListInfo()->uTextStyle;
        style &= ~clear;
        if (*b) style |= set;
        return AttrResult::Ok();
    };
}

AttrResult SetItemAlign(CListUI& c, std::string_view v) {
    UINT& style = c.GetListInfo()->uTextStyle;
    style &= ~(DT_CENTER | DT_RIGHT);
    if (v == "center") style |= DT_CENTER;
    else if (v == "right") style |= DT_RIGHT;
    else if (v != "left") return AttrResult::Malformed("expected left, center or right, got " + QuoteForMessage(v));
    return AttrResult::Ok();
}

const AttributeTable<CListUI> kAttributes = {
    {"header", [](CListUI& c, std::string_view v) {
         if (v != "hidden" && v != "visible") return AttrResult::Malformed("expected hidden or visible, got " + QuoteForMessage(v));
         c.GetHeader()->SetVisible(v == "visible");
         return AttrResult::Ok();
     }},
    {"headerbkcolor", [](CListUI& c, std::string_view v) {
         auto color = ParseColor(v);
         if (!color) return AttrResult::Malformed("expected a colour, got " + QuoteForMessage(v));
         c.GetHeader()->SetBkColor(*color);
         return AttrResult::Ok();
     }},
    {"multiselect", AttrBool<CListUI>(&CListUI::SetMultiSelect)},
    {"vscrollbar", [](CListUI& c, std::string_view v) {
         auto b = ParseBool(v);
         if (!b) return AttrResult::Malformed("expected true or false, got " + QuoteForMessage(v));
         c.GetList()->EnableScrollBar(*b, false);
         return AttrResult::Ok();
     }},
    {"itemfont", [](CListUI& c, std::string_view v) {
         auto n = ParseInt(v);
         if (!n) return AttrResult::Malformed("expected a font id, got " + QuoteForMessage(v));
         c.GetListInfo()->nFont = *n;
         return AttrResult::Ok();
     }},
    {"itemtextstyle", [](CListUI& c, std::string_view v) {
         auto n = ParseInt(v);
         if (!n) return AttrResult::Malformed("expected a text style number, got " + QuoteForMessage(v));
         c.GetListInfo()->uTextStyle = static_cast<UINT>(*n);
         return AttrResult::Ok();
     }},
    {"itemtextpadding", [](CListUI& c, std::string_view v) {
         auto rc = ParseRect(v);
         if (!rc) return AttrResult::Malformed("expected left,top,right,bottom, got " + QuoteForMessage(v));
         c.GetListInfo()->rcTextPadding = *rc;
         return AttrResult::Ok();
     }},
    {"itemalign", SetItemAlign},
    {"itemendellipsis", InfoStyle(DT_END_ELLIPSIS, DT_END_ELLIPSIS)},
    {"itemtextcolor", InfoColor(&TListInfoUI::dwTextColor)},
    {"itembkcolor", InfoColor(&TListInfoUI::dwBkColor)},
    {"itemaltbkcolor", InfoColor(&TListInfoUI::dwAlternateBkColor)},
    {"itemaltbk", InfoBool(&TListInfoUI::bAlternateBk)},
    {"itemselectedtextcolor", InfoColor(&TListInfoUI::dwSelectedTextColor)},
    {"itemselectedbkcolor", InfoColor(&TListInfoUI::dwSelectedBkColor)},
    {"itemselectedimage", InfoImage(&TListInfoUI::sSelectedImage)},
    {"itemhottextcolor", InfoColor(&TListInfoUI::dwHotTextColor)},
    {"itemhotbkcolor", InfoColor(&TListInfoUI::dwHotBkColor)},
    {"itemhotimage", InfoImage(&TListInfoUI::sHotImage)},
    {"itemdisabledtextcolor", InfoColor(&TListInfoUI::dwDisabledTextColor)},
    {"itemlinecolor", InfoColor(&TListInfoUI::dwLineColor)},
    {"itemshowrowline", InfoBool(&TListInfoUI::bShowRowLine)},
    {"itemshowcolumnline", InfoBool(&TListInfoUI::bShowColumnLine)},
    {"itemshowhtml", InfoBool(&TListInfoUI::bShowHtml)},
};

}  // namespace

CListUI::CListUI() : m_pHeader(new CListHeaderUI), m_pList(new CListBodyUI(this)) {
    CVerticalLayoutUI::Add(m_pHeader);
    CVerticalLayoutUI::Add(m_pList);
    m_pList->EnableScrollBar(true, false);
}

std::string CListUI::GetClass() const { return "ListUI"; }

void* CListUI::GetInterface(std::string_view name) {
    if (name == "List" || name == "ListUI") return this;
    if (name == "IListOwner") return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

CControlUI* CListUI::GetItemAt(int index) const { return m_pList->GetItemAt(index); }
int CListUI::GetItemIndex(CControlUI* control) const { return m_pList->GetItemIndex(control); }
int CListUI::GetCount() const { return m_pList->GetCount(); }

bool CListUI::Add(CControlUI* control) {
    if (!control) return false;
    if (auto* header = dynamic_cast<CListHeaderUI*>(control)) {
        // A layout's own header replaces the empty one, keeping its items.
        if (m_pHeader != header) {
            CVerticalLayoutUI::Remove(m_pHeader);
            m_pHeader = header;
            CVerticalLayoutUI::AddAt(header, 0);
        }
        return true;
    }
    if (dynamic_cast<CListHeaderItemUI*>(control)) return m_pHeader->Add(control);
    return AddAt(control, GetCount());
}

bool CListUI::AddAt(CControlUI* control, int index) {
    if (!control || dynamic_cast<CListHeaderUI*>(control) || dynamic_cast<CListHeaderItemUI*>(control)) return Add(control);
    IListItemUI* item = AsListItem(control);
    if (!m_pList->AddAt(control, index)) return false;
    if (item) item->SetOwner(this);
    RenumberFrom(index);
    for (int& sel : m_aSelItems) {
        if (sel >= index) ++sel;
    }
    if (m_iCurSel >= index) ++m_iCurSel;
    if (m_iAnchor >= index) ++m_iAnchor;
    return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy) {
    if (control == m_pHeader || control == m_pList) return false;
    int index = GetItemIndex(control);
    return index >= 0 && RemoveAt(index, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy) {
    if (!m_pList->RemoveAt(index, doNotDestroy)) return false;
    RenumberFrom(index);
    // The selection keeps its other rows; nothing new becomes selected, so that a caller
    // removing the selected rows one by one removes exactly those.
    std::erase(m_aSelItems, index);
    for (int& sel : m_aSelItems) {
        if (sel > index) --sel;
    }
    auto shift = [index](int& i) {
        if (i == index) i = -1;
        else if (i > index) --i;
    };
    shift(m_iCurSel);
    shift(m_iAnchor);
    if (m_iCurSel == -1 && !m_aSelItems.empty()) m_iCurSel = m_aSelItems.back();
    return true;
}

void CListUI::RemoveAll() {
    m_iCurSel = m_iAnchor = -1;
    m_aSelItems.clear();
    m_pList->RemoveAll();
}

void CListUI::RenumberFrom(int index) {
    for (int i = std::max(0, index); i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i))) item->SetIndex(i);
    }
}

void CListUI::SetMultiSelect(bool multi) {
    m_bMultiSel = multi;
    if (!multi && m_aSelItems.size() > 1) SelectItem(m_iCurSel, false, false);
}

void CListUI::SetRowSelected(int index, bool selected) {
    if (IListItemUI* item = AsListItem(GetItemAt(index))) item->SetSelectedState(selected);
}

void CListUI::NotifySelect(int index, int old) {
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(index), old);
}

bool CListUI::SelectItem(int index, bool takeFocus, bool triggerEvent) {
    if (index == m_iCurSel && m_aSelItems.size() == 1 && m_aSelItems[0] == index) return true;
    CControlUI* control = GetItemAt(index);
    if (!control || !AsListItem(control) || !control->IsEnabled()) return false;
    int old = m_iCurSel;
    for (int sel : m_aSelItems) SetRowSelected(sel, false);
    m_aSelItems.assign(1, index);
    SetRowSelected(index, true);
    m_iCurSel = m_iAnchor = index;
    if (takeFocus) control->SetFocus();
    EnsureVisible(index);
    if (triggerEvent) NotifySelect(index, old);
    return true;
}

bool CListUI::SelectMultiItem(int index, bool triggerEvent) {
    if (!m_bMultiSel) return SelectItem(index, false, triggerEvent);
    CControlUI* control = GetItemAt(index);
    if (!control || !AsListItem(control) || !control->IsEnabled()) return false;
    if (IsItemSelected(index)) return true;
    int old = m_iCurSel;
    m_aSelItems.push_back(index);
    SetRowSelected(index, true);
    m_iCurSel = index;
    if (triggerEvent) NotifySelect(index, old);
    return true;
}

bool CListUI::UnSelectItem(int index) {
    if (!IsItemSelected(index)) return false;
    std::erase(m_aSelItems, index);
    SetRowSelected(index, false);
    if (m_iCurSel == index) m_iCurSel = m_aSelItems.empty() ? -1 : m_aSelItems.back();
    return true;
}

void CListUI::SelectAllItems() {
    if (!m_bMultiSel) return;
    for (int i = 0; i < GetCount(); ++i) {
        if (!IsItemSelected(i)) SelectMultiItem(i, false);
    }
}

void CListUI::UnSelectAllItems() {
    for (int sel : m_aSelItems) SetRowSelected(sel, false);
    m_aSelItems.clear();
    m_iCurSel = -1;
}

bool CListUI::IsItemSelected(int index) const {
    return std::find(m_aSelItems.begin(), m_aSelItems.end(), index) != m_aSelItems.end();
}

void CListUI::ItemClicked(int index, WPARAM keyState) {
    if (m_bMultiSel && (keyState & MK_CONTROL)) {
        if (IsItemSelected(index)) UnSelectItem(index);
        else SelectMultiItem(index);
        m_iAnchor = index;
        return;
    }
    if (m_bMultiSel && (keyState & MK_SHIFT) && m_iAnchor >= 0 && m_iAnchor < GetCount()) {
        int anchor = m_iAnchor, old = m_iCurSel;
        for (int sel : m_aSelItems) SetRowSelected(sel, false);
        m_aSelItems.clear();
        int step = index >= anchor ? 1 : -1;
        for (int i = anchor;; i += step) {
            CControlUI* row = GetItemAt(i);
            if (row && row->IsEnabled() && AsListItem(row)) {
                m_aSelItems.push_back(i);
                SetRowSelected(i, true);
            }
            if (i == index) break;
        }
        m_iCurSel = index;
        m_iAnchor = anchor;
        NotifySelect(index, old);
        return;
    }
    SelectItem(index, true);
}

void CListUI::EnsureVisible(int index) {
    CControlUI* row = GetItemAt(index);
    if (!row || !m_pManager) return;
    m_pManager->EnsureLayout();
    RECT body = m_pList->GetPos();
    body.Deflate(m_pList->GetInset());
    const RECT& pos = row->GetPos();
    int dy = 0;
    if (pos.top < body.top) dy = pos.top - body.top;
    else if (pos.bottom > body.bottom) dy = pos.bottom - body.bottom;
    if (dy != 0) Scroll(0, dy);
}

void CListUI::Scroll(int dx, int dy) {
    SIZE pos = m_pList->GetScrollPos();
    m_pList->SetScrollPos({pos.cx + dx, pos.cy + dy});
}

void CListUI::SetScrollPos(SIZE pos) { m_pList->SetScrollPos(pos); }

void CListUI::UpdateColumns() {
    m_ListInfo.columns.clear();
    if (m_pHeader->IsVisible()) {
        for (int i = 0; i < m_pHeader->GetCount(); ++i) {
            CControlUI* item = m_pHeader->GetItemAt(i);
            if (item->IsVisible()) m_ListInfo.columns.push_back(item->GetPos());
        }
    }
}

void CListUI::SetPos(RECT rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    RECT inner = m_rcItem;
    inner.Deflate(m_rcInset);
    int headerHeight = 0;
    if (m_pHeader->IsVisible() && m_pHeader->GetCount() > 0)
        headerHeight = m_pHeader->GetFixedHeight() > 0 ? m_pHeader->GetFixedHeight() : kDefaultHeaderHeight;
    m_pHeader->SetPos({inner.left, inner.top, inner.right, inner.top + headerHeight}, false);
    UpdateColumns();
    m_pList->SetPos({inner.left, inner.top + headerHeight, inner.right, inner.bottom}, false);
}

void CListUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_KEYDOWN: {
        int count = GetCount();
        if (count == 0) return;
        int cur = m_iCurSel;
        switch (event.chKey) {
        case VK_UP:
            SelectItem(std::max(0, cur - 1), true);
            return;
        case VK_DOWN:
            SelectItem(std::min(count - 1, cur + 1), true);
            return;
        case VK_HOME:
            SelectItem(0, true);
            return;
        case VK_END:
            SelectItem(count - 1, true);
            return;
        case VK_PRIOR:
            m_pList->PageUp();
            return;
        case VK_NEXT:
            m_pList->PageDown();
            return;
        case 'A':
            if (event.wKeyState & MK_CONTROL) SelectAllItems();
            return;
        default:
            return;
        }
    }
    case UIEVENT_SCROLLWHEEL:
        if (static_cast<int16_t>(event.wParam) > 0) m_pList->LineUp();
        else m_pList->LineDown();
        return;
    case UIEVENT_CONTEXTMENU: {
        int index = -1;
        for (CControlUI* c = event.pSender; c && c != this; c = c->GetParent()) {
            if (IListItemUI* item = AsListItem(c); item && item->GetOwner() == this) {
                index = item->GetIndex();
                break;
            }
        }
        if (m_pManager)
            m_pManager->SendNotify(this, DUI_MSGTYPE_MENU, static_cast<WPARAM>(index),
                                   MakeLParam(event.ptMouse.x, event.ptMouse.y));
        return;
    }
    default:
        CVerticalLayoutUI::DoEvent(event);
    }
}

AttrResult CListUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CVerticalLayoutUI::SetAttribute(name, value);
}

}  // namespace DuiLib
