// The context menus: what each command makes the main window do, the help menu with its
// language sub-menu and dot, and the ways a menu closes.
#include <gmock/gmock.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "ShellFixture.h"
#include "shell/CMenuWindow.h"
#include "shell/MainWndMessages.h"

namespace shell_test {
namespace {

class MenuTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        main = OpenMainWindow();
    }
    // The open menu windows, oldest first.
    std::vector<HWND> Menus() {
        std::vector<HWND> out;
        for (HWND hwnd : EnumWindows()) {
            CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
            if (w && w->GetWindowClassName() == "UIMenuWnd") out.push_back(hwnd);
        }
        return out;
    }
    std::string MenuRoot(HWND hwnd) {
        auto* menu = dynamic_cast<CMenuWindow*>(CWindowWnd::FromHandle(hwnd));
        return menu && menu->GetMenu() ? menu->GetMenu()->GetName() : "";
    }
    CMainWnd* main = nullptr;
};

TEST_F(MenuTest, EveryCommandActsAsTheButtonItStandsFor) {
    struct Case {
        const char* page;  // navigation option that shows the list
        const char* list;
        const char* item;
        const char* button;
        LPARAM lParam;
    };
    const Case cases[] = {
        {"OptBurner", "FileList", "ItemAddFile", "BtnAddFile", 0},
        {"OptBurner", "FileList", "ItemAddFolder", "BtnAddFolder", 0},
        {"OptCreator", "FileList", "ItemRemove", "BtnRemoveFile", 0},
        {"OptCreator", "FileList", "ItemRemoveAll", "BtnRemoveAll", 0},
        {"OptConvert", "ExtractFileList", "ItemLoadISOFile", "BtnLoadISO", 0},
        {"OptConvert", "ExtractFileList", "ItemExtractISOFile", "BtnExtractISO", kExtractFromList},
        {"OptConvert", "FileTree", "ItemExtractISOFile", "BtnExtractISO", kExtractFromTree},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.list) + " " + c.item);
        driver.Click(c.page);
        page->clicks.clear();
        ASSERT_TRUE(driver.RightClick(c.list));
        ASSERT_EQ(Menus().size(), 1u);
        EXPECT_EQ(MenuRoot(Menus()[0]), c.list == std::string("FileList") ? "MenuCreater" : "MenuExtractor");
        ASSERT_TRUE(driver.Click(c.item));
        EXPECT_TRUE(Menus().empty());
        ASSERT_EQ(page->clicks.size(), 1u);
        EXPECT_EQ(page->clicks[0].control, c.button);
        EXPECT_EQ(page->clicks[0].wParam, 0u);
        EXPECT_EQ(page->clicks[0].lParam, c.lParam);
    }

    // The button itself reaches the very same handler.
    page->clicks.clear();
    driver.Click("OptCreator");
    ASSERT_TRUE(driver.Click("BtnRemoveAll"));
    ASSERT_EQ(page->clicks.size(), 1u);
    EXPECT_EQ(page->clicks[0].control, "BtnRemoveAll");
}

TEST_F(MenuTest, TheMenuOpensAtTheMouseAndTheHelpMenuBelowItsButton) {
    ASSERT_TRUE(driver.RightClick("FileList"));
    ASSERT_EQ(Menus().size(), 1u);
    RECT menu{};
    GetWindowRect(Menus()[0], &menu);
    CControlUI* list = main->Ctl().FileList;
    POINT centre{(list->GetPos().left + list->GetPos().right) / 2, (list->GetPos().top + list->GetPos().bottom) / 2};
    ClientToScreen(main->GetHWND(), &centre);
    EXPECT_EQ(menu.left, centre.x);
    EXPECT_EQ(menu.top, centre.y);
    EXPECT_EQ(menu.Width(), 228);       // items of 220 in an inset of 4
    EXPECT_EQ(menu.Height(), 4 * 28 + 8);
    driver.Key(VK_ESCAPE, 0, Menus()[0]);
    EXPECT_TRUE(Menus().empty());

    ASSERT_TRUE(driver.Click("BtnHelp"));
    ASSERT_EQ(Menus().size(), 1u);
    GetWindowRect(Menus()[0], &menu);
    CControlUI* help = main->Ctl().BtnHelp;
    POINT corner{help->GetPos().left, help->GetPos().bottom};
    ClientToScreen(main->GetHWND(), &corner);
    EXPECT_EQ(menu.left, corner.x);
    EXPECT_EQ(menu.top, corner.y);
    // The item captions come from the language file.
    for (const char* item : {"ItemHelp", "ItemSupport", "ItemLanguage", "ItemExit"})
        EXPECT_EQ(Text(item), Section("MenuWnd").at(item)) << item;
}

