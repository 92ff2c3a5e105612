// Lists (selection with Ctrl and Shift, removing rows, menus, double clicks) and trees
// (expanding, checking, the visible mark).
#include <gmock/gmock.h>

#include "ToolkitFixture.h"
#include "toolkit/ListImageTextElementUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/TreeViewUI.h"

namespace toolkit_test {
namespace {

using ::testing::ElementsAre;

class ListTest : public ToolkitTest {
protected:
    void OpenList(int rows) {
        window = OpenWindow(R"(<List name="FileList" multiselect="true">
            <ListHeader><ListHeaderItem text="Name" width="200"/><ListHeaderItem text="Size" width="100"/></ListHeader>
          </List>)");
        list = window->FindControl<CListUI>("FileList");
        for (int i = 0; i < rows; ++i) {
            auto* row = new CListImageTextElementUI;
            row->SetName("row" + std::to_string(i));
            row->SetText(0, "file" + std::to_string(i));
            row->SetText(1, std::to_string(i * 10) + " KB");
            row->SetFixedHeight(24);
            list->Add(row);
        }
        driver.PumpUntilIdle();
    }
    std::vector<std::string> SelectedTexts() const {
        std::vector<std::string> out;
        for (int i : list->GetSelectedItems()) out.push_back(static_cast<CListTextElementUI*>(list->GetItemAt(i))->GetText(0));
        return out;
    }
    std::unique_ptr<LayoutWindow> window;
    CListUI* list = nullptr;
};

TEST_F(ListTest, CtrlTogglesShiftExtendsAndSelectionKeepsItsOrder) {
    OpenList(6);
    driver.Select("FileList", 4);
    driver.Select("FileList", 1, MK_CONTROL);
    driver.Select("FileList", 2, MK_CONTROL);
    EXPECT_THAT(SelectedTexts(), ElementsAre("file4", "file1", "file2"));
    driver.Select("FileList", 1, MK_CONTROL);
    EXPECT_THAT(SelectedTexts(), ElementsAre("file4", "file2"));
    // Shift selects from the last clicked row to this one.
    driver.Select("FileList", 5, MK_SHIFT);
    EXPECT_THAT(SelectedTexts(), ElementsAre("file1", "file2", "file3", "file4", "file5"));
    driver.Select("FileList", 0);
    EXPECT_THAT(SelectedTexts(), ElementsAre("file0"));
}

TEST_F(ListTest, RemovingTheSelectedRowsOneByOneRemovesExactlyThose) {
    OpenList(5);
    driver.Select("FileList", 1);
    driver.Select("FileList", 3, MK_CONTROL);
    // The page's walk: an index that stays while a qualifying row is removed.
    for (int i = 0; i < list->GetCount();) {
        if (list->IsItemSelected(i)) list->RemoveAt(i);
        else ++i;
    }
    ASSERT_EQ(list->GetCount(), 3);
    std::vector<std::string> left;
    for (int i = 0; i < list->GetCount(); ++i) left.push_back(static_cast<CListTextElementUI*>(list->GetItemAt(i))->GetText(0));
    EXPECT_THAT(left, ElementsAre("file0", "file2", "file4"));
    EXPECT_EQ(list->GetSelectCount(), 0);
    EXPECT_EQ(list->GetCurSel(), -1);
    // Rows keep their indices in step.
    driver.Select("FileList", 2);
    EXPECT_THAT(SelectedTexts(), ElementsAre("file4"));
}

TEST_F(ListTest, RowHandlerMayRemoveItsOwnRow) {
    OpenList(3);
    list->GetItemAt(1)->OnNotify += [this](TNotifyUI& msg) {
        if (msg.sType == DUI_MSGTYPE_ITEMCLICK) list->Remove(msg.pSender);
        return true;
    };
    ASSERT_TRUE(driver.Select("FileList", 1));
    EXPECT_EQ(list->GetCount(), 2);
}

TEST_F(ListTest, RightClickRaisesMenuWithTheRowAndPointAndDoubleClickRaisesItemDbClick) {
    OpenList(3);
    std::vector<std::string> seen;
    POINT menuPoint{};
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == DUI_MSGTYPE_MENU) {
            seen.push_back("menu:" + msg.pSender->GetName() + ":" + std::to_string(static_cast<int>(msg.wParam)));
            menuPoint = msg.ptMouse;
        }
        if (msg.sType == DUI_MSGTYPE_LISTITEMDBCLICK) seen.push_back("dbclick:" + msg.pSender->GetName());
        if (msg.sType == DUI_MSGTYPE_ITEMSELECT) seen.push_back("itemselect:" + std::to_string(msg.wParam));
    };
    ASSERT_TRUE(driver.RightClick("row2"));
    ASSERT_TRUE(driver.DoubleClick("row0"));
    EXPECT_THAT(seen, ElementsAre("itemselect:2", "menu:FileList:2", "itemselect:0", "dbclick:row0"));
    RECT row = list->GetItemAt(2)->GetPos();
    EXPECT_TRUE(row.Contains(menuPoint));
}

TEST_F(ListTest, WheelScrollsTheBodyAndColumnsFollowTheHeader) {
    OpenList(40);
    EXPECT_GT(list->GetList()->GetScrollRange().cy, 0);
    for (int i = 0; i < 5; ++i) driver.Wheel("FileList", -120);
    EXPECT_GT(list->GetList()->GetScrollPos().cy, 0);
    ASSERT_EQ(list->GetListInfo()->columns.size(), 2u);
    EXPECT_EQ(list->GetListInfo()->columns[1].Width(), 100);
    // The texts drawn are those of the rows on screen only.
    host.TakeDrawnTexts();
    window->GetPaintManager().Invalidate();
    std::vector<std::string> drawn = host.TakeDrawnTexts();
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "file0"), 0);
    EXPECT_LT(std::count_if(drawn.begin(), drawn.end(), [](const std::string& t) { return t.rfind("file", 0) == 0; }), 20);
}

