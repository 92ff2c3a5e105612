// Start-up and shutdown: the template check before everything, the single instance in both
// of its answers, the main window's life, and both ways of ending.
#include <atomic>
#include <fstream>
#include <thread>

#include "ShellFixture.h"
#include "platform/SingleInstance.h"
#include "reports/ReportStore.h"
#include "shell/MainWndMessages.h"
#include "shell/Startup.h"

namespace shell_test {
namespace {

class StartupTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        std::filesystem::copy(std::string(ORVALIS_SOURCE_DIR) + "/data/ReportTheme", program / "ReportTheme",
                              std::filesystem::copy_options::recursive);
        store = std::make_unique<orvalis::reports::ReportStore>(program.path() + "/", userData.path());
        // Each test has its own instance name, so that tests never meet each other.
        env.instanceName = "orvalis-test-" + std::to_string(::getpid()) + "-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
        env.startHost = [this]() -> IHost* {
            ++hostStarts;
            return &host;
        };
        env.stopHost = [this] { ++hostStops; };
        env.checkReportTheme = [this] { return store->CheckReportTheme(); };
        env.watchDevices = false;
        env.prepareMainWindow = [this](CMainWnd& w) {
            w.UseRegisteredPageHandlers(false);
            w.AddPageHandler(std::make_unique<RecordingPage>(&pageDestroyed));
        };
        SetHost(nullptr);  // start-up brings the host up itself
    }
    void TearDown() override {
        SetHost(&host);
        ShellTest::TearDown();
    }
    void DamageATemplate() {
        std::ofstream out(program / "ReportTheme/iso-burner.html", std::ios::app);
        out << "<!-- changed -->";
    }
    // What the start-up boxes said.
    std::vector<std::string> Boxes() {
        std::vector<std::string> out;
        for (const ModalRecord& r : host.ModalRecords())
            out.push_back(r.Text("message") + " " + std::to_string(r.size.cx) + "x" + std::to_string(r.size.cy));
        return out;
    }
    void AnswerBoxesWithOk(int count) {
        for (int i = 0; i < count; ++i) host.ScriptModal([](CHeadlessDriver& d, HWND) { d.Click("okbtn"); });
    }

    orvalis::testing::TempDir userData;
    std::unique_ptr<orvalis::reports::ReportStore> store;
    StartupEnvironment env;
    int hostStarts = 0;
    int hostStops = 0;
};

TEST_F(StartupTest, ADamagedTemplateStopsEvenASecondStartBeforeTheInstanceCheck) {
    orvalis::platform::SingleInstance first(env.instanceName);
    ASSERT_FALSE(first.AnotherIsRunning());
    DamageATemplate();
    AnswerBoxesWithOk(1);
    EXPECT_EQ(RunOrvalis(env), 0);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Invalid Report Theme. 350x160"}));
    EXPECT_EQ(host.ModalRecords()[0].owner, nullptr);
    EXPECT_EQ(hostStops, 1);
    EXPECT_TRUE(EnumWindows().empty());
}

TEST_F(StartupTest, ASecondStartWhileTheFirstHasNoWindowSaysItIsRunning) {
    orvalis::platform::SingleInstance first(env.instanceName);
    AnswerBoxesWithOk(1);
    EXPECT_EQ(RunOrvalis(env), 0);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Orvalis is running. 350x150"}));
    EXPECT_TRUE(EnumWindows().empty());
}

TEST_F(StartupTest, ASecondStartBringsTheFirstWindowBackToNormalAndShowsNothing) {
    HWND mainWindow = nullptr;
    std::atomic<int> secondResult{-1};
    bool restoredBeforeClose = false;
    std::thread second;
    env.onMainWindowShown = [&](CMainWnd& w) {
        mainWindow = w.GetHWND();
        ShowWindow(mainWindow, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(mainWindow));
        second = std::thread([&, hwnd = mainWindow] {
            StartupEnvironment again = env;
            again.startHost = [] { return static_cast<IHost*>(nullptr); };
            again.prepareMainWindow = nullptr;
            again.onMainWindowShown = nullptr;
            secondResult = RunOrvalis(again);
            PostTask(hwnd, [&, hwnd] {
                restoredBeforeClose = IsWindowVisible(hwnd) && !IsIconic(hwnd);
                PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            });
        });
    };
    EXPECT_EQ(RunOrvalis(env), 0);
    second.join();
    EXPECT_EQ(secondResult.load(), 0);
    EXPECT_TRUE(restoredBeforeClose);
    EXPECT_TRUE(host.ModalRecords().empty());
    // Closed with the system command: the window and its object are gone before the loop
    // ended, then the host went down once.
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_TRUE(pageDestroyed);
    EXPECT_EQ(hostStarts, 1);
    EXPECT_EQ(hostStops, 1);
}

TEST_F(StartupTest, TheMainWindowIsTheOneTitledOrvalisCentredOnTheWorkArea) {
    RECT rc{};
    std::string title, windowClass;
    env.onMainWindowShown = [&](CMainWnd& w) {
        rc = w.GetWindowRect();
        title = w.GetTitle();
        windowClass = w.GetWindowClassName();
        PostMessage(w.GetHWND(), WM_CLOSE);
    };
    EXPECT_EQ(RunOrvalis(env), 0);
    EXPECT_EQ(title, "Orvalis");
    EXPECT_EQ(windowClass, "RevereREZWnd");
    EXPECT_EQ(rc, (RECT{460, 215, 1460, 865}));
    // After the loop a later start is the first again.
    orvalis::platform::SingleInstance later(env.instanceName);
    EXPECT_FALSE(later.AnotherIsRunning());
}

TEST_F(StartupTest, TheExitCommandEndsTheLoopAndLeavesTheWindowToTheProcess) {
    HWND mainWindow = nullptr;
    env.onMainWindowShown = [&](CMainWnd& w) {
        mainWindow = w.GetHWND();
        PostTask(mainWindow, [this] {
            driver.Click("BtnHelp");
            driver.Click("ItemExit");
        });
    };
    EXPECT_EQ(RunOrvalis(env), 0);
    EXPECT_TRUE(IsWindow(mainWindow));
    EXPECT_FALSE(pageDestroyed);
    EXPECT_EQ(hostStops, 1);
}

}  // namespace
}  // namespace shell_test
