#include "controls/CDiskListUI.h"

#include <algorithm>

namespace orvalis::controls {

using namespace DuiLib;

namespace {

CListImageTextNodeUI* AsNodeRow(CControlUI* control) {
    return control ? static_cast<CListImageTextNodeUI*>(control->GetInterface("ListImageTextNodeUI")) : nullptr;
}

// Every node of a subtree, the node included.
void CollectSubtree(CListExUI::Node* node, std::vector<CListExUI::Node*>& out) {
    out.push_back(node);
    for (CListExUI::Node* child : node->children) CollectSubtree(child, out);
}

}  // namespace

CDiskListUI::CDiskListUI() {
    // Row texts carry font, spacing and inline-image markup.
    GetListInfo()->bShowHtml = true;
}

std::string CDiskListUI::GetClass() const { return "DiskListUI"; }

void* CDiskListUI::GetInterface(std::string_view name) {
    if (name == "DiskList" || name == "DiskListUI") return this;
    return CListExUI::GetInterface(name);
}

CListExUI::Node* CDiskListUI::NodeOfRow(CControlUI* row) const {
    CListImageTextNodeUI* nodeRow = AsNodeRow(row);
    return nodeRow ? nodeRow->GetNode() : nullptr;
}

CListExUI::Node* CDiskListUI::AddNode(Node* parent, CListImageTextNodeUI* row) {
    if (!row) return nullptr;
    if (!parent) parent = GetRoot();
    auto* node = new Node;
    node->level = parent->level + 1;
    node->expanded = parent->IsRoot();
    node->row = row;
    row->SetOwner(this);
    row->SetNode(node);

    int index = 0;
    if (!parent->children.empty()) {
        index = GetItemIndex(parent->LastDescendant()->row) + 1;
    } else if (!parent->IsRoot()) {
        index = GetItemIndex(parent->row) + 1;
    }
    if (!CListExUI::AddAt(row, index)) {
        delete row;
        delete node;
        return nullptr;
    }
    // The list shows what it adds; a row under a collapsed or hidden parent starts hidden.
    if (!parent->IsRoot() && (!parent->expanded || !parent->row->IsVisible())) row->SetInternVisible(false);
    node->parent = parent;
    parent->children.push_back(node);
    return node;
}

void CDiskListUI::SetChildVisible(Node* node, bool visible) {
    if (!node || node->IsRoot() || node->expanded == visible) return;
    node->expanded = visible;
    if (node->row && node->row->IsVisible() && !node->children.empty()) {
        int first = GetItemIndex(node->children.front()->row);
        int last = GetItemIndex(node->LastDescendant()->row);
        for (int i = first; i >= 0 && i <= last; ++i) {
            CListImageTextNodeUI* row = AsNodeRow(GetItemAt(i));
            if (!row || !row->GetNode()) continue;
            Node* parent = row->GetNode()->parent;
            bool shown = parent && parent->expanded && (!parent->row || parent->row->IsVisible());
            row->SetInternVisible(shown);
        }
    }
    NeedUpdate();
}

bool CDiskListUI::RemoveNode(Node* node) {
    if (!node || node->IsRoot()) return false;
    // A removed disk must not stay findable by its tag.
    std::vector<Node*> gone;
    CollectSubtree(node, gone);
    std::erase_if(m_diskNodes, [&gone](Node* n) { return std::find(gone.begin(), gone.end(), n) != gone.end(); });
    return CListExUI::RemoveNode(node);
}

void CDiskListUI::RemoveAll() {
    m_diskNodes.clear();
    CListExUI::RemoveAll();
}

CListExUI::Node* CDiskListUI::FindNodeByTag(UINT_PTR tag) const {
    for (Node* node : m_diskNodes) {
        if (node && node->row && node->row->GetTag() == tag) return node;
    }
    return nullptr;
}

}  // namespace orvalis::controls
