#pragma once
// The list of a menu window: its items are CMenuElementUI rows.

#include "toolkit/ListUI.h"

namespace orvalis::shell {

class CMenuElementUI;

class CMenuUI : public DuiLib::CListUI {
public:
    CMenuUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // The size the menu needs to show all its items, inset included.
    DuiLib::SIZE ContentSize() const;
};

}  // namespace orvalis::shell
