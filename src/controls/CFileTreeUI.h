#pragma once
// The DVD's folder tree: a tree view that tells its window when a folder was opened or
// closed ("itemexpand") and when a check box changed and the change reached the node's
// children ("checkboxselectchanged"), both with the clicked part as sender.

#include "toolkit/TreeViewUI.h"

namespace orvalis::controls {

class CFileTreeUI : public DuiLib::CTreeViewUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    bool OnFolderChanged(DuiLib::TNotifyUI& msg) override;
    bool OnCheckBoxChanged(DuiLib::TNotifyUI& msg) override;
};

}  // namespace orvalis::controls
