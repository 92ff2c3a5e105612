// Notifications, option groups, tab pages, combos, timers and the edit box, driven through
// the headless host as a person would.
#include <gmock/gmock.h>

#include "ToolkitFixture.h"
#include "toolkit/ButtonUI.h"
#include "toolkit/CheckBoxUI.h"
#include "toolkit/ComboUI.h"
#include "toolkit/EditUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ProgressUI.h"
#include "toolkit/TabLayoutUI.h"

namespace toolkit_test {
namespace {

using ::testing::ElementsAre;

TEST_F(ToolkitTest, NotificationGoesToTheBoundHandlerBeforeTheWindow) {
    auto w = OpenWindow(R"(<VerticalLayout><Button name="BtnGo" text="Go" height="30"/><Button name="BtnStop" height="30"/></VerticalLayout>)");
    auto* go = w->FindControl<CButtonUI>("BtnGo");
    ASSERT_NE(go, nullptr);
    go->OnNotify += [&](TNotifyUI& msg) {
        w->heard.push_back("bound:" + msg.sType + ":" + msg.pSender->GetName());
        return true;
    };
    // A handler that returns false keeps the notification from the window.
    w->FindControl("BtnStop")->OnNotify += [](TNotifyUI& msg) { return msg.sType != DUI_MSGTYPE_CLICK; };
    w->heard.clear();

    ASSERT_TRUE(driver.Click("BtnGo"));
    ASSERT_TRUE(driver.Click("BtnStop"));

    EXPECT_THAT(w->heard, ElementsAre("bound:setfocus:BtnGo", "window:setfocus:BtnGo", "bound:click:BtnGo",
                                      "window:click:BtnGo", "bound:killfocus:BtnGo", "window:killfocus:BtnGo",
                                      "window:setfocus:BtnStop"));
}

TEST_F(ToolkitTest, WindowInitArrivesOnceBeforeAnyClick) {
    auto w = OpenWindow(R"(<Button name="BtnGo"/>)");
    driver.Click("BtnGo");
    ASSERT_FALSE(w->heard.empty());
    EXPECT_EQ(w->heard.front(), "window:windowinit:BtnGo");  // the root is the sender
    EXPECT_EQ(std::count(w->heard.begin(), w->heard.end(), "window:windowinit:BtnGo"), 1);
}

TEST_F(ToolkitTest, OptionsOfAGroupSelectExclusivelyAndOnlyTheNewOneSpeaks) {
    auto w = OpenWindow(R"(<VerticalLayout>
        <Option name="OptA" group="Nav" height="30" selected="true"/>
        <Option name="OptB" group="Nav" height="30"/>
        <Option name="OptC" group="Nav" height="30"/>
        <CheckBox name="ChkX" height="30"/>
      </VerticalLayout>)");
    auto option = [&](const char* name) { return w->FindControl<COptionUI>(name); };
    w->heard.clear();

    driver.Click("OptB");
    EXPECT_FALSE(option("OptA")->IsSelected());
    EXPECT_TRUE(option("OptB")->IsSelected());
    EXPECT_EQ(std::count(w->heard.begin(), w->heard.end(), "window:selectchanged:OptB"), 1);
    EXPECT_EQ(std::count(w->heard.begin(), w->heard.end(), "window:selectchanged:OptA"), 0);

    // Clicking the selected option again changes nothing and says nothing.
    w->heard.clear();
    driver.Click("OptB");
    EXPECT_TRUE(option("OptB")->IsSelected());
    EXPECT_EQ(std::count(w->heard.begin(), w->heard.end(), "window:selectchanged:OptB"), 0);

    // A check box without a group toggles and speaks every time.
    w->heard.clear();
    driver.Click("ChkX");
    driver.Click("ChkX");
    EXPECT_FALSE(w->FindControl<CCheckBoxUI>("ChkX")->GetCheck());
    EXPECT_EQ(std::count(w->heard.begin(), w->heard.end(), "window:selectchanged:ChkX"), 2);
}

TEST_F(ToolkitTest, TabLayoutShowsOnePageByIndex) {
    auto w = OpenWindow(R"(<TabLayout name="TabPage" selectedid="1">
        <Control name="P0"/><Control name="P1"/><Control name="P2"/>
      </TabLayout>)");
    auto* tab = w->FindControl<CTabLayoutUI>("TabPage");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_TRUE(w->FindControl("P1")->IsVisible());
    EXPECT_FALSE(w->FindControl("P0")->IsVisible());

    EXPECT_TRUE(tab->SelectItem(2));
    EXPECT_TRUE(w->FindControl("P2")->IsVisible());
    EXPECT_FALSE(w->FindControl("P1")->IsVisible());
    EXPECT_FALSE(tab->SelectItem(3));
    EXPECT_EQ(tab->GetCurSel(), 2);
}

TEST_F(ToolkitTest, ComboSelectionRaisesItemSelectWithNewAndOldIndex) {
    auto w = OpenWindow(R"(<VerticalLayout><Combo name="ComboDevice" height="24"/><Edit name="EdtOther" height="24"/></VerticalLayout>)");
    auto* combo = w->FindControl<CComboUI>("ComboDevice");
    for (const char* text : {"MP4", "MKV", "AVI"}) {
        auto* item = new CListLabelElementUI;
        item->SetText(text);
        item->SetFixedHeight(22);
        combo->Add(item);
    }
    std::vector<std::pair<WPARAM, LPARAM>> selects;
    w->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == DUI_MSGTYPE_ITEMSELECT && msg.pSender == combo) selects.emplace_back(msg.wParam, msg.lParam);
    };
    // Selecting from code leaves the focus where it is.
    driver.Click("EdtOther");
    combo->SelectItem(0);
    EXPECT_EQ(w->GetPaintManager().GetFocus(), w->FindControl("EdtOther"));