TEST_F(ListTest, RowsHiddenByTheListStayHiddenWhenItsPageComesBack) {
    window = OpenWindow(R"(<TabLayout name="TabPage"><Control name="P0"/>
        <List name="DiskList"><ListHeader><ListHeaderItem text="Name" width="200"/></ListHeader></List></TabLayout>)");
    list = window->FindControl<CListUI>("DiskList");
    for (int i = 0; i < 3; ++i) {
        auto* row = new CListImageTextElementUI;
        row->SetText(0, "r" + std::to_string(i));
        list->Add(row);
    }
    list->GetItemAt(1)->SetInternVisible(false);
    auto* tab = window->FindControl<CTabLayoutUI>("TabPage");
    tab->SelectItem(1);
    tab->SelectItem(0);
    tab->SelectItem(1);
    EXPECT_TRUE(list->GetItemAt(0)->IsVisible());
    EXPECT_FALSE(list->GetItemAt(1)->IsVisible());
}

class TreeTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        window = OpenWindow(R"(<TreeView name="FileTree" visiblecheckbtn="true"/>)", R"(size="300,400")");
        tree = window->FindControl<CTreeViewUI>("FileTree");
        root = Node("Root");
        tree->Add(root);
        a = Node("A");
        b = Node("B");
        root->Add(a);
        root->Add(b);
        a1 = Node("A1");
        a->Add(a1);
        driver.PumpUntilIdle();
    }
    CTreeNodeUI* Node(const std::string& text) {
        auto* n = new CTreeNodeUI;
        n->SetText(text);
        n->SetName("node" + text);
        n->GetFolderButton()->SetName("fold" + text);
        n->GetCheckBox()->SetName("check" + text);
        return n;
    }
    std::string Shown() const {
        std::string out;
        for (int i = 0; i < tree->GetCount(); ++i) {
            CTreeNodeUI* n = tree->GetNodeAt(i);
            if (n->IsVisible()) out += n->GetText() + " ";
        }
        return out;
    }
    std::unique_ptr<LayoutWindow> window;
    CTreeViewUI* tree = nullptr;
    CTreeNodeUI *root = nullptr, *a = nullptr, *b = nullptr, *a1 = nullptr;
};

TEST_F(TreeTest, FolderButtonsExpandAndCollapseAndAGrandchildWaitsForItsParent) {
    EXPECT_EQ(Shown(), "Root ");
    EXPECT_EQ(a1->GetTreeLevel(), 2);
    std::vector<std::string> changed;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == DUI_MSGTYPE_SELECTCHANGED) changed.push_back(msg.pSender->GetClass() + ":" + msg.pSender->GetName());
    };
    ASSERT_TRUE(driver.Click("foldRoot"));
    EXPECT_EQ(Shown(), "Root A B ");
    ASSERT_TRUE(driver.Click("foldA"));
    EXPECT_EQ(Shown(), "Root A A1 B ");
    ASSERT_TRUE(driver.Click("foldRoot"));
    EXPECT_EQ(Shown(), "Root ");
    // Reopening the root shows A's child again, because A stayed expanded.
    ASSERT_TRUE(driver.Click("foldRoot"));
    EXPECT_EQ(Shown(), "Root A A1 B ");
    ASSERT_TRUE(driver.Click("foldA"));
    EXPECT_EQ(Shown(), "Root A B ");
    EXPECT_EQ(changed.front(), "CheckBoxUI:foldRoot");
    // The node holding a button is the button's parent's parent.
    EXPECT_EQ(a->GetFolderButton()->GetParent()->GetParent(), a);
}

TEST_F(TreeTest, CheckBoxChecksTheSubtreeAndTheVisibleMarkKeepsANodeHidden) {
    driver.Click("foldRoot");
    driver.Click("foldA");
    ASSERT_TRUE(driver.Click("checkRoot"));
    EXPECT_TRUE(a->IsCheckBoxSelected());
    EXPECT_TRUE(a1->IsCheckBoxSelected());
    EXPECT_TRUE(b->IsCheckBoxSelected());
    driver.Click("checkA");
    EXPECT_FALSE(a1->IsCheckBoxSelected());
    EXPECT_TRUE(b->IsCheckBoxSelected());

    // A node without the mark is left as it is when its parent opens.
    driver.Click("foldRoot");
    b->SetVisibleTag(false);
    driver.Click("foldRoot");
    EXPECT_EQ(Shown(), "Root A A1 ");
}

TEST_F(TreeTest, SelectingANodeRaisesItemSelectFromTheTreeAndDoubleClickToggles) {
    driver.Click("foldRoot");
    int selected = -1;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == DUI_MSGTYPE_ITEMSELECT && msg.pSender == tree) selected = static_cast<int>(msg.wParam);
    };
    ASSERT_TRUE(driver.Click("nodeB"));
    EXPECT_EQ(selected, tree->GetItemIndex(b));
    EXPECT_EQ(tree->GetNodeAt(tree->GetCurSel()), b);
    ASSERT_TRUE(driver.DoubleClick("nodeA"));
    EXPECT_EQ(Shown(), "Root A A1 B ");
    // Removing a node removes its subtree.
    tree->Remove(a);
    EXPECT_EQ(tree->GetCount(), 2);
    EXPECT_EQ(root->GetCountChild(), 1);
}

}  // namespace
}  // namespace toolkit_test