TEST_F(MenuTest, TheLanguageSubMenuMarksTheCurrentLanguageAndChangesIt) {
    ASSERT_TRUE(driver.Click("BtnHelp"));
    ASSERT_TRUE(driver.Hover("ItemLanguage"));
    std::vector<HWND> menus = Menus();
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(MenuRoot(menus[1]), "MenuHelp");
    RECT top{}, sub{};
    GetWindowRect(menus[0], &top);
    GetWindowRect(menus[1], &sub);
    EXPECT_EQ(sub.left, top.right);  // beside its item
    EXPECT_EQ(sub.Height(), 2 * 28 + 8);
    EXPECT_EQ(Text("English"), "English");
    EXPECT_EQ(driver.Find("English")->GetBkImage(), "file='point.png' source='0,0,16,16' dest='0,4,16,20'");
    EXPECT_EQ(driver.Find("Deutsch")->GetBkImage(), "");

    ASSERT_TRUE(driver.Hover("Deutsch"));
    ASSERT_TRUE(driver.Click("Deutsch"));
    EXPECT_TRUE(Menus().empty());
    EXPECT_EQ(catalogue->GetCurrentLanguage(), "Deutsch");
    // The choice is kept for the next start, and the window speaks the new language.
    std::ifstream config(program / "config.ini");
    std::stringstream text;
    text << config.rdbuf();
    EXPECT_NE(text.str().find("Default=Deutsch"), std::string::npos);
    EXPECT_EQ(Text("OptBurner"), Section("Messages").at("DVDBurn"));
    EXPECT_EQ(Text("BtnHelp"), Section("MainWnd").at("BtnHelp"));

    // The next opening marks the new language and shows the menu in it.
    ASSERT_TRUE(driver.Click("BtnHelp"));
    EXPECT_EQ(Text("ItemExit"), Section("MenuWnd").at("ItemExit"));
    driver.Hover("ItemLanguage");
    ASSERT_EQ(Menus().size(), 2u);
    EXPECT_EQ(driver.Find("Deutsch")->GetBkImage(), "file='point.png' source='0,0,16,16' dest='0,4,16,20'");
    EXPECT_EQ(driver.Find("English")->GetBkImage(), "");
}

TEST_F(MenuTest, MenusCloseOnAnotherItemOnFocusLossAndOnEscape) {
    driver.Click("BtnHelp");
    driver.Hover("ItemLanguage");
    ASSERT_EQ(Menus().size(), 2u);
    // Back onto another item of the help menu: the sub-menu goes, the help menu stays.
    ASSERT_TRUE(driver.Hover("ItemSupport"));
    ASSERT_EQ(Menus().size(), 1u);
    // The language items went back into their item and open again.
    driver.Hover("ItemLanguage");
    ASSERT_EQ(Menus().size(), 2u);
    EXPECT_NE(driver.Find("Deutsch"), nullptr);

    // Escape closes only the menu it is pressed in.
    driver.Key(VK_ESCAPE, 0, Menus()[1]);
    ASSERT_EQ(Menus().size(), 1u);

    // A click into the main window takes the focus from the menus and closes them all.
    driver.Hover("ItemHelp");
    driver.Hover("ItemLanguage");
    ASSERT_EQ(Menus().size(), 2u);
    ASSERT_TRUE(driver.Click("LblBurnISOTitle"));
    EXPECT_TRUE(Menus().empty());
    EXPECT_TRUE(IsWindow(main->GetHWND()));
}

TEST_F(MenuTest, HelpAndSupportOpenTheHelpPage) {
    orvalis::testing::TempDir scratch;
    std::string log = scratch / "opened.txt";
    std::string script = scratch.Write("open.sh", "#!/bin/sh\necho \"$1\" >> '" + log + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    orvalis::testing::ScopedEnv open("ORVALIS_SHELL_OPEN", script);
    for (const char* item : {"ItemHelp", "ItemSupport"}) {
        ASSERT_TRUE(driver.Click("BtnHelp"));
        ASSERT_TRUE(driver.Click(item));
        EXPECT_TRUE(Menus().empty());
    }
    std::string lines;
    for (int i = 0; i < 100 && std::count(lines.begin(), lines.end(), '\n') < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(log);
        std::stringstream s;
        s << in.rdbuf();
        lines = s.str();
    }
    std::string page = CMenuWindow::HelpPagePath();
    EXPECT_EQ(lines, page + "\n" + page + "\n");
    EXPECT_TRUE(page.ends_with("/Help/index.html"));
}

TEST_F(MenuTest, ExitEndsTheLoopWithoutDestroyingTheMainWindow) {
    ASSERT_TRUE(driver.Click("BtnHelp"));
    driver.Click("ItemExit");
    EXPECT_TRUE(driver.QuitSeen());
    EXPECT_EQ(driver.QuitCode(), 0);
    EXPECT_TRUE(IsWindow(main->GetHWND()));
    EXPECT_FALSE(pageDestroyed);
}

TEST_F(MenuTest, RightClicksInsideAMenuDoNothing) {
    driver.Click("BtnHelp");
    page->clicks.clear();
    driver.RightClick("ItemExit");
    EXPECT_EQ(Menus().size(), 1u);
    EXPECT_FALSE(driver.QuitSeen());
}

}  // namespace
}  // namespace shell_test
