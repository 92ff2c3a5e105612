#include "controls/CListExUI.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "toolkit/ListBodyUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ScrollBarUI.h"

namespace orvalis::controls {

using namespace DuiLib;

namespace {

constexpr int kWheelStep = 10;
constexpr int kWheelReverseStep = 16;

bool IsMouseEvent(int type) {
    switch (type) {
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_MOUSELEAVE:
    case UIEVENT_MOUSEENTER:
    case UIEVENT_MOUSEHOVER:
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_BUTTONUP:
    case UIEVENT_RBUTTONDOWN:
    case UIEVENT_RBUTTONUP:
    case UIEVENT_DBLCLICK:
    case UIEVENT_CONTEXTMENU:
    case UIEVENT_SCROLLWHEEL:
        return true;
    default:
        return false;
    }
}

}  // namespace

CListExUI::Node::~Node() {
    for (Node* child : children) delete child;
}

CListExUI::Node* CListExUI::Node::LastDescendant() {
    Node* node = this;
    while (!node->children.empty()) node = node->children.back();
    return node;
}

CListExUI::CListExUI() { ResetRoot(); }

CListExUI::~CListExUI() { delete m_root; }

void CListExUI::ResetRoot() {
    delete m_root;
    m_root = new Node;
    m_root->level = -1;
    m_root->expanded = true;
}

void CListExUI::SetChildVisible(Node*, bool) {}

CListExUI::Node* CListExUI::NodeOfRow(CControlUI*) const { return nullptr; }

bool CListExUI::Add(CControlUI* control) {
    if (control && control->GetClass() == "ListLabelElementUI") return false;
    if (!CListUI::Add(control)) return false;
    // The list does not hand its visibility down, so a header that arrives while the list
    // is hidden (on a page not shown yet) must not stay hidden; the list itself still
    // decides whether anything of it is drawn.
    if (control == GetHeader()) control->SetInternVisible(true);
    return true;
}

bool CListExUI::AddAt(CControlUI* control, int index) {
    if (control && control->GetClass() == "ListLabelElementUI") return false;
    return CListUI::AddAt(control, index);
}

bool CListExUI::Remove(CControlUI* control, bool doNotDestroy) {
    if (!control || control->GetClass() != RemovableRowClass()) return false;
    if (Node* node = NodeOfRow(control)) return RemoveNode(node);
    int index = GetItemIndex(control);
    return index >= 0 && CListUI::RemoveAt(index, doNotDestroy);
}

bool CListExUI::RemoveAt(int index, bool doNotDestroy) {
    CControlUI* row = GetItemAt(index);
    if (!row) return false;
    return Remove(row, doNotDestroy);
}

void CListExUI::RemoveAll() {
    CListUI::RemoveAll();
    ResetRoot();
}

bool CListExUI::RemoveNode(Node* node) {
    if (!node || node->IsRoot()) return false;
    RemoveSubtree(node);
    return true;
}

void CListExUI::RemoveSubtree(Node* node) {
    // Children first, the last one first, so that the rows above stay where they are.
    while (!node->children.empty()) RemoveSubtree(node->children.back());
    UnSelectAllItems();
    if (node->row) CListUI::RemoveAt(GetItemIndex(node->row));
    if (Node* parent = node->parent) std::erase(parent->children, node);
    node->parent = nullptr;
    delete node;
}

void CListExUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    CControlUI::SetVisible(visible);
}

void CListExUI::SetInternVisible(bool visible) { CControlUI::SetInternVisible(visible); }

double CListExUI::Ease(double s) {
    if (s < 0.5) return 2.0 * s * s;
    return 1.0 - 2.0 * (s - 1.0) * (s - 1.0);
}

void CListExUI::OnWheel(bool up) {
    int eased = 0;
    if (m_stepCount != 0) {
        eased = static_cast<int>(Ease(static_cast<double>(m_stepsLeft) / m_stepCount) * m_scrollDelta);
    }
    if (up) m_scrollDelta = m_scrollDelta >= 0 ? eased + kWheelStep : eased + kWheelReverseStep;
    else m_scrollDelta = m_scrollDelta <= 0 ? eased - kWheelStep : eased - kWheelReverseStep;
    m_scrollDelta = std::clamp(m_scrollDelta, -kMaxScrollDelta, kMaxScrollDelta);
    m_stepCount = m_stepsLeft = 4 * static_cast<int>(std::sqrt(std::abs(m_scrollDelta)));
    SetTimer(kScrollTimerId, kScrollTimerMs);
}

void CListExUI::OnScrollTimer() {
    if (m_stepsLeft > 0) {
        --m_stepsLeft;
        int d = static_cast<int>(Ease(static_cast<double>(m_stepsLeft) / m_stepCount) * m_scrollDelta);
        SIZE pos = GetList()->GetScrollPos();
        SIZE range = GetList()->GetScrollRange();
        if ((d > 0 && pos.cy > 0) || (d < 0 && pos.cy < range.cy)) {
            GetList()->SetScrollPos({pos.cx, pos.cy - d});
            return;
        }
    }
    m_scrollDelta = m_stepCount = m_stepsLeft = 0;
    KillTimer(kScrollTimerId);
}

void CListExUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
        if (m_pParent) m_pParent->DoEvent(event);
        else CVerticalLayoutUI::DoEvent(event);
        return;
    }
    if (event.Type == UIEVENT_SCROLLWHEEL) {
        OnWheel(static_cast<int16_t>(event.wParam) > 0);
        return;
    }
    if (event.Type == UIEVENT_TIMER && event.wParam == kScrollTimerId) {
        OnScrollTimer();
        return;
    }
    CListUI::DoEvent(event);
}

}  // namespace orvalis::controls
