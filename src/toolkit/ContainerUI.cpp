#include "toolkit/ContainerUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ScrollBarUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Container", CContainerUI);

namespace {
const AttributeTable<CContainerUI> kAttributes = {
    {"inset", AttrRect<CContainerUI>(&CContainerUI::SetInset)},
    {"childpadding", AttrInt<CContainerUI>(&CContainerUI::SetChildPadding)},
    {"mousechild", AttrBool<CContainerUI>(&CContainerUI::SetMouseChildEnabled)},
    {"vscrollbar", AttrBool<CContainerUI>(+[](CContainerUI& c, bool v) {
         c.EnableScrollBar(v, c.GetHorizontalScrollBar() != nullptr);
     })},
    {"hscrollbar", AttrBool<CContainerUI>(+[](CContainerUI& c, bool v) {
         c.EnableScrollBar(c.GetVerticalScrollBar() != nullptr, v);
     })},
};
}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    for (CControlUI* item : m_items) delete item;
    m_items.clear();
    delete m_pVerticalScrollBar;
    delete m_pHorizontalScrollBar;
}

std::string CContainerUI::GetClass() const { return "ContainerUI"; }

void* CContainerUI::GetInterface(std::string_view name) {
    if (name == "Container" || name == "ContainerUI" || name == "IContainer") return this;
    return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    if (index < 0 || index >= static_cast<int>(m_items.size())) return nullptr;
    return m_items[index];
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    auto it = std::find(m_items.begin(), m_items.end(), control);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
    auto found = std::find(m_items.begin(), m_items.end(), control);
    int from = found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
    if (from < 0 || index < 0 || index >= static_cast<int>(m_items.size())) return false;
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + index, control);
    NeedUpdate();
    return true;
}

bool CContainerUI::Add(CControlUI* control) { return CContainerUI::AddAt(control, static_cast<int>(m_items.size())); }

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (!control || index < 0 || index > static_cast<int>(m_items.size())) return false;
    if (m_pManager) m_pManager->InitControls(control, this);
    else control->SetManager(nullptr, this, false);
    if (IsVisible()) NeedUpdate();
    control->SetInternVisible(IsVisible());
    m_items.insert(m_items.begin() + index, control);
    return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
    auto found = std::find(m_items.begin(), m_items.end(), control);
    return found != m_items.end() && CContainerUI::RemoveAt(static_cast<int>(found - m_items.begin()), doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) {
    if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
    CControlUI* control = m_items[index];
    m_items.erase(m_items.begin() + index);
    NeedUpdate();
    if (doNotDestroy) {
        if (m_pManager) m_pManager->ReapObjects(control);
        control->SetManager(nullptr, nullptr, false);
    } else if (m_pManager) {
        m_pManager->ReleaseControl(control);
    } else {
        delete control;
    }
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    for (CControlUI* control : items) {
        if (m_pManager) m_pManager->ReleaseControl(control);
        else delete control;
    }
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetScrollPos(0);
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetScrollPos(0);
    NeedUpdate();
}

void CContainerUI::SetInset(RECT rc) { m_rcInset = rc; NeedUpdate(); }
void CContainerUI::SetChildPadding(int padding) { m_iChildPadding = padding; NeedUpdate(); }

void CContainerUI::SetChildVisibility(bool visible) {
    for (CControlUI* item : m_items) item->SetInternVisible(visible);
}

void CContainerUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    CControlUI::SetVisible(visible);
    SetChildVisibility(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    SetChildVisibility(IsVisible());
}

void CContainerUI::SetMouseEnabled(bool enabled) {
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetMouseEnabled(enabled);
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetMouseEnabled(enabled);
    CControlUI::SetMouseEnabled(enabled);
}

