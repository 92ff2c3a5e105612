// The main window: its first page, the navigation, the texts in both languages, the keys and
// the caption, the system commands, device changes and closing.
#include <gmock/gmock.h>

#include "ShellFixture.h"
#include "controls/CListImageTextNodeUI.h"
#include "shell/MainWndMessages.h"

namespace shell_test {
namespace {

using ::testing::ElementsAre;

bool Visible(CControlUI* c) { return c && c->IsVisible(); }

TEST_F(ShellTest, TheFirstPageIsTheDvdBurnerWithNoNavigationOptionSelected) {
    CMainWnd* w = OpenMainWindow();
    const CMainWnd::Controls& c = w->Ctl();
    RECT rc = w->GetWindowRect();
    EXPECT_EQ(rc.Width(), 1000);
    EXPECT_EQ(rc.Height(), 650);
    EXPECT_EQ(w->PageKind, kPageDvdBurner);
    ASSERT_NE(c.TabPage, nullptr);
    EXPECT_EQ(c.TabPage->GetCurSel(), kTabDisc);
    EXPECT_TRUE(Visible(c.LblBurnISOTitle));
    EXPECT_TRUE(Visible(c.ToolBar1));
    EXPECT_TRUE(Visible(c.BtnBurnISO));
    EXPECT_FALSE(Visible(c.LblRevereREZTitle));
    EXPECT_FALSE(Visible(c.BtnCreateFileISO));
    for (COptionUI* nav : {c.OptBurner, c.OptCreator, c.OptConvert, c.OptByteBackup, c.OptReport}) {
        ASSERT_NE(nav, nullptr);
        EXPECT_FALSE(nav->IsSelected()) << nav->GetName();
    }
    EXPECT_FALSE(Visible(c.PageShare));
    EXPECT_FALSE(Visible(c.PageAD));
    EXPECT_EQ(w->FileSystemChoice, 0);
    EXPECT_EQ(w->DvdOutputMode, 1);
    EXPECT_EQ(w->CdCapacity, 734003200u);
    EXPECT_EQ(w->ListingState.Capacity, 0xA00000u);
    EXPECT_EQ(Text("LblLogo"), "Orvalis");
    EXPECT_EQ(c.LblLogo->GetBkImage(), "file='logo-head.png' dest='0,4,72,76'");
    EXPECT_TRUE(IsWindowVisible(w->GetHWND()));
    // The pages fill themselves in this order once the window is initialised.
    EXPECT_THAT(page->hooks, ElementsAre("UpdateCapacityDisplay(0)", "FillDiskList(0)", "FillRecorderCombo(0)",
                                         "FillOutputTypes(0)", "FillReportList(0)"));
}

TEST_F(ShellTest, NavigationSwitchesPagesAndTheReportPageLeavesThePageKind) {
    CMainWnd* w = OpenMainWindow();
    const CMainWnd::Controls& c = w->Ctl();
    CListUI* fileList = c.FileList;
    struct Case {
        const char* option;
        int32_t kind;
        int tab;
    };
    const Case cases[] = {{"OptCreator", kPageCdBurner, kTabDisc}, {"OptConvert", kPageDvdToVideo, kTabDvdToVideo},
                          {"OptByteBackup", kPageByteBackup, kTabByteBackup}, {"OptBurner", kPageDvdBurner, kTabDisc}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.option);
        ASSERT_TRUE(driver.Click(k.option));
        EXPECT_EQ(w->PageKind, k.kind);
        EXPECT_EQ(c.TabPage->GetCurSel(), k.tab);
    }

    // The CD burner and the DVD burner are one page with one file list.
    driver.Click("OptCreator");
    EXPECT_TRUE(Visible(c.LblRevereREZTitle));
    EXPECT_TRUE(Visible(c.ToolBar3));
    EXPECT_TRUE(Visible(c.BtnCreateFileISO));
    EXPECT_FALSE(Visible(c.LblBurnISOTitle));
    EXPECT_FALSE(Visible(c.ToolBar1));
    EXPECT_FALSE(Visible(c.ToolBar2));
    EXPECT_FALSE(Visible(c.BtnBurnISO));
    EXPECT_EQ(driver.Find("FileList"), fileList);
    driver.Click("OptBurner");
    EXPECT_TRUE(Visible(c.ToolBar1));
    EXPECT_TRUE(Visible(c.ToolBar2));
    EXPECT_FALSE(Visible(c.BtnCreateFileISO));
    EXPECT_EQ(driver.Find("FileList"), fileList);

