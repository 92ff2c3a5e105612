#include "toolkit/ControlUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Control", CControlUI);

namespace {

AttrResult SetStyleAttribute(CControlUI& c, std::string_view value) {
    CPaintManagerUI* pm = c.GetManager();
    const std::string* style = pm ? pm->GetStyle(std::string(value)) : nullptr;
    if (!style) return AttrResult::Malformed("no style named " + QuoteForMessage(value));
    return c.ApplyAttributeList(*style);
}

const AttributeTable<CControlUI> kAttributes = {
    {"name", AttrString<CControlUI>(&CControlUI::SetName)},
    {"text", AttrString<CControlUI>(&CControlUI::SetText)},
    {"tooltip", AttrString<CControlUI>(&CControlUI::SetToolTip)},
    {"userdata", AttrString<CControlUI>(&CControlUI::SetUserData)},
    {"tag", AttrInt<CControlUI>(+[](CControlUI& c, int v) { c.SetTag(static_cast<UINT_PTR>(v)); })},
    {"pos", AttrRect<CControlUI>(&CControlUI::SetFloatPos)},
    {"padding", AttrRect<CControlUI>(&CControlUI::SetPadding)},
    {"width", AttrInt<CControlUI>(&CControlUI::SetFixedWidth)},
    {"height", AttrInt<CControlUI>(&CControlUI::SetFixedHeight)},
    {"minwidth", AttrInt<CControlUI>(&CControlUI::SetMinWidth)},
    {"maxwidth", AttrInt<CControlUI>(&CControlUI::SetMaxWidth)},
    {"minheight", AttrInt<CControlUI>(&CControlUI::SetMinHeight)},
    {"maxheight", AttrInt<CControlUI>(&CControlUI::SetMaxHeight)},
    {"bkcolor", AttrColor<CControlUI>(&CControlUI::SetBkColor)},
    {"bkcolor2", AttrColor<CControlUI>(&CControlUI::SetBkColor2)},
    {"forecolor", AttrColor<CControlUI>(&CControlUI::SetForeColor)},
    {"bordercolor", AttrColor<CControlUI>(&CControlUI::SetBorderColor)},
    {"focusbordercolor", AttrColor<CControlUI>(&CControlUI::SetFocusBorderColor)},
    {"bordersize", AttrInt<CControlUI>(&CControlUI::SetBorderSize)},
    {"borderround", AttrSize<CControlUI>(&CControlUI::SetBorderRound)},
    {"bkimage", AttrImage<CControlUI>(&CControlUI::SetBkImage)},
    {"foreimage", AttrImage<CControlUI>(&CControlUI::SetForeImage)},
    {"visible", AttrBool<CControlUI>(+[](CControlUI& c, bool v) { c.SetVisible(v); })},
    {"enabled", AttrBool<CControlUI>(+[](CControlUI& c, bool v) { c.SetEnabled(v); })},
    {"mouse", AttrBool<CControlUI>(+[](CControlUI& c, bool v) { c.SetMouseEnabled(v); })},
    {"keyboard", AttrBool<CControlUI>(&CControlUI::SetKeyboardEnabled)},
    {"float", AttrBool<CControlUI>(&CControlUI::SetFloat)},
    {"menu", AttrBool<CControlUI>(&CControlUI::SetContextMenuUsed)},
    {"style", SetStyleAttribute},
};

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (m_pManager) m_pManager->ReapObjects(this);
}

void CControlUI::SetName(const std::string& name) {
    if (name == m_sName) return;
    std::string old = m_sName;
    m_sName = name;
    if (m_pManager) m_pManager->NameChanged(this, old);
}

std::string CControlUI::GetClass() const { return "ControlUI"; }

void* CControlUI::GetInterface(std::string_view name) {
    if (name == "Control" || name == "ControlUI") return this;
    return nullptr;
}

UINT CControlUI::GetControlFlags() const { return 0; }

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    m_pManager = manager;
    m_pParent = parent;
    if (init && m_pParent) Init();
}

void CControlUI::Init() {
    DoInit();
    OnInit(*this);
}

void CControlUI::DoInit() {}

void CControlUI::SetText(const std::string& text) {
    if (m_sText == text) return;
    m_sText = text;
    Invalidate();
}