namespace {

// Scroll bars that a container makes for itself take the window's "VScrollBar" and
// "HScrollBar" defaults, as bars written in a layout would.
void ApplyScrollBarDefaults(CScrollBarUI* bar, CPaintManagerUI* manager) {
    if (!bar || !manager) return;
    const std::string* defaults =
        manager->GetDefaultAttributeList(bar->IsHorizontal() ? "HScrollBar" : "VScrollBar");
    if (defaults) (void)bar->ApplyAttributeList(*defaults);
}

}  // namespace

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    bool newManager = manager != m_pManager;
    for (CControlUI* item : m_items) item->SetManager(manager, this, init);
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (!bar) continue;
        bar->SetManager(manager, this, init);
        if (newManager) ApplyScrollBarDefaults(bar, manager);
    }
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindControl(const FindPredicate& pred, UINT flags) {
    if ((flags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
    if ((flags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
    if ((flags & UIFIND_HITTEST) && !m_bMouseEnabled && !m_bMouseChildEnabled) return nullptr;
    if (flags & UIFIND_ME_FIRST) {
        if (CControlUI* me = CControlUI::FindControl(pred, flags)) return me;
    }
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (bar && bar->IsVisible()) {
            if (CControlUI* hit = bar->FindControl(pred, flags)) return hit;
        }
    }
    if (!(flags & UIFIND_HITTEST) || m_bMouseChildEnabled) {
        // Hit tests go from the topmost (last painted) child down.
        auto visit = [&](CControlUI* item) -> CControlUI* { return item->FindControl(pred, flags); };
        if (flags & UIFIND_TOP_FIRST) {
            for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
                if (CControlUI* hit = visit(*it)) return hit;
            }
        } else {
            for (CControlUI* item : m_items) {
                if (CControlUI* hit = visit(item)) return hit;
            }
        }
    }
    if (!(flags & UIFIND_ME_FIRST)) {
        if ((flags & UIFIND_HITTEST) && !m_bMouseEnabled) return nullptr;
        return CControlUI::FindControl(pred, flags);
    }
    return nullptr;
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT_FIRST && event.Type < UIEVENT_LAST && event.Type != UIEVENT_TIMER) {
        if (m_pParent) m_pParent->DoEvent(event);
        return;
    }
    if (event.Type == UIEVENT_SCROLLWHEEL && m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) {
        int delta = static_cast<int16_t>(event.wParam);
        if (delta > 0) LineUp();
        else LineDown();
        return;
    }
    CControlUI::DoEvent(event);
}

RECT CContainerUI::GetClientRect() const {
    RECT rc = m_rcItem;
    rc.Deflate(m_rcInset);
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) rc.right -= m_pVerticalScrollBar->GetFixedWidth();
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible())
        rc.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
    return rc;
}

void CContainerUI::SetFloatPos(CControlUI* child) {
    RECT pos = child->GetFloatPos();
    SIZE fixed{child->GetFixedWidth(), child->GetFixedHeight()};
    RECT rc{m_rcItem.left + pos.left, m_rcItem.top + pos.top, 0, 0};
    rc.right = rc.left + (fixed.cx > 0 ? fixed.cx : pos.Width());
    rc.bottom = rc.top + (fixed.cy > 0 ? fixed.cy : pos.Height());
    child->SetPos(rc, false);
}

void CContainerUI::SetPos(RECT rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    if (m_items.empty()) return;
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
        SIZE sz = item->EstimateSize({r.Width(), r.Height()});
        if (sz.cx > 0) r.right = std::min(r.right, r.left + std::clamp(sz.cx, item->GetMinWidth(), item->GetMaxWidth()));
        if (sz.cy > 0) r.bottom = std::min(r.bottom, r.top + std::clamp(sz.cy, item->GetMinHeight(), item->GetMaxHeight()));
        item->SetPos(r, false);
    }
}

void CContainerUI::ProcessScrollBar(RECT rc, int cxRequired, int cyRequired) {
    if (m_pVerticalScrollBar) {
        int available = rc.Height();
        bool show = cyRequired > available;
        m_pVerticalScrollBar->SetVisible(show);
        if (show) {
            int width = m_pVerticalScrollBar->GetFixedWidth();
            m_pVerticalScrollBar->SetScrollRange(cyRequired - available);
            m_pVerticalScrollBar->SetPageSize(available);
            m_pVerticalScrollBar->SetPos({rc.right, rc.top, rc.right + width, rc.bottom}, false);
        } else {
            m_pVerticalScrollBar->SetScrollRange(0);
            m_pVerticalScrollBar->SetScrollPos(0);
        }
    }
    if (m_pHorizontalScrollBar) {
        int available = rc.Width();
        bool show = cxRequired > available;
        m_pHorizontalScrollBar->SetVisible(show);
        if (show) {
            int height = m_pHorizontalScrollBar->GetFixedHeight();
            m_pHorizontalScrollBar->SetScrollRange(cxRequired - available);
            m_pHorizontalScrollBar->SetPageSize(available);
            m_pHorizontalScrollBar->SetPos({rc.left, rc.bottom, rc.right, rc.bottom + height}, false);
        } else {
            m_pHorizontalScrollBar->SetScrollRange(0);
            m_pHorizontalScrollBar->SetScrollPos(0);
        }
    }
}