    ASSERT_TRUE(driver.Select("ComboDevice", 2));
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetText(), "AVI");
    EXPECT_FALSE(combo->IsDropped());
    combo->SelectItem(2);  // no change, no notification
    EXPECT_EQ(selects, (std::vector<std::pair<WPARAM, LPARAM>>{{0, -1}, {2, 0}}));

    // Emptying the combo forgets the selection, so selecting 0 again speaks.
    combo->RemoveAll();
    EXPECT_EQ(combo->GetCurSel(), -1);
}

TEST_F(ToolkitTest, RunningTimerIsNotSetAgainAndKillingAControlsTimersStopsThemAll) {
    auto w = OpenWindow(R"(<Label name="DiskList"/>)");
    CControlUI* disk = w->FindControl("DiskList");
    std::vector<WPARAM> fired;
    disk->OnNotify += [&](TNotifyUI& msg) {
        if (msg.sType == DUI_MSGTYPE_TIMER) {
            fired.push_back(msg.wParam);
            disk->KillAllTimers();
        }
        return true;
    };
    EXPECT_TRUE(disk->SetTimer(0, 5000));
    driver.AdvanceTime(3000);
    // A burst of events: the second arrival and a removal within the five seconds.
    EXPECT_FALSE(disk->SetTimer(0, 5000));
    EXPECT_TRUE(disk->SetTimer(1, 5000));
    driver.AdvanceTime(2100);
    EXPECT_EQ(fired, std::vector<WPARAM>{0});
    driver.AdvanceTime(10000);
    EXPECT_EQ(fired, std::vector<WPARAM>{0});
    EXPECT_TRUE(disk->SetTimer(0, 5000));  // may be set again once it stopped
}