void CControlUI::SetBkColor(ARGB color) { m_dwBackColor = color; Invalidate(); }
void CControlUI::SetBkColor2(ARGB color) { m_dwBackColor2 = color; Invalidate(); }
void CControlUI::SetForeColor(ARGB color) { m_dwForeColor = color; Invalidate(); }
void CControlUI::SetBorderColor(ARGB color) { m_dwBorderColor = color; Invalidate(); }
void CControlUI::SetFocusBorderColor(ARGB color) { m_dwFocusBorderColor = color; Invalidate(); }
void CControlUI::SetBorderSize(int size) { m_nBorderSize = std::max(0, size); Invalidate(); }
void CControlUI::SetBorderRound(SIZE round) { m_cxyBorderRound = round; Invalidate(); }

void CControlUI::SetBkImage(const std::string& image) {
    if (m_sBkImage == image) return;
    m_sBkImage = image;
    Invalidate();
}

void CControlUI::SetForeImage(const std::string& image) {
    if (m_sForeImage == image) return;
    m_sForeImage = image;
    Invalidate();
}

void CControlUI::SetPos(RECT rc, bool needInvalidate) {
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    if (needInvalidate && !(rc == m_rcItem)) Invalidate();
    m_rcItem = rc;
    m_bUpdateNeeded = false;
    if (needInvalidate) Invalidate();
}

void CControlUI::SetPadding(RECT rc) { m_rcPadding = rc; NeedParentUpdate(); }
void CControlUI::SetFixedWidth(int cx) { if (cx >= 0) { m_cxyFixed.cx = cx; NeedParentUpdate(); } }
void CControlUI::SetFixedHeight(int cy) { if (cy >= 0) { m_cxyFixed.cy = cy; NeedParentUpdate(); } }
void CControlUI::SetMinWidth(int cx) { if (cx >= 0) { m_cxyMin.cx = cx; NeedParentUpdate(); } }
void CControlUI::SetMaxWidth(int cx) { if (cx >= 0) { m_cxyMax.cx = cx; NeedParentUpdate(); } }
void CControlUI::SetMinHeight(int cy) { if (cy >= 0) { m_cxyMin.cy = cy; NeedParentUpdate(); } }
void CControlUI::SetMaxHeight(int cy) { if (cy >= 0) { m_cxyMax.cy = cy; NeedParentUpdate(); } }
void CControlUI::SetFloat(bool floating) { m_bFloat = floating; NeedParentUpdate(); }

void CControlUI::SetFloatPos(RECT rc) {
    m_rcFloat = rc;
    m_cxyFixed = {rc.Width(), rc.Height()};
    NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE) { return m_cxyFixed; }

void CControlUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    bool wasVisible = IsVisible();
    m_bVisible = visible;
    if (m_bFocused && !visible) m_bFocused = false;
    if (wasVisible != IsVisible()) NeedParentUpdate();
    if (!IsVisible() && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
}

