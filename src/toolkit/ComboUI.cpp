#include "toolkit/ComboUI.h"

#include <algorithm>

#include "toolkit/ComboWnd.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Combo", CComboUI);

namespace {

template <typename F>
AttributeSetter<CComboUI> ComboInfoColor(F field) {
    return [field](CComboUI& c, std::string_view v) {
        auto color = ParseColor(v);
        if (!color) return AttrResult::Malformed("expected a colour like #FF336699, got " + QuoteForMessage(v));
        c.GetListInfo()->*field = *color;
        return AttrResult::Ok();
    };
}

const AttributeTable<CComboUI> kAttributes = {
    {"normalimage", AttrImage<CComboUI>(&CComboUI::SetNormalImage)},
    {"hotimage", AttrImage<CComboUI>(&CComboUI::SetHotImage)},
    {"pushedimage", AttrImage<CComboUI>(&CComboUI::SetPushedImage)},
    {"disabledimage", AttrImage<CComboUI>(&CComboUI::SetDisabledImage)},
    {"textpadding", AttrRect<CComboUI>(&CComboUI::SetTextPadding)},
    {"dropboxsize", AttrSize<CComboUI>(&CComboUI::SetDropBoxSize)},
    {"arrowcolor", AttrColor<CComboUI>(&CComboUI::SetArrowColor)},
    {"itemfont", [](CComboUI& c, std::string_view v) {
         auto n = ParseInt(v);
         if (!n) return AttrResult::Malformed("expected a font id, got " + QuoteForMessage(v));
         c.GetListInfo()->nFont = *n;
         return AttrResult::Ok();
     }},
    {"itemtextcolor", ComboInfoColor(&TListInfoUI::dwTextColor)},
    {"itembkcolor", ComboInfoColor(&TListInfoUI::dwBkColor)},
    {"itemselectedtextcolor", ComboInfoColor(&TListInfoUI::dwSelectedTextColor)},
    {"itemselectedbkcolor", ComboInfoColor(&TListInfoUI::dwSelectedBkColor)},
    {"itemhottextcolor", ComboInfoColor(&TListInfoUI::dwHotTextColor)},
    {"itemhotbkcolor", ComboInfoColor(&TListInfoUI::dwHotBkColor)},
};

}  // namespace

CComboUI::CComboUI() {
    m_dwBorderColor = 0xFFC5CBD3;
    m_nBorderSize = 1;
    m_dwBackColor = 0xFFFFFFFF;
}

CComboUI::~CComboUI() {
    if (m_pWindow) {
        CComboWnd* window = m_pWindow;
        window->ReturnItems();
        m_pWindow = nullptr;
        DestroyWindow(window->GetHWND());
    }
}

std::string CComboUI::GetClass() const { return "ComboUI"; }

void* CComboUI::GetInterface(std::string_view name) {
    if (name == "Combo" || name == "ComboUI") return this;
    if (name == "IListOwner") return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(name);
}

void CComboUI::Renumber() {
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        if (IListItemUI* item = AsListItem(m_items[i])) item->SetIndex(i);
    }
}

bool CComboUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CComboUI::AddAt(CControlUI* control, int index) {
    IListItemUI* item = AsListItem(control);
    if (!item) return false;
    if (!CContainerUI::AddAt(control, index)) return false;
    item->SetOwner(this);
    Renumber();
    if (m_iCurSel >= index) ++m_iCurSel;
    return true;
}

bool CComboUI::Remove(CControlUI* control, bool doNotDestroy) {
    int index = GetItemIndex(control);
    return index >= 0 && RemoveAt(index, doNotDestroy);
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy) {
    if (m_pWindow) CloseDropDown();
    if (!CContainerUI::RemoveAt(index, doNotDestroy)) return false;
    Renumber();
    if (index == m_iCurSel) m_iCurSel = -1;
    else if (index < m_iCurSel) --m_iCurSel;
    Invalidate();
    return true;
}

void CComboUI::RemoveAll() {
    if (m_pWindow) CloseDropDown();
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
    Invalidate();
}