TEST_F(ToolkitTest, EditBoxTypesSelectsAndUsesTheClipboard) {
    auto w = OpenWindow(R"(<VerticalLayout><Edit name="EdtVolumeLabel" height="26" maxchar="8"/></VerticalLayout>)");
    auto* edit = w->FindControl<CEditUI>("EdtVolumeLabel");
    int changes = 0;
    edit->OnNotify += [&](TNotifyUI& msg) {
        changes += msg.sType == DUI_MSGTYPE_TEXTCHANGED;
        return true;
    };
    driver.Type("EdtVolumeLabel", "Disc ä1");
    EXPECT_EQ(edit->GetText(), "Disc ä1");
    driver.Key(VK_BACK);
    EXPECT_EQ(edit->GetText(), "Disc ä");
    driver.Key(VK_LEFT, KEYMOD_SHIFT);
    driver.Key('X', KEYMOD_CONTROL);
    EXPECT_EQ(edit->GetText(), "Disc ");
    EXPECT_EQ(host.GetClipboardText(), "ä");
    driver.Key(VK_HOME);
    driver.Key('V', KEYMOD_CONTROL);
    EXPECT_EQ(edit->GetText(), "äDisc ");
    // The limit counts characters, not bytes.
    driver.Type("EdtVolumeLabel", "12345");
    EXPECT_EQ(edit->GetText(), "äDisc 12");
    EXPECT_GT(changes, 5);
}

TEST_F(ToolkitTest, ProgressKeepsItsValueInsideTheRange) {
    auto w = OpenWindow(R"(<HorizontalLayout><Progress name="progress" min="0" max="100" width="200" height="10"/></HorizontalLayout>)");
    auto* bar = w->FindControl<CProgressUI>("progress");
    struct Case {
        int set, expect, filled;
    };
    for (Case c : {Case{25, 25, 50}, Case{150, 100, 200}, Case{-5, 0, 0}}) {
        bar->SetValue(c.set);
        EXPECT_EQ(bar->GetValue(), c.expect);
        EXPECT_EQ(bar->GetFilledRect().Width(), c.filled);
    }
}

TEST_F(ToolkitTest, CaptionBandDragsExceptOverButtonsAndItsDoubleClickMaximises) {
    auto w = OpenWindow(R"(<VerticalLayout><HorizontalLayout height="40"><Label name="LblLogo" width="100"/><Button name="BtnHelp" width="60"/></HorizontalLayout><Control/></VerticalLayout>)",
                        R"(size="400,300" caption="0,0,0,40")");
    auto hit = [&](int x, int y) {
        POINT pt{x, y};
        ClientToScreen(w->GetHWND(), &pt);
        return w->SendMessage(WM_NCHITTEST, 0, MakeLParam(pt.x, pt.y));
    };
    EXPECT_EQ(hit(50, 20), HTCAPTION);
    EXPECT_EQ(hit(130, 20), HTCLIENT);
    EXPECT_EQ(hit(50, 100), HTCLIENT);

    ASSERT_TRUE(driver.DoubleClick("LblLogo"));
    EXPECT_TRUE(IsZoomed(w->GetHWND()));
    EXPECT_EQ(w->GetWindowRect(), (RECT{0, 0, 1920, 1080}));
}

}  // namespace
}  // namespace toolkit_test

namespace toolkit_test {
namespace {

TEST_F(ToolkitTest, FileDialogsAreAnsweredFromTheScriptAndRecorded) {
    auto w = OpenWindow(R"(<Control/>)");
    host.ScriptFileDialog(std::vector<std::string>{"/media/a.mkv", "/media/b.mkv"});
    FileDialogRequest request;
    request.kind = FileDialogKind::OpenFile;
    request.owner = w->GetHWND();
    request.filters = {{"ISO Files (*.iso)", "*.iso"}};
    request.multiSelect = true;
    FileDialogResult chosen = GetHost()->ShowFileDialog(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->size(), 2u);
    // Without an answer the dialog counts as cancelled, and the test can see it was asked.
    request.kind = FileDialogKind::SaveFile;
    EXPECT_FALSE(GetHost()->ShowFileDialog(request).has_value());
    ASSERT_EQ(host.FileDialogRecords().size(), 2u);
    EXPECT_EQ(host.FileDialogRecords()[0].request.owner, w->GetHWND());
    EXPECT_EQ(host.FileDialogRecords()[1].request.kind, FileDialogKind::SaveFile);
    EXPECT_EQ(host.UnansweredCount(), 1);
}

}  // namespace
}  // namespace toolkit_test
