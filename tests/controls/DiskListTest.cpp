// The disk list as a tree: where rows go, what collapsing and expanding show, what removal
// takes along, and which rows the list refuses.
#include "ControlsFixture.h"
#include "toolkit/ListLabelElementUI.h"

namespace controls_test {
namespace {

TEST_F(ControlsTest, PartitionsFollowTheirDiskInInsertionOrder) {
    CListExUI::Node* a = disks->AddNode(nullptr, Row("A"));
    CListExUI::Node* b = disks->AddNode(nullptr, Row("B"));
    disks->AddNode(a, Row("a1"));
    disks->AddNode(b, Row("b1"));
    CListExUI::Node* a2 = disks->AddNode(a, Row("a2"));
    disks->AddNode(a2, Row("a2x"));
    EXPECT_EQ(Rows(), "A a1 a2 -a2x B b1");
    EXPECT_EQ(a->level, 0);
    EXPECT_TRUE(a->expanded);
    EXPECT_EQ(a2->level, 1);
    EXPECT_FALSE(a2->expanded);
    EXPECT_EQ(a2->children.front()->level, 2);
    EXPECT_EQ(disks->GetRoot()->level, -1);
    EXPECT_EQ(a2->parent, a);
}

TEST_F(ControlsTest, CollapsingHidesTheSubtreeAndExpandingKeepsCollapsedGrandchildrenHidden) {
    CListExUI::Node* a = disks->AddNode(nullptr, Row("A"));
    CListExUI::Node* a1 = disks->AddNode(a, Row("a1"));
    disks->AddNode(a1, Row("g"));
    disks->AddNode(a, Row("a2"));
    disks->AddNode(nullptr, Row("B"));
    EXPECT_EQ(Rows(), "A a1 -g a2 B");

    disks->SetChildVisible(a, false);
    EXPECT_EQ(Rows(), "A -a1 -g -a2 B");
    // A partition added to a collapsed disk starts hidden.
    disks->AddNode(a, Row("a3"));
    EXPECT_EQ(Rows(), "A -a1 -g -a2 -a3 B");
    // Expanding a node under a collapsed parent changes nothing on screen yet.
    disks->SetChildVisible(a1, true);
    EXPECT_EQ(Rows(), "A -a1 -g -a2 -a3 B");

    disks->SetChildVisible(a, true);
    EXPECT_EQ(Rows(), "A a1 g a2 a3 B");
    disks->SetChildVisible(a1, false);
    disks->SetChildVisible(a, false);
    disks->SetChildVisible(a, true);
    EXPECT_EQ(Rows(), "A a1 -g a2 a3 B");
    // The root and a null node are left alone.
    disks->SetChildVisible(disks->GetRoot(), false);
    disks->SetChildVisible(nullptr, false);
    EXPECT_EQ(Rows(), "A a1 -g a2 a3 B");
}

TEST_F(ControlsTest, RemovingADiskTakesItsRowsAndClearsTheSelection) {
    CListExUI::Node* a = disks->AddNode(nullptr, Row("A"));
    disks->AddNode(disks->AddNode(a, Row("a1")), Row("g"));
    disks->AddNode(a, Row("a2"));
    CListExUI::Node* b = disks->AddNode(nullptr, Row("B"));
    disks->AddNode(b, Row("b1"));
    a->row->SetTag(7);
    b->row->SetTag(9);
    disks->DiskNodes() = {a, b};
    disks->SetMultiSelect(true);
    disks->SelectItem(disks->GetItemIndex(b->row));
    disks->SelectMultiItem(1);

    EXPECT_TRUE(disks->Remove(a->row));
    driver.PumpUntilIdle();
    EXPECT_EQ(Rows(), "B b1");
    EXPECT_EQ(disks->GetSelectCount(), 0);
    EXPECT_EQ(disks->GetRoot()->children.size(), 1u);
    // A removed disk is not found by its tag any more.
    EXPECT_EQ(disks->FindNodeByTag(7), nullptr);
    EXPECT_EQ(disks->FindNodeByTag(9), b);

    EXPECT_TRUE(disks->RemoveAt(1));  // b1 alone
    EXPECT_EQ(Rows(), "B");
    EXPECT_TRUE(b->children.empty());

    disks->RemoveAll();
    EXPECT_EQ(disks->GetCount(), 0);
    EXPECT_TRUE(disks->DiskNodes().empty());
    EXPECT_TRUE(disks->GetRoot()->children.empty());
    EXPECT_TRUE(disks->GetRoot()->expanded);
    EXPECT_EQ(disks->GetRoot()->level, -1);
    // The list fills again from a fresh root.
    disks->AddNode(nullptr, Row("C"));
    EXPECT_EQ(Rows(), "C");
}

TEST_F(ControlsTest, TheListRefusesRowsOfTheWrongClass) {
    auto* label = new CListLabelElementUI;
    EXPECT_FALSE(disks->Add(label));
    EXPECT_FALSE(disks->AddAt(label, 0));
    delete label;
    // A plain image-and-text row goes in, but only node rows come out through Remove.
    auto* plain = new CListImageTextElementUI;
    ASSERT_TRUE(disks->Add(plain));
    EXPECT_FALSE(disks->Remove(plain));
    EXPECT_FALSE(disks->RemoveAt(0));
    EXPECT_EQ(disks->GetCount(), 1);
    // A node row without a node is removed as the toolkit does it.
    CListImageTextNodeUI* loose = Row("loose");
    ASSERT_TRUE(disks->Add(loose));
    EXPECT_TRUE(disks->Remove(loose));
    EXPECT_EQ(disks->GetCount(), 1);
    EXPECT_EQ(disks->GetClass(), "DiskListUI");
    std::unique_ptr<CListImageTextNodeUI> row(Row("x"));
    EXPECT_EQ(row->GetInterface("ListImageTextNodeUI"), row.get());
}

TEST_F(ControlsTest, HidingTheListLeavesCollapsedRowsHidden) {
    CListExUI::Node* a = disks->AddNode(nullptr, Row("A"));
    disks->AddNode(a, Row("a1"));
    disks->SetChildVisible(a, false);
    // A container above the list hides and shows it again (a tab page, say).
    disks->GetParent()->SetInternVisible(false);
    disks->GetParent()->SetInternVisible(true);
    EXPECT_EQ(Rows(), "A -a1");
}

}  // namespace
}  // namespace controls_test
