#include "toolkit/VerticalLayoutUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/ScrollBarUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("VerticalLayout", CVerticalLayoutUI);

std::string CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(std::string_view name) {
    if (name == "VerticalLayout" || name == "VerticalLayoutUI") return this;
    return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    RECT client = m_rcItem;
    client.Deflate(m_rcInset);
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) client.right -= m_pVerticalScrollBar->GetFixedWidth();
    SIZE available{client.Width(), client.Height()};

    // First pass: what the fixed children take and how many share the rest.
    int adjustable = 0, cyFixed = 0, estimated = 0;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible() || item->IsFloat()) continue;
        SIZE sz = item->EstimateSize(available);
        const RECT& pad = item->GetPadding();
        if (sz.cy == 0) {
            ++adjustable;
        } else {
            cyFixed += std::clamp(sz.cy, item->GetMinHeight(), item->GetMaxHeight());
        }
        cyFixed += pad.top + pad.bottom;
        ++estimated;
    }
    if (estimated > 1) cyFixed += (estimated - 1) * m_iChildPadding;
    int cyExpand = adjustable > 0 ? std::max(0, (available.cy - cyFixed) / adjustable) : 0;
    int cyNeeded = cyFixed + cyExpand * adjustable;

    if (m_pVerticalScrollBar) {
        bool wasShown = m_pVerticalScrollBar->IsVisible();
        ProcessScrollBar(client, 0, cyNeeded);
        // Showing or hiding the bar changes the width; lay out once more with it.
        if (wasShown != m_pVerticalScrollBar->IsVisible()) {
            SetPos(rc, needInvalidate);
            return;
        }
        if (wasShown) {
            RECT barRect{client.right, m_rcItem.top + m_rcInset.top, client.right + m_pVerticalScrollBar->GetFixedWidth(),
                         m_rcItem.bottom - m_rcInset.bottom};
            m_pVerticalScrollBar->SetPos(barRect, false);
        }
    }
    int scroll = m_pVerticalScrollBar ? m_pVerticalScrollBar->GetScrollPos() : 0;
    int y = client.top - scroll;
    int adjusted = 0, cyRemain = available.cy - cyFixed;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            CContainerUI::SetFloatPos(item);
            continue;
        }
        const RECT& pad = item->GetPadding();
        SIZE sz = item->EstimateSize(available);
        if (sz.cy == 0) {
            ++adjusted;
            sz.cy = adjusted == adjustable ? std::max(0, cyRemain) : cyExpand;
            sz.cy = std::clamp(sz.cy, item->GetMinHeight(), item->GetMaxHeight());
            cyRemain -= sz.cy;
        } else {
            sz.cy = std::clamp(sz.cy, item->GetMinHeight(), item->GetMaxHeight());
        }
        int width = client.Width() - pad.left - pad.right;
        if (sz.cx > 0) width = std::min(width, std::clamp(sz.cx, item->GetMinWidth(), item->GetMaxWidth()));
        RECT r{client.left + pad.left, y + pad.top, client.left + pad.left + std::max(0, width), y + pad.top + sz.cy};
        item->SetPos(r, false);
        y += sz.cy + pad.top + pad.bottom + m_iChildPadding;
    }
    m_cyContent = cyNeeded;
}

}  // namespace DuiLib
