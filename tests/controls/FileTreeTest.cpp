// The DVD's folder tree: its own two notifications, and the folder and check-box changes
// that reach a node's children.
#include "ControlsFixture.h"

namespace controls_test {
namespace {

class FileTreeTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        dvd = Node("DVD");
        video = Node("VIDEO_TS");
        audio = Node("AUDIO_TS");
        menu = Node("MENU");
        dvd->Add(video);
        dvd->Add(audio);
        video->Add(menu);
        ASSERT_TRUE(tree->Add(dvd));
        driver.PumpUntilIdle();
        window.heard.clear();
    }
    CTreeNodeUI* Node(const std::string& name) {
        auto* node = new CTreeNodeUI;
        node->SetName(name);
        node->SetText(name);
        node->SetFixedHeight(28);
        node->GetFolderButton()->SetName("Folder" + name);
        node->GetCheckBox()->SetName("Check" + name);
        return node;
    }
    bool Heard(const std::string& what) {
        return std::find(window.heard.begin(), window.heard.end(), what) != window.heard.end();
    }
    CTreeNodeUI* dvd = nullptr;
    CTreeNodeUI* video = nullptr;
    CTreeNodeUI* audio = nullptr;
    CTreeNodeUI* menu = nullptr;
};

TEST_F(FileTreeTest, OpeningAFolderShowsItsChildrenAndTellsTheWindow) {
    EXPECT_FALSE(video->IsVisible());
    ASSERT_TRUE(driver.Click("FolderDVD"));
    EXPECT_TRUE(Heard("itemexpand:FolderDVD"));
    EXPECT_TRUE(video->IsVisible());
    EXPECT_TRUE(audio->IsVisible());
    EXPECT_FALSE(menu->IsVisible());  // its own folder is still closed

    window.heard.clear();
    ASSERT_TRUE(driver.DoubleClick("VIDEO_TS"));
    EXPECT_TRUE(Heard("itemexpand:FolderVIDEO_TS"));
    EXPECT_TRUE(menu->IsVisible());

    // Closing the top folder hides the whole open subtree; opening it brings it back.
    driver.Click("FolderDVD");
    EXPECT_FALSE(video->IsVisible());
    EXPECT_FALSE(menu->IsVisible());
    driver.Click("FolderDVD");
    EXPECT_TRUE(menu->IsVisible());
}

TEST_F(FileTreeTest, ACheckBoxChecksTheSubtreeBeforeTheWindowHears) {
    bool subtreeCheckedWhenHeard = false;
    struct Probe : INotifyUI {
        CTreeNodeUI* menu;
        bool* seen;
        void Notify(TNotifyUI& msg) override {
            if (msg.sType == DUI_MSGTYPE_CHECKBOXSELECTCHANGED) *seen = menu->IsCheckBoxSelected();
        }
    } probe;
    probe.menu = menu;
    probe.seen = &subtreeCheckedWhenHeard;
    window.GetPaintManager().AddNotifier(&probe);
    ASSERT_TRUE(driver.Click("CheckDVD"));
    window.GetPaintManager().RemoveNotifier(&probe);
    EXPECT_TRUE(Heard("checkboxselectchanged:CheckDVD"));
    EXPECT_TRUE(subtreeCheckedWhenHeard);
    EXPECT_TRUE(video->IsCheckBoxSelected());
    EXPECT_TRUE(audio->IsCheckBoxSelected());

    tree->SetItemCheckBox(false);
    EXPECT_FALSE(dvd->IsCheckBoxSelected());
    tree->SetItemCheckBox(true, video);
    EXPECT_TRUE(menu->IsCheckBoxSelected());
    EXPECT_FALSE(audio->IsCheckBoxSelected());
}

}  // namespace
}  // namespace controls_test
