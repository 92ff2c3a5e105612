// The modal loop: results from the close seen first, the owner disabled and given back its
// focus, the quit request passed on, and messages sent from other threads answered while a
// modal window runs.
#include <gmock/gmock.h>

#include <atomic>
#include <thread>

#include "ToolkitFixture.h"

namespace toolkit_test {
namespace {

constexpr UINT WM_BURN_PROGRESS = 33610;

const char* kBox = R"(<VerticalLayout><Label name="title" text="Question"/><Label name="message"/>
    <HorizontalLayout height="30"><Button name="okbtn" text="OK"/><Button name="cancelbtn" text="No"/><Button name="closebtn" text="X"/></HorizontalLayout>
  </VerticalLayout>)";

// A box whose buttons close it as the program's boxes do: OK with 1, the others with 2.
class BoxWindow : public LayoutWindow {
public:
    using LayoutWindow::LayoutWindow;
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == DUI_MSGTYPE_CLICK && msg.pSender) {
            const std::string& n = msg.pSender->GetName();
            if (n == "okbtn") Close(1);
            else if (n == "cancelbtn" || n == "closebtn") Close(2);
            return;
        }
        LayoutWindow::Notify(msg);
    }
};

class ModalTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        owner = OpenWindow(R"(<Button name="BtnOwner"/>)", R"(size="800,600")");
        Layout("xml/box.xml", std::string("<Window size=\"350,160\" caption=\"0,0,0,36\">") + kBox + "</Window>");
    }
    UINT RunBox() {
        BoxWindow box("xml/box.xml", "UIMessageBox");
        box.Open(owner->GetHWND(), 350, 160);
        box.CenterWindow();
        return box.ShowModal();
    }
    std::unique_ptr<LayoutWindow> owner;
};