    driver.Click("OptCreator");
    page->hooks.clear();
    ASSERT_TRUE(driver.Click("OptReport"));
    EXPECT_EQ(c.TabPage->GetCurSel(), kTabReport);
    EXPECT_EQ(w->PageKind, kPageCdBurner);
    EXPECT_THAT(page->hooks, ElementsAre("FillReportList(0)"));
}

TEST_F(ShellTest, PageOptionsSetTheOutputModeAndTheFileSystem) {
    CMainWnd* w = OpenMainWindow();
    const std::pair<const char*, int32_t> modes[] = {{"OptDVDT3", 3}, {"OptDVDT2", 2}, {"OptDVDT1", 1}};
    for (auto [option, mode] : modes) {
        ASSERT_TRUE(driver.Click(option));
        EXPECT_EQ(w->DvdOutputMode, mode) << option;
        EXPECT_EQ(w->PageKind, kPageDvdBurner);
    }
    const std::pair<const char*, int32_t> systems[] = {{"OptISOT3", 2}, {"OptISOT2", 1}, {"OptISOT1", 0}};
    for (auto [option, choice] : systems) {
        ASSERT_TRUE(driver.Click(option));
        EXPECT_EQ(w->FileSystemChoice, choice) << option;
    }
    // A check box is not an option of the navigation.
    driver.Click("OptEject");
    EXPECT_EQ(w->PageKind, kPageDvdBurner);
}

TEST_F(ShellTest, EscapeEnterAndADoubleClickOnTheHeaderDoNothing) {
    CMainWnd* w = OpenMainWindow();
    HWND hwnd = w->GetHWND();
    driver.Key(VK_ESCAPE, 0, hwnd);
    driver.Key(VK_RETURN, 0, hwnd);
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(driver.QuitSeen());
    ASSERT_TRUE(driver.DoubleClick("LblLogo"));
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_TRUE(Visible(w->Ctl().maxbtn) == false && Visible(w->Ctl().restorebtn) == false);
}

TEST_F(ShellTest, HitTestingKeepsButtonsAndOptionsClickableInTheCaptionBand) {
    CMainWnd* w = OpenMainWindow();
    HWND hwnd = w->GetHWND();
    auto hit = [&](CControlUI* c, int dy = 0) {
        POINT pt{(c->GetPos().left + c->GetPos().right) / 2, (c->GetPos().top + c->GetPos().bottom) / 2 + dy};
        ClientToScreen(hwnd, &pt);
        return SendMessage(hwnd, WM_NCHITTEST, 0, MakeLParam(pt.x, pt.y));
    };
    EXPECT_EQ(hit(w->Ctl().LblLogo), HTCAPTION);
    EXPECT_EQ(hit(w->FindControl("Header"), 30), HTCAPTION);
    EXPECT_EQ(hit(w->Ctl().BtnHelp), HTCLIENT);
    EXPECT_EQ(hit(w->Ctl().OptReport), HTCLIENT);
    EXPECT_EQ(hit(w->FindControl("closebtn")), HTCLIENT);
    EXPECT_EQ(hit(w->Ctl().OptBurner), HTCLIENT);  // below the band
}

TEST_F(ShellTest, MaximiseAndRestoreSwapTheirButtons) {
    CMainWnd* w = OpenMainWindow();
    HWND hwnd = w->GetHWND();
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(hwnd));
    EXPECT_FALSE(Visible(w->Ctl().maxbtn));
    EXPECT_TRUE(Visible(w->Ctl().restorebtn));
    ASSERT_TRUE(driver.Click("restorebtn"));
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_TRUE(Visible(w->Ctl().maxbtn));
    EXPECT_FALSE(Visible(w->Ctl().restorebtn));
    driver.Click("minbtn");
    EXPECT_TRUE(IsIconic(hwnd));
}

TEST_F(ShellTest, ALanguageChangeReplacesEveryTextAlsoOfDisabledControls) {
    CMainWnd* w = OpenMainWindow();
    // One control of each pass is disabled while the language changes.
    w->Ctl().BtnEmptyReport->SetEnabled(false);
    w->Ctl().BtnAddFile->SetEnabled(false);
    EXPECT_EQ(Text("BtnEmptyReport"), Section("MainWnd").at("BtnEmptyReport"));
    catalogue->SetCurrentLanguage("Deutsch");
    ASSERT_EQ(catalogue->GetCurrentLanguage(), "Deutsch");
    PostMessage(w->GetHWND(), WM_LANGUAGE_CHANGED);
    driver.PumpUntilIdle();

    int checked = 0;
    for (const auto& [key, text] : Section("MainWnd")) {
        if (!w->FindControl(key)) continue;
        EXPECT_EQ(w->FindControl(key)->GetText(), text) << key;
        ++checked;
    }
    EXPECT_GT(checked, 10);
    const std::pair<const char*, const char*> pageTexts[] = {
        {"OptCreator", "CDBurn"}, {"OptBurner", "DVDBurn"}, {"BtnAddFile", "AddFile"},
        {"LblConvertTitle", "ConvertDes"}, {"TgtDevice", "SaveVideo"}, {"OptDVDT3", "OptDVDT3"}};
    for (auto [control, key] : pageTexts) EXPECT_EQ(Text(control), Section("Messages").at(key)) << control;
    EXPECT_NE(Text("OptBurner"), "DVD Burner");
    EXPECT_FALSE(w->Ctl().BtnEmptyReport->IsEnabled());
    EXPECT_FALSE(w->Ctl().BtnAddFile->IsEnabled());
    EXPECT_EQ(w->MessagesSection, &Section("Messages"));
}