void CContainerUI::DoPaint(IRenderContext& ctx, const RECT& paint) {
    RECT clip;
    if (!IntersectRect(&clip, paint, m_rcItem)) return;
    ctx.PushClip(clip);
    CControlUI::DoPaint(ctx, clip);
    RECT client = m_rcItem;
    client.Deflate(m_rcInset);
    RECT childClip;
    if (IntersectRect(&childClip, clip, client)) {
        ctx.PushClip(childClip);
        for (CControlUI* item : m_items) {
            if (!item->IsVisible() || item->IsFloat()) continue;
            RECT tmp;
            if (IntersectRect(&tmp, childClip, item->GetPos())) item->DoPaint(ctx, childClip);
        }
        ctx.PopClip();
    }
    // Floating children may paint over the inset.
    for (CControlUI* item : m_items) {
        if (item->IsVisible() && item->IsFloat()) item->DoPaint(ctx, clip);
    }
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (bar && bar->IsVisible()) bar->DoPaint(ctx, clip);
    }
    ctx.PopClip();
}

AttrResult CContainerUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "scrolllinesize") {
        auto n = ParseInt(value);
        if (!n || *n <= 0) return AttrResult::Malformed("expected a positive integer, got " + QuoteForMessage(value));
        m_nScrollLine = *n;
        return AttrResult::Ok();
    }
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CControlUI::SetAttribute(name, value);
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
    if (vertical && !m_pVerticalScrollBar) {
        m_pVerticalScrollBar = new CScrollBarUI;
        m_pVerticalScrollBar->SetHorizontal(false);
        m_pVerticalScrollBar->SetOwner(this);
        m_pVerticalScrollBar->SetManager(m_pManager, nullptr, false);
        ApplyScrollBarDefaults(m_pVerticalScrollBar, m_pManager);
        m_pVerticalScrollBar->SetVisible(false);
    } else if (!vertical && m_pVerticalScrollBar) {
        delete m_pVerticalScrollBar;
        m_pVerticalScrollBar = nullptr;
    }
    if (horizontal && !m_pHorizontalScrollBar) {
        m_pHorizontalScrollBar = new CScrollBarUI;
        m_pHorizontalScrollBar->SetHorizontal(true);
        m_pHorizontalScrollBar->SetOwner(this);
        m_pHorizontalScrollBar->SetManager(m_pManager, nullptr, false);
        ApplyScrollBarDefaults(m_pHorizontalScrollBar, m_pManager);
        m_pHorizontalScrollBar->SetVisible(false);
    } else if (!horizontal && m_pHorizontalScrollBar) {
        delete m_pHorizontalScrollBar;
        m_pHorizontalScrollBar = nullptr;
    }
    NeedUpdate();
}

SIZE CContainerUI::GetScrollPos() const {
    return {m_pHorizontalScrollBar ? m_pHorizontalScrollBar->GetScrollPos() : 0,
            m_pVerticalScrollBar ? m_pVerticalScrollBar->GetScrollPos() : 0};
}

SIZE CContainerUI::GetScrollRange() const {
    return {m_pHorizontalScrollBar ? m_pHorizontalScrollBar->GetScrollRange() : 0,
            m_pVerticalScrollBar ? m_pVerticalScrollBar->GetScrollRange() : 0};
}

void CContainerUI::SetScrollPos(SIZE pos) {
    SIZE old = GetScrollPos();
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetScrollPos(pos.cy);
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetScrollPos(pos.cx);
    if (old == GetScrollPos()) return;
    SetPos(m_rcItem, true);
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_SCROLL);
}

void CContainerUI::LineUp() { SetScrollPos({GetScrollPos().cx, GetScrollPos().cy - m_nScrollLine}); }
void CContainerUI::LineDown() { SetScrollPos({GetScrollPos().cx, GetScrollPos().cy + m_nScrollLine}); }
void CContainerUI::PageUp() { SetScrollPos({GetScrollPos().cx, GetScrollPos().cy - GetClientRect().Height()}); }
void CContainerUI::PageDown() { SetScrollPos({GetScrollPos().cx, GetScrollPos().cy + GetClientRect().Height()}); }
void CContainerUI::HomeUp() { SetScrollPos({GetScrollPos().cx, 0}); }
void CContainerUI::EndDown() { SetScrollPos({GetScrollPos().cx, GetScrollRange().cy}); }

}  // namespace DuiLib