TEST_F(ModalTest, ResultsByWayOfClosing) {
    struct Case {
        const char* how;
        std::function<void(CHeadlessDriver&, HWND)> answer;
        UINT expected;
    };
    const Case cases[] = {
        {"ok button", [](CHeadlessDriver& d, HWND) { d.Click("okbtn"); }, 1},
        {"no button", [](CHeadlessDriver& d, HWND) { d.Click("cancelbtn"); }, 2},
        {"close button", [](CHeadlessDriver& d, HWND) { d.Click("closebtn"); }, 2},
        {"escape", [](CHeadlessDriver& d, HWND w) { d.Key(VK_ESCAPE, 0, w); }, 1},
        {"enter, then no", [](CHeadlessDriver& d, HWND w) { d.Key(VK_RETURN, 0, w); d.Click("cancelbtn"); }, 2},
        {"destroyed without a close", [](CHeadlessDriver&, HWND w) { DestroyWindow(w); }, 0},
        {"Alt+F4", [](CHeadlessDriver& d, HWND w) { d.Key(VK_F4, KEYMOD_ALT, w); }, 0},
        {"two closes: the first counts", [](CHeadlessDriver&, HWND w) { PostMessage(w, WM_CLOSE, 7); PostMessage(w, WM_CLOSE, 9); }, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        host.ScriptModal(c.answer);
        EXPECT_EQ(RunBox(), c.expected);
        EXPECT_TRUE(IsWindowEnabled(owner->GetHWND()));
        EXPECT_EQ(GetFocus(), owner->GetHWND());
    }
    EXPECT_EQ(host.UnansweredCount(), 0);
}

TEST_F(ModalTest, OwnerIsDisabledWhileTheBoxRunsAndTheBoxIsCentredOverIt) {
    MoveWindow(owner->GetHWND(), {100, 100, 900, 700});
    bool ownerEnabled = true;
    RECT boxRect{};
    host.ScriptModal([&](CHeadlessDriver& d, HWND w) {
        ownerEnabled = IsWindowEnabled(owner->GetHWND());
        GetWindowRect(w, &boxRect);
        // Clicks on the disabled owner do nothing.
        EXPECT_FALSE(d.ClickAt(owner->GetHWND(), {10, 10}));
        d.Click("okbtn");
    });
    EXPECT_EQ(RunBox(), 1u);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(boxRect, (RECT{325, 320, 675, 480}));
    ASSERT_EQ(host.ModalRecords().size(), 1u);
    EXPECT_EQ(host.ModalRecords()[0].windowClass, "UIMessageBox");
    EXPECT_EQ(host.ModalRecords()[0].owner, owner->GetHWND());
    EXPECT_EQ(host.ModalRecords()[0].size, (SIZE{350, 160}));
    EXPECT_EQ(host.ModalRecords()[0].Text("title"), "Question");
}

TEST_F(ModalTest, WithoutOwnerTheBoxIsCentredInTheWorkAreaAndKeptInside) {
    BoxWindow box("xml/box.xml");
    box.Open(nullptr, 350, 160);
    box.CenterWindow();
    EXPECT_EQ(box.GetWindowRect(), (RECT{785, 460, 1135, 620}));
    // Over an owner near the edge the box stays inside the work area.
    MoveWindow(owner->GetHWND(), {1700, 900, 1900, 1000});
    BoxWindow owned("xml/box.xml");
    owned.Open(owner->GetHWND(), 350, 160);
    owned.CenterWindow();
    EXPECT_EQ(owned.GetWindowRect(), (RECT{1570, 870, 1920, 1030}));
}

TEST_F(ModalTest, QuitWhileModalEndsTheBoxWithZeroAndIsPassedOn) {
    host.ScriptModal([](CHeadlessDriver&, HWND) { PostQuitMessage(3); });
    EXPECT_EQ(RunBox(), 0u);
    EXPECT_TRUE(IsWindowEnabled(owner->GetHWND()));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(ModalTest, CloseSeenBeforeQuitStillCounts) {
    host.ScriptModal([](CHeadlessDriver&, HWND w) {
        PostMessage(w, WM_CLOSE, 2);
        PostQuitMessage(0);
    });
    EXPECT_EQ(RunBox(), 2u);
}

TEST_F(ModalTest, MessageSentFromAWorkerIsAnsweredDuringANestedModalLoop) {
    std::thread::id handledOn;
    owner->onMessage = [&](UINT m, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
        handled = m == WM_BURN_PROGRESS;
        if (!handled) return 0;
        handledOn = std::this_thread::get_id();
        return wParam == 4 ? 1 : 0;
    };
    std::atomic<LRESULT> reply{-1};
    std::atomic<bool> invoked{false};
    std::thread worker;
    // The outer box opens an inner box; the worker sends while the inner loop runs and then
    // asks the UI thread to close both.
    host.ScriptModal([&](CHeadlessDriver&, HWND outer) {
        host.ScriptModal([&](CHeadlessDriver&, HWND inner) {
            HWND target = owner->GetHWND();
            worker = std::thread([&, target, inner, outer] {
                reply = SendMessage(target, WM_BURN_PROGRESS, 4, 0);
                InvokeTask(inner, [&] { invoked = true; });
                PostMessage(inner, WM_CLOSE, 1);
                PostMessage(outer, WM_CLOSE, 5);
            });
        });
        BoxWindow inner("xml/box.xml");
        inner.Open(outer, 300, 150);
        EXPECT_EQ(inner.ShowModal(), 1u);
    });
    EXPECT_EQ(RunBox(), 5u);
    worker.join();
    EXPECT_EQ(reply.load(), 1);
    EXPECT_TRUE(invoked.load());
    EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST_F(ModalTest, ATaskThatPostsItselfAgainDoesNotStarveTheBox) {
    // A progress refresh that re-posts itself must not keep a box from ever closing.
    HWND target = owner->GetHWND();
    int runs = 0;
    int queued = 0;
    bool stop = false;
    std::function<void()> refresh = [&] {
        --queued;
        ++runs;
        if (!stop && PostTask(target, refresh)) ++queued;
    };
    host.ScriptModal([&](CHeadlessDriver&, HWND box) {
        if (PostTask(target, refresh)) ++queued;
        PostMessage(box, WM_CLOSE, 3);
    });
    EXPECT_EQ(RunBox(), 3u);
    EXPECT_GT(runs, 0);
    // The chain ends once asked to, before the test's locals go.
    stop = true;
    for (int i = 0; i < 100 && queued > 0; ++i) driver.PumpUntilIdle();
    EXPECT_EQ(queued, 0);
}

TEST_F(ModalTest, SendToAWindowThatGoesAwayAnswersZero) {
    HWND target = owner->GetHWND();
    owner->onMessage = [](UINT m, WPARAM, LPARAM, bool& handled) -> LRESULT {
        handled = m == WM_BURN_PROGRESS;
        return 1;
    };
    std::atomic<LRESULT> reply{-1};
    std::thread worker([&] { reply = SendMessage(target, WM_BURN_PROGRESS, 4, 0); });
    // Wait until the send is queued, then destroy the window before it is handled.
    while (!WaitMessage(10)) {
    }
    DestroyWindow(target);
    driver.PumpUntilIdle();
    worker.join();
    EXPECT_EQ(reply.load(), 0);
}

}  // namespace
}  // namespace toolkit_test
