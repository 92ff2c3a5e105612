#pragma once
// The disk list: top-level rows for disks, their volumes below them. Rows are
// CListImageTextNodeUI items inserted as nodes; a disk starts expanded, deeper rows start
// collapsed, and a row under a collapsed or hidden parent is hidden.

#include <vector>

#include "controls/CListExUI.h"
#include "controls/CListImageTextNodeUI.h"

namespace orvalis::controls {

class CDiskListUI : public CListExUI {
public:
    CDiskListUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // Inserts a row made by the caller as a new node under `parent` (the root when null),
    // after the parent's last descendant. Null when the row cannot be inserted; the row is
    // then destroyed.
    Node* AddNode(Node* parent, CListImageTextNodeUI* row);
    void SetChildVisible(Node* node, bool visible) override;
    bool RemoveNode(Node* node) override;
    void RemoveAll() override;

    // The disk nodes, filled by the list's user, so that a disk is found by its row's tag.
    std::vector<Node*>& DiskNodes() { return m_diskNodes; }
    // The first disk node whose row's tag equals `tag`, or null.
    Node* FindNodeByTag(DuiLib::UINT_PTR tag) const;

protected:
    const char* RemovableRowClass() const override { return "ListImageTextNodeUI"; }
    Node* NodeOfRow(DuiLib::CControlUI* row) const override;

private:
    std::vector<Node*> m_diskNodes;
};

}  // namespace orvalis::controls
