#include "controls/CFileTreeUI.h"

#include "toolkit/PaintManagerUI.h"

namespace orvalis::controls {

using namespace DuiLib;

namespace {

CTreeNodeUI* NodeOfPart(CControlUI* part) {
    CControlUI* row = part ? part->GetParent() : nullptr;
    return row ? dynamic_cast<CTreeNodeUI*>(row->GetParent()) : nullptr;
}

}  // namespace

std::string CFileTreeUI::GetClass() const { return "FileTreeUI"; }

void* CFileTreeUI::GetInterface(std::string_view name) {
    if (name == "FileTree" || name == "FileTreeUI") return this;
    return CTreeViewUI::GetInterface(name);
}

bool CFileTreeUI::OnFolderChanged(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_SELECTCHANGED) return true;
    auto* button = dynamic_cast<CCheckBoxUI*>(msg.pSender);
    CTreeNodeUI* node = NodeOfPart(msg.pSender);
    if (!button || !node) return true;
    SetItemExpand(button->IsSelected(), node);
    if (m_pManager) m_pManager->SendNotify(button, DUI_MSGTYPE_ITEMEXPAND);
    return true;
}

bool CFileTreeUI::OnCheckBoxChanged(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_SELECTCHANGED) return true;
    if (CTreeViewUI::OnCheckBoxChanged(msg) && m_pManager && NodeOfPart(msg.pSender))
        m_pManager->SendNotify(msg.pSender, DUI_MSGTYPE_CHECKBOXSELECTCHANGED);
    return true;
}

}  // namespace orvalis::controls
