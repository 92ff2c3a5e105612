#pragma once
// A tree: nodes shown as list rows in display order. A node's folder button expands and
// collapses it, its check box checks its whole subtree, a double click toggles the folder;
// selecting a node raises "itemselect" from the tree.

#include "toolkit/ListUI.h"
#include "toolkit/TreeNodeUI.h"

namespace DuiLib {

class CTreeViewUI : public CListUI {
public:
    CTreeViewUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // Adds a top-level node (with any children it already has).
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    // Removes a node with its subtree.
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    CTreeNodeUI* GetNodeAt(int index) const;
    int GetIndentWidth() const { return m_iIndent; }
    void SetIndentWidth(int width) { m_iIndent = width; }
    void SetVisibleFolderBtn(bool visible) { m_bVisibleFolderBtn = visible; }
    void SetVisibleCheckBtn(bool visible) { m_bVisibleCheckBtn = visible; }

    // Shows or hides the children of a node whose visible mark is set, and, below children
    // that are themselves expanded, their children; with no node, the top-level nodes.
    virtual void SetItemExpand(bool expand, CTreeNodeUI* node = nullptr);
    // Sets the check box of every descendant (of every node with none given).
    virtual void SetItemCheckBox(bool checked, CTreeNodeUI* node = nullptr);

    // Handlers bound to every node's parts; true lets the notification go on to the window.
    virtual bool OnFolderChanged(TNotifyUI& msg);
    virtual bool OnCheckBoxChanged(TNotifyUI& msg);
    virtual bool OnDBClickItem(TNotifyUI& msg);

    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

private:
    friend class CTreeNodeUI;
    bool InsertNodeAt(CTreeNodeUI* node, int index);
    void UpdateNodeVisibility(CTreeNodeUI* node);
    void BindNode(CTreeNodeUI* node);

    int m_iIndent = 16;
    bool m_bVisibleFolderBtn = true;
    bool m_bVisibleCheckBtn = false;
};

}  // namespace DuiLib
