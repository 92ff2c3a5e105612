#pragma once
// One message queue per UI thread, with the classic meanings: posted messages in order,
// messages sent from other threads handled while the queue is read (also inside nested
// modal loops), timers that fire when nothing else is waiting, and a quit request carrying
// an exit code.

#include <functional>

#include "toolkit/UIDefs.h"

namespace DuiLib {

struct MSG {
    HWND hwnd = nullptr;
    UINT message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    uint64_t time = 0;
};

// The receiver of a window's messages.
class IWindowProcTarget {
public:
    virtual ~IWindowProcTarget() = default;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Window handles, bound to the queue of the thread that makes them.
HWND AllocateWindowHandle(IWindowProcTarget* target);
// Forgets the handle: later posts to it fail, its timers and queued messages are dropped
// and senders still waiting on it get 0.
void ReleaseWindowHandle(HWND hwnd);
bool IsWindow(HWND hwnd);
// True when the calling thread owns the window.
bool IsWindowOnCurrentThread(HWND hwnd);

inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;

// Reads the next message of the calling thread's queue, waiting for one; false on WM_QUIT.
// A non-null filter takes only that window's posted messages (others stay queued).
bool GetMessage(MSG* msg, HWND filter = nullptr);
bool PeekMessage(MSG* msg, HWND filter = nullptr, UINT removeFlag = PM_REMOVE);
// Blocks until a message is there or the timeout (ms) passes; false on the timeout.
bool WaitMessage(int timeoutMs = -1);
// Any thread. False when the window is gone.
bool PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Any thread. From another thread the caller waits until the window's thread has handled
// the message; 0 when the window is or goes away first.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
// Wakes the calling thread's loops so that they look at their windows again (a window that
// went away ends the modal loop that runs it).
void PostThreadWake();
LRESULT DispatchMessage(const MSG* msg);
// Keys already come with their characters from the host; kept for the classic loop shape.
bool TranslateMessage(const MSG* msg);

// Window timers: WM_TIMER with the id in wParam, every `elapseMs`, to the window's thread.
// Setting an existing id replaces it.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
bool KillTimer(HWND hwnd, UINT_PTR id);

// Handles what other threads sent to the calling thread's windows, now. Hosts call it from
// inside native modal loops (a file dialog), where the toolkit's own loop does not run.
void DispatchSentMessages();

// Runs a task on the thread that owns the window (any thread may call). Posted tasks run in
// order with the window's messages; false when the window is gone.
bool PostTask(HWND hwnd, std::function<void()> task);
// Runs a task on the window's thread and waits for it (immediately when already there);
// false when the window went away before the task ran.
bool InvokeTask(HWND hwnd, const std::function<void()>& task);

// The calling thread's message loop: get, filter through the windows' pre-translation,
// translate, dispatch, until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Milliseconds of the host's clock (steady clock without a host).
uint64_t TickCountMs();

}  // namespace DuiLib
