#include "shell/CMenuElementUI.h"

#include "shell/CMenuWindow.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

namespace orvalis::shell {

using namespace DuiLib;

namespace {
constexpr int kItemHeight = 28;
}

CMenuElementUI::CMenuElementUI() = default;

CMenuElementUI::~CMenuElementUI() {
    // A sub-menu that still shows this item's children must not hand them back to it.
    if (m_subMenu) {
        m_subMenu->DetachOwnerItem();
        m_subMenu->Close();
    }
}

std::string CMenuElementUI::GetClass() const { return "MenuElementUI"; }

void* CMenuElementUI::GetInterface(std::string_view name) {
    if (name == "MenuElement" || name == "MenuElementUI") return this;
    return CListContainerElementUI::GetInterface(name);
}

int CMenuElementUI::ChildItemCount() const {
    int count = 0;
    for (CControlUI* item : m_items) {
        if (item->GetInterface("MenuElement")) ++count;
    }
    return count;
}

SIZE CMenuElementUI::EstimateSize(SIZE) {
    return {m_cxyFixed.cx, m_cxyFixed.cy > 0 ? m_cxyFixed.cy : kItemHeight};
}

void CMenuElementUI::SetPos(RECT rc, bool needInvalidate) {
    // The child items belong to the sub-menu; they are never laid out inside the item.
    CControlUI::SetPos(rc, needInvalidate);
}

CMenuWindow* CMenuElementUI::MenuWindow() const {
    return m_pManager ? dynamic_cast<CMenuWindow*>(m_pManager->GetWindow()) : nullptr;
}

void CMenuElementUI::OpenSubMenu() {
    if (m_subMenu || ChildItemCount() == 0) return;
    CMenuWindow::OpenSubMenu(this);
}

void CMenuElementUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_MOUSEENTER: {
        CListContainerElementUI::DoEvent(event);
        if (ChildItemCount() > 0 && !m_subMenu) {
            if (m_pOwner) m_pOwner->SelectItem(m_iIndex, false, false);
            OpenSubMenu();
            return;
        }
        // Another item under the mouse closes what this menu opened below it.
        if (m_pManager) {
            ContextMenuObserver().Broadcast({ContextMenuParam::kCloseDescendants, m_pManager->GetPaintWindow()});
        }
        if (m_pOwner) m_pOwner->SelectItem(m_iIndex, false, false);
        return;
    }
    case UIEVENT_BUTTONDOWN:
        if (IsEnabled() && m_pOwner) m_pOwner->SelectItem(m_iIndex, false, false);
        return;
    case UIEVENT_BUTTONUP:
        if (!IsEnabled()) return;
        if (ChildItemCount() > 0) {
            OpenSubMenu();
            return;
        }
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMCLICK);
        ContextMenuObserver().Broadcast({ContextMenuParam::kCloseAll, nullptr});
        return;
    case UIEVENT_RBUTTONDOWN:
    case UIEVENT_RBUTTONUP:
    case UIEVENT_CONTEXTMENU:
    case UIEVENT_DBLCLICK:
        return;
    default:
        CListContainerElementUI::DoEvent(event);
    }
}

void CMenuElementUI::DoPaint(IRenderContext& ctx, const RECT& paint) {
    RECT clip;
    if (!IntersectRect(&clip, paint, m_rcItem)) return;
    DrawItemBk(ctx, m_rcItem);
    PaintBkImage(ctx);
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (info && m_pManager && !m_sText.empty()) {
        RECT rc = m_rcItem;
        rc.Deflate(info->rcTextPadding);
        ARGB color = !IsEnabled() ? info->dwDisabledTextColor
                   : m_bSelected  ? info->dwSelectedTextColor
                   : m_bHot       ? info->dwHotTextColor
                                  : info->dwTextColor;
        ctx.DrawText(rc, m_sText, m_pManager->GetFont(info->nFont), color,
                     info->uTextStyle | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    if (!m_sForeImage.empty()) DrawImage(ctx, m_sForeImage);
}

}  // namespace orvalis::shell