TEST_F(ShellTest, DeviceEventsWithinFiveSecondsGiveOneRefresh) {
    CMainWnd* w = OpenMainWindow();
    HWND hwnd = w->GetHWND();
    auto refreshes = [&] {
        std::vector<std::string> out;
        for (const std::string& h : page->hooks) {
            if (h.rfind("FillDiskList", 0) == 0) out.push_back(h);
        }
        return out;
    };
    page->hooks.clear();
    // Two disks plugged in three seconds apart: one refresh, five seconds after the first.
    PostMessage(hwnd, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    driver.PumpUntilIdle();
    EXPECT_TRUE(w->GetPaintManager().HasTimer(w->Ctl().DiskList, kArrivalTimerId));
    driver.AdvanceTime(3000);
    PostMessage(hwnd, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    driver.PumpUntilIdle();
    driver.AdvanceTime(1900);
    EXPECT_TRUE(refreshes().empty());
    driver.AdvanceTime(200);
    EXPECT_THAT(refreshes(), ElementsAre("FillDiskList(1)"));
    driver.AdvanceTime(10000);
    EXPECT_EQ(refreshes().size(), 1u);

    // One unplugged, another plugged in: a single refresh in the mode of the first event.
    page->hooks.clear();
    PostMessage(hwnd, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    driver.PumpUntilIdle();
    driver.AdvanceTime(1000);
    PostMessage(hwnd, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    PostMessage(hwnd, WM_DEVICECHANGE, 0x0007, 0);  // other events are ignored
    driver.PumpUntilIdle();
    driver.AdvanceTime(3900);
    EXPECT_TRUE(refreshes().empty());
    driver.AdvanceTime(200);
    EXPECT_THAT(refreshes(), ElementsAre("FillDiskList(2)"));
    driver.AdvanceTime(10000);
    EXPECT_THAT(refreshes(), ElementsAre("FillDiskList(2)"));
}

TEST_F(ShellTest, ADoubleClickOnADiskRowTogglesItsPartitions) {
    CMainWnd* w = OpenMainWindow();
    driver.Click("OptByteBackup");
    orvalis::controls::CDiskListUI* disks = w->Ctl().DiskList;
    ASSERT_NE(disks, nullptr);
    // The list was built on a page not shown at first; its header is shown with the page.
    EXPECT_TRUE(disks->GetHeader()->IsVisible());
    auto row = [](const std::string& name) {
        auto* r = new orvalis::controls::CListImageTextNodeUI;
        r->SetName(name);
        r->SetText(0, name);
        r->SetFixedHeight(30);
        return r;
    };
    orvalis::controls::CListExUI::Node* disk = disks->AddNode(nullptr, row("Disk1"));
    orvalis::controls::CListExUI::Node* part = disks->AddNode(disk, row("Part1"));
    disks->AddNode(nullptr, row("Disk2"));
    driver.PumpUntilIdle();
    ASSERT_TRUE(driver.DoubleClick("Disk1"));
    EXPECT_FALSE(disk->expanded);
    EXPECT_FALSE(part->row->IsVisible());
    driver.DoubleClick("Disk1");
    EXPECT_TRUE(part->row->IsVisible());
    // A row without partitions has nothing to toggle.
    driver.DoubleClick("Disk2");
    EXPECT_TRUE(disks->GetRoot()->children.back()->expanded);
}

TEST_F(ShellTest, TheCloseButtonDestroysTheWindowAndEndsTheLoop) {
    CMainWnd* w = OpenMainWindow();
    HWND hwnd = w->GetHWND();
    ASSERT_TRUE(driver.Click("closebtn"));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(pageDestroyed);  // the window object went with its window
    EXPECT_TRUE(driver.QuitSeen());
    EXPECT_EQ(driver.QuitCode(), 0);
}

TEST_F(ShellTest, TheSystemCloseCommandClosesToo) {
    CMainWnd* w = OpenMainWindow();
    HWND hwnd = w->GetHWND();
    driver.Key(VK_F4, KEYMOD_ALT, hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(driver.QuitSeen());
}

}  // namespace
}  // namespace shell_test
