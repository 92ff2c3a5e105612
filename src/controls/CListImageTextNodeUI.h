#pragma once
// A row with an image and per-column texts that stands for one node of a tree-shaped list.

#include "controls/CListExUI.h"
#include "toolkit/ListImageTextElementUI.h"

namespace orvalis::controls {

class CListImageTextNodeUI : public DuiLib::CListImageTextElementUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    CListExUI::Node* GetNode() const { return m_node; }
    void SetNode(CListExUI::Node* node) { m_node = node; }

private:
    CListExUI::Node* m_node = nullptr;
};

}  // namespace orvalis::controls
