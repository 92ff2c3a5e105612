#include "toolkit/TreeNodeUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/TreeViewUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("TreeNode", CTreeNodeUI);

namespace {

template <typename Part>
AttributeSetter<CTreeNodeUI> PartAttributes(Part part) {
    return [part](CTreeNodeUI& node, std::string_view v) {
        AttrResult r = (node.*part)()->ApplyAttributeList(v);
        return r;
    };
}

const AttributeTable<CTreeNodeUI> kAttributes = {
    {"text", AttrString<CTreeNodeUI>(+[](CTreeNodeUI& n, std::string v) { n.SetText(v); })},
    {"horizattr", PartAttributes(&CTreeNodeUI::GetTreeNodeHoriznotal)},
    {"dotlineattr", PartAttributes(&CTreeNodeUI::GetDottedLine)},
    {"folderattr", PartAttributes(&CTreeNodeUI::GetFolderButton)},
    {"checkboxattr", PartAttributes(&CTreeNodeUI::GetCheckBox)},
    {"itemattr", PartAttributes(&CTreeNodeUI::GetItemButton)},
    {"visiblefolderbtn", AttrBool<CTreeNodeUI>(&CTreeNodeUI::SetVisibleFolderBtn)},
    {"visiblecheckbtn", AttrBool<CTreeNodeUI>(&CTreeNodeUI::SetVisibleCheckBtn)},
    {"expanded", AttrBool<CTreeNodeUI>(+[](CTreeNodeUI& n, bool v) { n.GetFolderButton()->Selected(v, false); })},
    {"checked", AttrBool<CTreeNodeUI>(+[](CTreeNodeUI& n, bool v) { n.SetCheckBoxSelected(v, false); })},
};

constexpr int kButtonWidth = 16;

}  // namespace

CTreeNodeUI::CTreeNodeUI()
    : m_pHoriz(new CHorizontalLayoutUI),
      m_pDottedLine(new CLabelUI),
      m_pFolderButton(new CCheckBoxUI),
      m_pCheckBox(new CCheckBoxUI),
      m_pItemButton(new COptionUI) {
    m_pDottedLine->SetVisible(false);
    m_pDottedLine->SetMouseEnabled(false);
    m_pFolderButton->SetFixedWidth(kButtonWidth);
    m_pFolderButton->SetGlyph(CCheckBoxUI::Glyph::Arrow);
    m_pFolderButton->SetTextPadding({0, 0, 0, 0});
    m_pCheckBox->SetTextPadding({0, 0, 0, 0});
    m_pCheckBox->SetFixedWidth(kButtonWidth);
    m_pItemButton->SetMouseEnabled(false);
    m_pItemButton->SetTextStyle(DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
    m_pItemButton->SetTextPadding({4, 0, 2, 0});
    // Clicks outside the two buttons belong to the row, which selects the node.
    m_pHoriz->SetMouseEnabled(false);
    m_pHoriz->Add(m_pDottedLine);
    m_pHoriz->Add(m_pFolderButton);
    m_pHoriz->Add(m_pCheckBox);
    m_pHoriz->Add(m_pItemButton);
    CListContainerElementUI::AddAt(m_pHoriz, 0);
}

CTreeNodeUI::~CTreeNodeUI() {
    if (m_pParentNode) std::erase(m_pParentNode->m_children, this);
    std::vector<CTreeNodeUI*> children;
    children.swap(m_children);
    for (CTreeNodeUI* child : children) {
        child->m_pParentNode = nullptr;
        // In a tree the tree's rows own every node; outside one a node owns its children.
        if (!m_pTreeView) delete child;
    }
}

std::string CTreeNodeUI::GetClass() const { return "TreeNodeUI"; }

void* CTreeNodeUI::GetInterface(std::string_view name) {
    if (name == "TreeNode" || name == "TreeNodeUI") return this;
    return CListContainerElementUI::GetInterface(name);
}

std::string CTreeNodeUI::GetText() const { return m_pItemButton->GetText(); }

void CTreeNodeUI::SetText(const std::string& text) { m_pItemButton->SetText(text); }

bool CTreeNodeUI::Add(CControlUI* control) {
    if (auto* node = dynamic_cast<CTreeNodeUI*>(control)) return AddChildNode(node);
    return m_pHoriz->Add(control);
}

bool CTreeNodeUI::AddAt(CControlUI* control, int index) {
    if (auto* node = dynamic_cast<CTreeNodeUI*>(control)) return AddChildNode(node);
    return m_pHoriz->AddAt(control, index);
}

CTreeNodeUI* CTreeNodeUI::GetChildNode(int index) const {
    if (index < 0 || index >= GetCountChild()) return nullptr;
    return m_children[index];
}

int CTreeNodeUI::GetTreeLevel() const {
    int level = 0;
    for (CTreeNodeUI* p = m_pParentNode; p; p = p->m_pParentNode) ++level;
    return level;
}

CTreeNodeUI* CTreeNodeUI::GetLastDescendant() {
    CTreeNodeUI* node = this;
    while (!node->m_children.empty()) node = node->m_children.back();
    return node;
}

bool CTreeNodeUI::AddChildNode(CTreeNodeUI* child) {
    if (!child || child == this || child->m_pParentNode) return false;
    if (m_pTreeView) {
        // The child's rows go right after this node's subtree.
        int index = m_pTreeView->GetItemIndex(GetLastDescendant()) + 1;
        child->m_pParentNode = this;
        if (!m_pTreeView->InsertNodeAt(child, index)) {
            child->m_pParentNode = nullptr;
            return false;
        }
    } else {
        child->m_pParentNode = this;
    }
    m_children.push_back(child);
    child->UpdateIndent();
    if (m_pTreeView) m_pTreeView->UpdateNodeVisibility(child);
    return true;
}

bool CTreeNodeUI::RemoveChildNode(CTreeNodeUI* child) {
    if (!child || child->m_pParentNode != this) return false;
    if (m_pTreeView) return m_pTreeView->Remove(child);
    std::erase(m_children, child);
    child->m_pParentNode = nullptr;
    delete child;
    return true;
}

void CTreeNodeUI::SetTreeView(CTreeViewUI* tree) {
    m_pTreeView = tree;
    SetOwner(tree);
    UpdateIndent();
}

void CTreeNodeUI::SetIndentWidth(int width) {
    m_iIndentWidth = std::max(0, width);
    UpdateIndent();
}

void CTreeNodeUI::UpdateIndent() {
    int indent = m_pTreeView ? m_pTreeView->GetIndentWidth() : m_iIndentWidth;
    int width = GetTreeLevel() * indent;
    // A width of 0 would let the indent stretch; a top-level node has none at all.
    m_pDottedLine->SetFixedWidth(width);
    m_pDottedLine->SetVisible(width > 0);
    for (CTreeNodeUI* child : m_children) child->UpdateIndent();
}

void CTreeNodeUI::SetVisibleFolderBtn(bool visible) { m_pFolderButton->SetVisible(visible); }
void CTreeNodeUI::SetVisibleCheckBtn(bool visible) { m_pCheckBox->SetVisible(visible); }

void CTreeNodeUI::SetSelectedState(bool selected) {
    CListContainerElementUI::SetSelectedState(selected);
    m_pItemButton->Selected(selected, false);
}

AttrResult CTreeNodeUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CListContainerElementUI::SetAttribute(name, value);
}

}  // namespace DuiLib