bool CComboUI::SelectItem(int index, bool, bool triggerEvent) {
    if (index == m_iCurSel) return true;
    CControlUI* control = GetItemAt(index);
    if (!control || !control->IsEnabled()) return false;
    int old = m_iCurSel;
    if (IListItemUI* previous = AsListItem(GetItemAt(old))) previous->SetSelectedState(false);
    m_iCurSel = index;
    AsListItem(control)->SetSelectedState(true);
    Invalidate();
    if (triggerEvent && m_pManager)
        m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(index), old);
    return true;
}

void CComboUI::ItemClicked(int index, WPARAM) {
    SelectItem(index);
    CloseDropDown();
}

std::string CComboUI::GetText() const {
    CControlUI* item = GetItemAt(m_iCurSel);
    return item ? item->GetText() : std::string();
}

bool CComboUI::Activate() {
    if (!CControlUI::Activate() || !m_pManager) return false;
    if (m_pWindow) return true;
    m_pWindow = new CComboWnd(this);
    m_pWindow->Open();
    if (m_pWindow) m_pManager->SendNotify(this, DUI_MSGTYPE_DROPDOWN);
    Invalidate();
    return true;
}

void CComboUI::CloseDropDown() {
    if (m_pWindow) PostMessage(m_pWindow->GetHWND(), WM_CLOSE);
}

void CComboUI::SetPos(RECT rc, bool needInvalidate) {
    // The items are laid out by the pop-up, not here.
    CControlUI::SetPos(rc, needInvalidate);
}

CControlUI* CComboUI::FindControl(const FindPredicate& pred, UINT flags) {
    return CControlUI::FindControl(pred, flags);
}

void CComboUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
        if (IsEnabled()) {
            Activate();
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        }
        return;
    case UIEVENT_BUTTONUP:
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        return;
    case UIEVENT_KEYDOWN:
        if (event.chKey == VK_UP) SelectItem(std::max(0, m_iCurSel - 1));
        else if (event.chKey == VK_DOWN) SelectItem(std::min(GetCount() - 1, m_iCurSel + 1));
        else if (event.chKey == VK_SPACE || event.chKey == VK_RETURN) Activate();
        return;
    case UIEVENT_SCROLLWHEEL:
        if (!IsDropped()) {
            bool up = static_cast<int16_t>(event.wParam) > 0;
            SelectItem(up ? std::max(0, m_iCurSel - 1) : std::min(GetCount() - 1, m_iCurSel + 1));
        }
        return;
    case UIEVENT_MOUSEENTER:
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_MOUSEMOVE:
        return;
    default:
        CControlUI::DoEvent(event);
    }
}

void CComboUI::DoPaint(IRenderContext& ctx, const RECT& paint) {
    RECT clip;
    if (!IntersectRect(&clip, paint, m_rcItem)) return;
    ctx.PushClip(clip);
    CControlUI::PaintBkColor(ctx);
    CControlUI::PaintBkImage(ctx);
    bool drew = false;
    if (!IsEnabled()) drew = DrawImage(ctx, m_sDisabledImage);
    else if (m_uButtonState & UISTATE_PUSHED) drew = DrawImage(ctx, m_sPushedImage);
    else if (m_uButtonState & UISTATE_HOT) drew = DrawImage(ctx, m_sHotImage);
    if (!drew && !DrawImage(ctx, m_sNormalImage)) {
        // A plain arrow when the skin gives no picture.
        int cx = m_rcItem.right - 11, cy = (m_rcItem.top + m_rcItem.bottom) / 2;
        ctx.DrawLine({cx - 4, cy - 2}, {cx, cy + 2}, 2, m_dwArrowColor);
        ctx.DrawLine({cx, cy + 2}, {cx + 4, cy - 2}, 2, m_dwArrowColor);
    }
    std::string text = GetText();
    if (!text.empty() && m_pManager) {
        RECT rc = m_rcItem;
        rc.Deflate(m_rcTextPadding);
        ARGB color = IsEnabled() ? m_ListInfo.dwTextColor : m_ListInfo.dwDisabledTextColor;
        ctx.DrawText(rc, text, m_pManager->GetFont(m_ListInfo.nFont), color,
                     DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    CControlUI::PaintBorder(ctx);
    ctx.PopClip();
}

AttrResult CComboUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CContainerUI::SetAttribute(name, value);
}

}  // namespace DuiLib