void CControlUI::SetInternVisible(bool visible) {
    m_bInternVisible = visible;
    if (!visible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool enabled) {
    if (m_bEnabled == enabled) return;
    m_bEnabled = enabled;
    Invalidate();
}

void CControlUI::SetMouseEnabled(bool enabled) { m_bMouseEnabled = enabled; }

void CControlUI::SetFocus() {
    if (m_pManager) m_pManager->SetFocus(this);
}

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

CControlUI* CControlUI::FindControl(const FindPredicate& pred, UINT flags) {
    if ((flags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
    if ((flags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
    if ((flags & UIFIND_HITTEST) && !m_bMouseEnabled) return nullptr;
    return pred(this) ? this : nullptr;
}

void CControlUI::Event(TEventUI& event) {
    if (OnEvent(event)) DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        Invalidate();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        Invalidate();
        return;
    case UIEVENT_TIMER:
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TIMER, event.wParam, event.lParam);
        return;
    case UIEVENT_CONTEXTMENU:
        if (IsContextMenuUsed() && m_pManager) {
            m_pManager->SendNotify(this, DUI_MSGTYPE_MENU, event.wParam, event.lParam);
            return;
        }
        break;
    default:
        break;
    }
    if (m_pParent) m_pParent->DoEvent(event);
}

AttrResult CControlUI::SetAttribute(std::string_view name, std::string_view value) {
    return kAttributes.Apply(*this, name, value);
}

AttrResult CControlUI::ApplyAttributeList(std::string_view list) {
    auto pairs = ParseAttributeList(list);
    if (!pairs) return AttrResult::Malformed("attribute list " + QuoteForMessage(list) + " is not of the form name=\"value\"");
    for (auto& [name, value] : *pairs) {
        AttrResult r = SetAttribute(name, value);
        if (r.outcome == AttrOutcome::Unknown)
            return AttrResult::Malformed("unknown attribute " + QuoteForMessage(name) + " for " + GetClass());
        if (!r.ok()) return AttrResult::Malformed("attribute '" + name + "': " + r.message);
    }
    return AttrResult::Ok();
}

void CControlUI::Invalidate() {
    if (!IsVisible() || !m_pManager) return;
    RECT rc = m_rcItem;
    // A control clipped by its ancestors only repaints the part that shows.
    for (CControlUI* p = m_pParent; p; p = p->GetParent()) {
        if (!IntersectRect(&rc, rc, p->GetPos())) return;
    }
    m_pManager->Invalidate(rc);
}

void CControlUI::NeedUpdate() {
    if (!IsVisible()) return;
    m_bUpdateNeeded = true;
    Invalidate();
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_pParent) {
        m_pParent->NeedUpdate();
        m_pParent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::DoPaint(IRenderContext& ctx, const RECT& paint) {
    RECT clip;
    if (!IntersectRect(&clip, paint, m_rcItem)) return;
    bool rounded = m_cxyBorderRound.cx > 0;
    if (rounded && m_dwBackColor != 0) {
        ctx.FillRoundRect(m_rcItem, m_cxyBorderRound.cx, m_dwBackColor);
    } else {
        PaintBkColor(ctx);
    }
    PaintBkImage(ctx);
    PaintStatusImage(ctx);
    PaintText(ctx);
    PaintBorder(ctx);
}

void CControlUI::PaintBkColor(IRenderContext& ctx) {
    if (m_dwBackColor == 0) return;
    if (m_dwBackColor2 != 0) {
        // A two-colour background: the upper half in the first colour, the lower in the second.
        RECT top = m_rcItem, bottom = m_rcItem;
        top.bottom = bottom.top = m_rcItem.top + m_rcItem.Height() / 2;
        ctx.FillRect(top, m_dwBackColor);
        ctx.FillRect(bottom, m_dwBackColor2);
        return;
    }
    ctx.FillRect(m_rcItem, m_dwBackColor);
}

void CControlUI::PaintBkImage(IRenderContext& ctx) {
    if (!m_sBkImage.empty()) DrawImage(ctx, m_sBkImage);
}

void CControlUI::PaintStatusImage(IRenderContext& ctx) {
    if (m_dwForeColor != 0) ctx.FillRect(m_rcItem, m_dwForeColor);
    if (!m_sForeImage.empty()) DrawImage(ctx, m_sForeImage);
}

void CControlUI::PaintText(IRenderContext&) {}

void CControlUI::PaintBorder(IRenderContext& ctx) {
    ARGB color = (m_bFocused && m_dwFocusBorderColor != 0) ? m_dwFocusBorderColor : m_dwBorderColor;
    if (m_nBorderSize > 0 && color != 0) ctx.DrawRect(m_rcItem, m_nBorderSize, color);
}

bool CControlUI::DrawImage(IRenderContext& ctx, const std::string& descText, const RECT* rc) {
    if (!m_pManager || descText.empty()) return false;
    const TImageDesc* desc = m_pManager->GetImageDesc(descText);
    if (!desc) return false;
    std::shared_ptr<IHostImage> image = m_pManager->GetImage(desc->file);
    if (!image) return false;
    RECT base = rc ? *rc : m_rcItem;
    RECT dest = base;
    if (!desc->dest.IsEmpty()) {
        dest = desc->dest;
        dest.Offset(base.left, base.top);
        if (dest.right > base.right) dest.right = base.right;
        if (dest.bottom > base.bottom) dest.bottom = base.bottom;
    }
    RECT source = desc->source.IsEmpty() ? RECT{0, 0, image->Width(), image->Height()} : desc->source;
    RECT visible;
    if (!IntersectRect(&visible, dest, base)) return false;
    ctx.DrawImage(*image, dest, source, desc->corner, desc->fade);
    return true;
}

bool CControlUI::SetTimer(UINT_PTR id, UINT elapseMs) {
    return m_pManager && m_pManager->SetTimer(this, id, elapseMs);
}

bool CControlUI::KillTimer(UINT_PTR id) { return m_pManager && m_pManager->KillTimer(this, id); }

void CControlUI::KillAllTimers() {
    if (m_pManager) m_pManager->KillTimer(this);
}

}  // namespace DuiLib
