// Message boxes and the pop-up base: layouts and captions by kind, results by the way of
// closing, sizes from the caller, the owner disabled and given back its focus, a quit
// request passed on, and a box asked for by a worker thread.
#include <atomic>
#include <thread>

#include "ShellFixture.h"
#include "shell/CMessageBox.h"
#include "shell/CPopUpWnd.h"

namespace shell_test {
namespace {

class BoxTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        main = OpenMainWindow();
        host.ClearRecords();
    }
    CMainWnd* main = nullptr;
};

TEST_F(BoxTest, EachKindHasItsLayoutAndItsCaption) {
    struct Case {
        int kind;
        const char* layout;
        const char* captionKey;
    };
    // Question and Warning take their captions the other way round from their numbers.
    const Case cases[] = {
        {kBoxError, "xml/MessageBox_Error.xml", "MSG0501"},
        {kBoxConfirm, "xml/MessageBox_Confirm.xml", "MSG0502"},
        {kBoxInformation, "xml/MessageBox_Information.xml", "MSG0503"},
        {kBoxWarning, "xml/MessageBox_Warning.xml", "MSG0505"},
        {kBoxQuestion, "xml/MessageBox_Question.xml", "MSG0504"},
        {7, "xml/MessageBox_Error.xml", "MSG0501"},
        {-1, "xml/MessageBox_Error.xml", "MSG0501"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        host.ClearRecords();
        host.ScriptModal([](CHeadlessDriver& d, HWND) { d.Click("okbtn"); });
        EXPECT_EQ(ShowMessageBox(c.kind, main->GetHWND(), "Some text.", 380, 170), kBoxOk);
        ASSERT_EQ(host.ModalRecords().size(), 1u);
        const ModalRecord& r = host.ModalRecords()[0];
        EXPECT_EQ(r.windowClass, "UIMessageBox");
        EXPECT_EQ(r.skinFile, c.layout);
        EXPECT_EQ(r.Text("title"), Section("Messages").at(c.captionKey));
        EXPECT_EQ(r.Text("message"), "Some text.");
        EXPECT_EQ(r.size, (SIZE{380, 170}));
        EXPECT_EQ(r.owner, main->GetHWND());
    }
    EXPECT_EQ(Section("Messages").at("MSG0504"), "Question");
}

TEST_F(BoxTest, ResultsByTheWayTheBoxWasClosed) {
    struct Case {
        const char* how;
        int kind;
        std::function<void(CHeadlessDriver&, HWND)> answer;
        int expected;
    };
    const Case cases[] = {
        {"No", kBoxQuestion, [](CHeadlessDriver& d, HWND) { d.Click("cancelbtn"); }, kBoxCancel},
        {"close button", kBoxQuestion, [](CHeadlessDriver& d, HWND) { d.Click("closebtn"); }, kBoxCancel},
        {"Escape", kBoxQuestion, [](CHeadlessDriver& d, HWND w) { d.Key(VK_ESCAPE, 0, w); }, kBoxOk},
        {"Enter does nothing", kBoxConfirm,
         [](CHeadlessDriver& d, HWND w) {
             d.Key(VK_RETURN, 0, w);
             d.Click("cancelbtn");
         },
         kBoxCancel},
        {"OK", kBoxConfirm, [](CHeadlessDriver& d, HWND) { d.Click("okbtn"); }, kBoxOk},
        {"Alt+F4", kBoxError, [](CHeadlessDriver& d, HWND w) { d.Key(VK_F4, KEYMOD_ALT, w); }, kBoxOther},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        host.ScriptModal(c.answer);
        EXPECT_EQ(ShowMessageBox(c.kind, main->GetHWND(), "Go on?", 350, 160), c.expected);
        EXPECT_TRUE(IsWindowEnabled(main->GetHWND()));
        EXPECT_EQ(GetFocus(), main->GetHWND());
    }
    EXPECT_EQ(host.UnansweredCount(), 0);
}

TEST_F(BoxTest, TheOwnerIsDisabledWhileTheBoxRunsAndABoxWithoutOwnerSitsOnTheWorkArea) {
    bool ownerEnabled = true;
    RECT box{};
    host.ScriptModal([&](CHeadlessDriver& d, HWND w) {
        ownerEnabled = IsWindowEnabled(main->GetHWND());
        GetWindowRect(w, &box);
        d.Click("okbtn");
    });
    ShowMessageBox(kBoxInformation, main->GetHWND(), "Done.", 400, 160);
    EXPECT_FALSE(ownerEnabled);
    RECT owner = main->GetWindowRect();
    EXPECT_EQ((box.left + box.right) / 2, (owner.left + owner.right) / 2);
    EXPECT_EQ(box.Width(), 400);

    host.ScriptModal([&](CHeadlessDriver& d, HWND w) {
        ownerEnabled = IsWindowEnabled(main->GetHWND());
        GetWindowRect(w, &box);
        d.Click("okbtn");
    });
    ShowMessageBox(kBoxInformation, nullptr, "Alone.", 350, 150);
    EXPECT_TRUE(ownerEnabled);
    EXPECT_EQ(box, (RECT{785, 465, 1135, 615}));
}

TEST_F(BoxTest, AQuitRequestEndsTheBoxAndIsPassedOn) {
    host.ScriptModal([](CHeadlessDriver&, HWND) { PostQuitMessage(3); });
    EXPECT_EQ(ShowMessageBox(kBoxQuestion, main->GetHWND(), "Quit?", 350, 160), kBoxOther);
    EXPECT_TRUE(IsWindowEnabled(main->GetHWND()));
    MSG msg;
    bool quit = false;
    while (PeekMessage(&msg)) {
        if (msg.message == WM_QUIT) quit = msg.wParam == 3;
    }
    EXPECT_TRUE(quit);
}

TEST_F(BoxTest, ABoxAskedForByAWorkerRunsOnTheUiThreadWhileTheWorkerWaits) {
    std::thread::id uiThread = std::this_thread::get_id();
    std::thread::id boxThread;
    host.ScriptModal([&](CHeadlessDriver& d, HWND) {
        boxThread = std::this_thread::get_id();
        d.Click("cancelbtn");
    });
    std::atomic<int> result{-1};
    std::thread worker([&] { result = ShowMessageBox(kBoxQuestion, main->GetHWND(), "Insert a disc?", 450, 180); });
    while (result.load() == -1) {
        driver.PumpUntilIdle();
        WaitMessage(10);
    }
    worker.join();
    EXPECT_EQ(result.load(), kBoxCancel);
    EXPECT_EQ(boxThread, uiThread);
    ASSERT_EQ(host.ModalRecords().size(), 1u);
    EXPECT_EQ(host.ModalRecords()[0].size, (SIZE{450, 180}));

    // Without an owner the box still goes to the thread of the main window.
    boxThread = {};
    host.ScriptModal([&](CHeadlessDriver& d, HWND) {
        boxThread = std::this_thread::get_id();
        d.Click("okbtn");
    });
    result = -1;
    std::thread alone([&] { result = ShowMessageBox(kBoxInformation, nullptr, "Done.", 350, 160); });
    while (result.load() == -1) {
        driver.PumpUntilIdle();
        WaitMessage(10);
    }
    alone.join();
    EXPECT_EQ(result.load(), kBoxOk);
    EXPECT_EQ(boxThread, uiThread);
    EXPECT_EQ(host.ModalRecords().back().owner, nullptr);
}

// A progress window of the simplest kind: it counts how often it was told it is ready.
class TestPopUp : public CPopUpWnd {
public:
    using CPopUpWnd::CPopUpWnd;
    void OnWindowReady(TNotifyUI&) override { ++ready; }
    int ready = 0;
};

TEST_F(BoxTest, APopUpClosesWithTheResultsOfItsButtonsAndEscape) {
    struct Case {
        const char* how;
        std::function<void(CHeadlessDriver&, HWND)> answer;
        UINT expected;
    };
    const Case cases[] = {
        {"okbtn", [](CHeadlessDriver& d, HWND) { d.Click("okbtn"); }, 1},
        {"cancelbtn", [](CHeadlessDriver& d, HWND) { d.Click("cancelbtn"); }, 2},
        {"closebtn", [](CHeadlessDriver& d, HWND) { d.Click("closebtn"); }, 2},
        {"Escape", [](CHeadlessDriver& d, HWND w) { d.Key(VK_ESCAPE, 0, w); }, 2},
        {"Enter, then a code of its own",
         [](CHeadlessDriver& d, HWND w) {
             d.Key(VK_RETURN, 0, w);
             PostMessage(w, WM_CLOSE, 3);
         },
         3},
        {"the title is no button", [](CHeadlessDriver& d, HWND w) {
             d.Click("title");
             PostMessage(w, WM_CLOSE, 3);
         }, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        auto* popUp = new TestPopUp("xml/MessageBox_Confirm.xml");
        ASSERT_TRUE(popUp->CreatePopUp(main->GetHWND(), 420, 210));
        EXPECT_EQ(popUp->GetWindowRect().Width(), 420);
        EXPECT_EQ(popUp->GetOwnerWindow(), main->GetHWND());
        host.ScriptModal(c.answer);
        EXPECT_EQ(popUp->RunModal(), c.expected);
        EXPECT_EQ(popUp->ready, 1);
        EXPECT_EQ(host.ModalRecords().back().windowClass, "UIPopUpWnd");
        popUp->Delete();
        EXPECT_TRUE(IsWindowEnabled(main->GetHWND()));
    }
}

TEST_F(BoxTest, APopUpAppliesALanguageSectionByControlName) {
    auto* popUp = new TestPopUp("xml/CountFileProcessWnd.xml");
    ASSERT_TRUE(popUp->CreatePopUp(main->GetHWND(), 400, 200));
    popUp->ApplyTexts("CountFileWnd");
    const auto& section = Section("CountFileWnd");
    ASSERT_FALSE(section.empty());
    int applied = 0;
    for (const auto& [key, text] : section) {
        if (CControlUI* c = popUp->FindControl(key)) {
            EXPECT_EQ(c->GetText(), text) << key;
            ++applied;
        }
    }
    EXPECT_GT(applied, 0);
    popUp->Delete();
}

}  // namespace
}  // namespace shell_test
