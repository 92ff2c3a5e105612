#pragma once
// A list whose rows form a tree of nodes (one hidden root, top-level rows below it), with a
// wheel that scrolls smoothly: each turn sets an eased, decaying scroll delta that a 50 ms
// timer plays out, and turns during a run add to it instead of starting from zero.

#include <vector>

#include "toolkit/ListUI.h"

namespace orvalis::controls {

class CListExUI : public DuiLib::CListUI {
public:
    // One row of the tree; the root has no row.
    struct Node {
        Node() = default;
        ~Node();
        Node(const Node&) = delete;
        Node& operator=(const Node&) = delete;

        // The deepest last descendant, or the node itself when it has no children.
        Node* LastDescendant();
        bool IsRoot() const { return parent == nullptr; }

        std::vector<Node*> children;  // owned, in display order
        Node* parent = nullptr;
        int level = -1;
        bool expanded = true;
        DuiLib::CControlUI* row = nullptr;
    };

    static constexpr DuiLib::UINT_PTR kScrollTimerId = 10;
    static constexpr DuiLib::UINT kScrollTimerMs = 50;
    static constexpr int kMaxScrollDelta = 100;

    CListExUI();
    ~CListExUI() override;

    Node* GetRoot() const { return m_root; }

    // Shows or hides a node's descendants; the plain list has no node rows of its own.
    virtual void SetChildVisible(Node* node, bool visible);
    // Removes the node's rows and its whole subtree; false for the root or no node.
    virtual bool RemoveNode(Node* node);

    // Rows of the plain one-text class are refused; every other row goes in as the toolkit
    // list puts it.
    bool Add(DuiLib::CControlUI* control) override;
    bool AddAt(DuiLib::CControlUI* control, int index) override;
    // Only rows of the plain one-text class are taken out here (a row with a node goes with
    // its subtree); the derived lists accept their own row class.
    bool Remove(DuiLib::CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    // A collapsed node's rows are hidden through their own visibility, so the list must not
    // hand its visibility down to them the way a container does.
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;

    void DoEvent(DuiLib::TEventUI& event) override;

    int ScrollDelta() const { return m_scrollDelta; }
    int StepCount() const { return m_stepCount; }
    int StepsLeft() const { return m_stepsLeft; }

    // ease(s): 2s² below one half, 1 - 2(s - 1)² from there.
    static double Ease(double s);

protected:
    // The class name of the rows Remove accepts.
    virtual const char* RemovableRowClass() const { return "ListLabelElementUI"; }
    // The node a row stands for, or null.
    virtual Node* NodeOfRow(DuiLib::CControlUI* row) const;
    // Rebuilds the root after everything was removed.
    void ResetRoot();
    // Removes a node's row and subtree without the root check.
    void RemoveSubtree(Node* node);

private:
    void OnWheel(bool up);
    void OnScrollTimer();

    Node* m_root = nullptr;
    int m_scrollDelta = 0;
    int m_stepCount = 0;
    int m_stepsLeft = 0;
};

}  // namespace orvalis::controls
