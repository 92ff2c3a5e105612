#pragma once
// One node of a tree view: a row with an indent, a folder (expand) button, a check box and
// the node's text, and the node's children. Expanded means the folder button is selected.

#include <vector>

#include "toolkit/CheckBoxUI.h"
#include "toolkit/HorizontalLayoutUI.h"
#include "toolkit/LabelUI.h"
#include "toolkit/ListContainerElementUI.h"
#include "toolkit/OptionUI.h"

namespace DuiLib {

class CTreeViewUI;

class CTreeNodeUI : public CListContainerElementUI {
public:
    CTreeNodeUI();
    ~CTreeNodeUI() override;
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    std::string GetText() const override;
    void SetText(const std::string& text) override;

    // A control added to a node is a child node when it is one.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool AddChildNode(CTreeNodeUI* child);
    bool RemoveChildNode(CTreeNodeUI* child);
    int GetCountChild() const { return static_cast<int>(m_children.size()); }
    CTreeNodeUI* GetChildNode(int index) const;
    const std::vector<CTreeNodeUI*>& GetChildNodes() const { return m_children; }
    CTreeNodeUI* GetParentNode() const { return m_pParentNode; }
    // 0 for a top-level node.
    int GetTreeLevel() const;
    // The last node of this node's subtree in display order (the node itself without children).
    CTreeNodeUI* GetLastDescendant();
    CTreeViewUI* GetTreeView() const { return m_pTreeView; }
    void SetTreeView(CTreeViewUI* tree);

    bool IsExpanded() const { return m_pFolderButton->IsSelected(); }
    // The visible mark: a node whose mark is cleared stays hidden when its parent expands.
    bool GetVisibleTag() const { return m_bVisibleTag; }
    void SetVisibleTag(bool visible) { m_bVisibleTag = visible; }
    void SetVisibleFolderBtn(bool visible);
    bool GetVisibleFolderBtn() const { return m_pFolderButton->IsOwnVisible(); }
    void SetVisibleCheckBtn(bool visible);
    bool GetVisibleCheckBtn() const { return m_pCheckBox->IsOwnVisible(); }
    void SetIndentWidth(int width);

    CHorizontalLayoutUI* GetTreeNodeHoriznotal() const { return m_pHoriz; }
    CLabelUI* GetDottedLine() const { return m_pDottedLine; }
    CCheckBoxUI* GetFolderButton() const { return m_pFolderButton; }
    CCheckBoxUI* GetCheckBox() const { return m_pCheckBox; }
    COptionUI* GetItemButton() const { return m_pItemButton; }
    bool IsCheckBoxSelected() const { return m_pCheckBox->IsSelected(); }
    void SetCheckBoxSelected(bool selected, bool triggerEvent = false) { m_pCheckBox->Selected(selected, triggerEvent); }

    void SetSelectedState(bool selected) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

private:
    friend class CTreeViewUI;
    void UpdateIndent();

    CHorizontalLayoutUI* m_pHoriz;
    CLabelUI* m_pDottedLine;
    CCheckBoxUI* m_pFolderButton;
    CCheckBoxUI* m_pCheckBox;
    COptionUI* m_pItemButton;
    CTreeNodeUI* m_pParentNode = nullptr;
    CTreeViewUI* m_pTreeView = nullptr;
    std::vector<CTreeNodeUI*> m_children;
    bool m_bVisibleTag = true;
    int m_iIndentWidth = 16;
};

}  // namespace DuiLib
