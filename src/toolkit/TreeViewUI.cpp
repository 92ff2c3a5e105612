#include "toolkit/TreeViewUI.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("TreeView", CTreeViewUI);

namespace {
const AttributeTable<CTreeViewUI> kAttributes = {
    {"indent", AttrInt<CTreeViewUI>(&CTreeViewUI::SetIndentWidth)},
    {"visiblefolderbtn", AttrBool<CTreeViewUI>(&CTreeViewUI::SetVisibleFolderBtn)},
    {"visiblecheckbtn", AttrBool<CTreeViewUI>(&CTreeViewUI::SetVisibleCheckBtn)},
};

CTreeNodeUI* NodeOfPart(CControlUI* part) {
    // A node's buttons sit in the node's horizontal layout.
    CControlUI* horiz = part ? part->GetParent() : nullptr;
    return horiz ? dynamic_cast<CTreeNodeUI*>(horiz->GetParent()) : nullptr;
}
}  // namespace

CTreeViewUI::CTreeViewUI() = default;

std::string CTreeViewUI::GetClass() const { return "TreeViewUI"; }

void* CTreeViewUI::GetInterface(std::string_view name) {
    if (name == "TreeView" || name == "TreeViewUI") return this;
    return CListUI::GetInterface(name);
}

CTreeNodeUI* CTreeViewUI::GetNodeAt(int index) const { return dynamic_cast<CTreeNodeUI*>(GetItemAt(index)); }

void CTreeViewUI::BindNode(CTreeNodeUI* node) {
    node->GetFolderButton()->OnNotify += [this](TNotifyUI& msg) { return OnFolderChanged(msg); };
    node->GetCheckBox()->OnNotify += [this](TNotifyUI& msg) { return OnCheckBoxChanged(msg); };
    node->OnNotify += [this](TNotifyUI& msg) { return OnDBClickItem(msg); };
}

bool CTreeViewUI::InsertNodeAt(CTreeNodeUI* node, int index) {
    if (!CListUI::AddAt(node, index)) return false;
    node->SetTreeView(this);
    node->SetVisibleFolderBtn(node->GetVisibleFolderBtn() && m_bVisibleFolderBtn);
    if (!m_bVisibleCheckBtn) node->SetVisibleCheckBtn(false);
    BindNode(node);
    // Children the node brought along follow it.
    int next = index + 1;
    for (CTreeNodeUI* child : node->GetChildNodes()) {
        if (!InsertNodeAt(child, next)) return false;
        next = GetItemIndex(child->GetLastDescendant()) + 1;
    }
    return true;
}

void CTreeViewUI::UpdateNodeVisibility(CTreeNodeUI* node) {
    CTreeNodeUI* parent = node->GetParentNode();
    bool shown = node->GetVisibleTag() && (!parent || (parent->IsVisible() && parent->IsExpanded()));
    node->SetVisible(shown);
    for (CTreeNodeUI* child : node->GetChildNodes()) UpdateNodeVisibility(child);
}

bool CTreeViewUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CTreeViewUI::AddAt(CControlUI* control, int index) {
    auto* node = dynamic_cast<CTreeNodeUI*>(control);
    if (!node) return CListUI::Add(control);  // header and its items
    if (node->GetParentNode()) return false;
    if (!InsertNodeAt(node, index)) return false;
    UpdateNodeVisibility(node);
    return true;
}

bool CTreeViewUI::Remove(CControlUI* control, bool doNotDestroy) {
    auto* node = dynamic_cast<CTreeNodeUI*>(control);
    if (!node || GetItemIndex(node) < 0) return false;
    // The subtree goes first, last child first.
    std::vector<CTreeNodeUI*> children = node->GetChildNodes();
    for (auto it = children.rbegin(); it != children.rend(); ++it) Remove(*it, doNotDestroy);
    if (CTreeNodeUI* parent = node->GetParentNode()) {
        std::erase(parent->m_children, node);
        node->m_pParentNode = nullptr;
    }
    return CListUI::RemoveAt(GetItemIndex(node), doNotDestroy);
}

bool CTreeViewUI::RemoveAt(int index, bool doNotDestroy) {
    CTreeNodeUI* node = GetNodeAt(index);
    return node && Remove(node, doNotDestroy);
}

void CTreeViewUI::RemoveAll() {
    // Unlink first so that no node reaches a deleted parent while the rows go.
    for (int i = 0; i < GetCount(); ++i) {
        if (CTreeNodeUI* node = GetNodeAt(i)) {
            node->m_children.clear();
            node->m_pParentNode = nullptr;
        }
    }
    CListUI::RemoveAll();
}

void CTreeViewUI::SetItemExpand(bool expand, CTreeNodeUI* node) {
    std::vector<CTreeNodeUI*> children;
    if (node) {
        children = node->GetChildNodes();
    } else {
        for (int i = 0; i < GetCount(); ++i) {
            if (CTreeNodeUI* n = GetNodeAt(i); n && !n->GetParentNode()) children.push_back(n);
        }
    }
    for (CTreeNodeUI* child : children) {
        if (child->GetVisibleTag()) child->SetVisible(expand);
        if (child->GetCountChild() > 0 && child->GetFolderButton()->IsSelected()) SetItemExpand(expand, child);
    }
    NeedUpdate();
}

void CTreeViewUI::SetItemCheckBox(bool checked, CTreeNodeUI* node) {
    if (node) {
        for (CTreeNodeUI* child : node->GetChildNodes()) {
            child->SetCheckBoxSelected(checked, false);
            SetItemCheckBox(checked, child);
        }
        return;
    }
    for (int i = 0; i < GetCount(); ++i) {
        if (CTreeNodeUI* n = GetNodeAt(i)) n->SetCheckBoxSelected(checked, false);
    }
}

bool CTreeViewUI::OnFolderChanged(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_SELECTCHANGED) return true;
    auto* button = dynamic_cast<CCheckBoxUI*>(msg.pSender);
    CTreeNodeUI* node = NodeOfPart(msg.pSender);
    if (button && node) SetItemExpand(button->IsSelected(), node);
    return true;
}

bool CTreeViewUI::OnCheckBoxChanged(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_SELECTCHANGED) return true;
    auto* box = dynamic_cast<CCheckBoxUI*>(msg.pSender);
    CTreeNodeUI* node = NodeOfPart(msg.pSender);
    if (box && node) SetItemCheckBox(box->IsSelected(), node);
    return true;
}

bool CTreeViewUI::OnDBClickItem(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_ITEMDBCLICK) return true;
    auto* node = dynamic_cast<CTreeNodeUI*>(msg.pSender);
    if (node && node->GetFolderButton()->IsVisible()) node->GetFolderButton()->Activate();
    return true;
}

AttrResult CTreeViewUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CListUI::SetAttribute(name, value);
}

}  // namespace DuiLib
