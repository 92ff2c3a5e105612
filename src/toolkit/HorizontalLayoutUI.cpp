#include "toolkit/HorizontalLayoutUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/ScrollBarUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("HorizontalLayout", CHorizontalLayoutUI);

std::string CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(std::string_view name) {
    if (name == "HorizontalLayout" || name == "HorizontalLayoutUI") return this;
    return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    RECT client = m_rcItem;
    client.Deflate(m_rcInset);
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible())
        client.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
    SIZE available{client.Width(), client.Height()};

    int adjustable = 0, cxFixed = 0, estimated = 0;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible() || item->IsFloat()) continue;
        SIZE sz = item->EstimateSize(available);
        const RECT& pad = item->GetPadding();
        if (sz.cx == 0) {
            ++adjustable;
        } else {
            cxFixed += std::clamp(sz.cx, item->GetMinWidth(), item->GetMaxWidth());
        }
        cxFixed += pad.left + pad.right;
        ++estimated;
    }
    if (estimated > 1) cxFixed += (estimated - 1) * m_iChildPadding;
    int cxExpand = adjustable > 0 ? std::max(0, (available.cx - cxFixed) / adjustable) : 0;
    int cxNeeded = cxFixed + cxExpand * adjustable;

    if (m_pHorizontalScrollBar) {
        bool wasShown = m_pHorizontalScrollBar->IsVisible();
        ProcessScrollBar(client, cxNeeded, 0);
        if (wasShown != m_pHorizontalScrollBar->IsVisible()) {
            SetPos(rc, needInvalidate);
            return;
        }
    }
    int scroll = m_pHorizontalScrollBar ? m_pHorizontalScrollBar->GetScrollPos() : 0;
    int x = client.left - scroll;
    int adjusted = 0, cxRemain = available.cx - cxFixed;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            CContainerUI::SetFloatPos(item);
            continue;
        }
        const RECT& pad = item->GetPadding();
        SIZE sz = item->EstimateSize(available);
        if (sz.cx == 0) {
            ++adjusted;
            sz.cx = adjusted == adjustable ? std::max(0, cxRemain) : cxExpand;
            sz.cx = std::clamp(sz.cx, item->GetMinWidth(), item->GetMaxWidth());
            cxRemain -= sz.cx;
        } else {
            sz.cx = std::clamp(sz.cx, item->GetMinWidth(), item->GetMaxWidth());
        }
        int height = client.Height() - pad.top - pad.bottom;
        int top = client.top + pad.top;
        if (sz.cy > 0) {
            int fixed = std::clamp(sz.cy, item->GetMinHeight(), item->GetMaxHeight());
            if (fixed < height) top += (height - fixed) / 2;
            height = std::min(height, fixed);
        }
        RECT r{x + pad.left, top, x + pad.left + sz.cx, top + std::max(0, height)};
        item->SetPos(r, false);
        x += sz.cx + pad.left + pad.right + m_iChildPadding;
    }
}

}  // namespace DuiLib
