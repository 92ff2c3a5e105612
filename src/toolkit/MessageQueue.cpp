#include "toolkit/MessageQueue.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "toolkit/Host.h"

namespace DuiLib {

bool PreTranslateMessage(const MSG* msg);  // PaintManagerUI.cpp

namespace {

struct SentMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::function<void()> task;  // set for tasks instead of a message
    std::promise<LRESULT> reply;
};

struct Timer {
    UINT elapse;
    uint64_t due;
};

class Queue {
public:
    explicit Queue(bool usesHost) : usesHost_(usesHost) {}

    ~Queue() {
        std::lock_guard lock(mutex_);
        for (auto& sent : sent_) sent->reply.set_value(0);
    }

    void Wake() {
        if (usesHost_) {
            if (IHost* host = GetHost()) host->Wake();
        }
        // Also for a host thread whose host was taken away: it then waits here.
        cv_.notify_all();
    }

    void Post(const MSG& msg) {
        {
            std::lock_guard lock(mutex_);
            posted_.push_back(msg);
        }
        Wake();
    }

    std::future<LRESULT> PostSent(std::unique_ptr<SentMessage> sent) {
        std::future<LRESULT> reply = sent->reply.get_future();
        {
            std::lock_guard lock(mutex_);
            sent_.push_back(std::move(sent));
        }
        Wake();
        return reply;
    }

    void Quit(int code) {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
            quitCode_ = code;
        }
        Wake();
    }

    void SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
        std::lock_guard lock(mutex_);
        timers_[{hwnd, id}] = Timer{elapse, TickCountMs() + elapse};
    }

    bool KillTimer(HWND hwnd, UINT_PTR id) {
        std::lock_guard lock(mutex_);
        return timers_.erase({hwnd, id}) > 0;
    }

    void Forget(HWND hwnd) {
        std::lock_guard lock(mutex_);
        for (auto it = timers_.begin(); it != timers_.end();) {
            it = it->first.first == hwnd ? timers_.erase(it) : std::next(it);
        }
        std::erase_if(posted_, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
    }

    // Handles the messages other threads sent and the tasks they posted for immediate work:
    // those waiting now, not those they add meanwhile, so that a task that posts another
    // one can never keep the posted messages from being taken.
    void DispatchSent() {
        size_t pending = 0;
        {
            std::lock_guard lock(mutex_);
            pending = sent_.size();
        }
        for (; pending > 0; --pending) {
            std::unique_ptr<SentMessage> sent;
            {
                std::lock_guard lock(mutex_);
                if (sent_.empty()) return;
                sent = std::move(sent_.front());
                sent_.pop_front();
            }
            LRESULT result = 0;
            if (sent->task) {
                if (sent->hwnd == nullptr || IsWindow(sent->hwnd)) {
                    sent->task();
                    result = 1;
                }
            } else {
                MSG msg{sent->hwnd, sent->message, sent->wParam, sent->lParam, TickCountMs()};
                result = DispatchMessage(&msg);
            }
            sent->reply.set_value(result);
        }
    }

    // One attempt to take a message: sent ones are handled on the way. Returns true with
    // the message, or false with the time (ms) until the next timer (-1: none).
    bool Take(MSG* out, HWND filter, bool remove, int* waitMs) {
        DispatchSent();
        std::lock_guard lock(mutex_);
        for (auto it = posted_.begin(); it != posted_.end(); ++it) {
            if (filter && it->hwnd != filter) continue;
            *out = *it;
            if (remove) posted_.erase(it);
            return true;
        }
        if (quit_ && !filter) {
            *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode_), 0, TickCountMs()};
            if (remove) quit_ = false;
            return true;
        }
        uint64_t now = TickCountMs();
        int wait = -1;
        for (auto& [key, timer] : timers_) {
            if (filter && key.first != filter) continue;
            if (timer.due <= now) {
                *out = MSG{key.first, WM_TIMER, key.second, 0, now};
                if (remove) timer.due = now + timer.elapse;
                return true;
            }
            int left = static_cast<int>(timer.due - now);
            if (wait < 0 || left < wait) wait = left;
        }
        *waitMs = wait;
        return false;
    }

    bool HasWork() {
        std::lock_guard lock(mutex_);
        return !posted_.empty() || !sent_.empty() || quit_;
    }

    void Wait(int timeoutMs) {
        if (usesHost_) {
            if (IHost* host = GetHost()) {
                host->Wait(timeoutMs);
                return;
            }
        }
        std::unique_lock lock(mutex_);
        auto ready = [this] { return !posted_.empty() || !sent_.empty() || quit_; };
        if (timeoutMs < 0) {
            cv_.wait(lock, ready);
        } else {
            cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        }
    }

private:
    const bool usesHost_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<MSG> posted_;
    std::deque<std::unique_ptr<SentMessage>> sent_;
    std::map<std::pair<HWND, UINT_PTR>, Timer> timers_;
    bool quit_ = false;
    int quitCode_ = 0;
};

std::thread::id g_hostThread;

std::shared_ptr<Queue>& CurrentQueue() {
    thread_local std::shared_ptr<Queue> queue;
    if (!queue) queue = std::make_shared<Queue>(GetHost() && std::this_thread::get_id() == g_hostThread);
    return queue;
}

struct WindowEntry {
    IWindowProcTarget* target;
    std::weak_ptr<Queue> queue;
    std::thread::id thread;
};

std::mutex g_windowsMutex;
std::unordered_map<HWND, WindowEntry> g_windows;
uintptr_t g_nextHandle = 0x100;

bool Lookup(HWND hwnd, WindowEntry* out) {
    std::lock_guard lock(g_windowsMutex);
    auto it = g_windows.find(hwnd);
    if (it == g_windows.end()) return false;
    *out = it->second;
    return true;
}

IHost* g_host = nullptr;

}  // namespace

void SetHost(IHost* host) {
    g_host = host;
    g_hostThread = std::this_thread::get_id();
}

IHost* GetHost() { return g_host; }

uint64_t TickCountMs() {
    if (g_host) return g_host->NowMs();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

HWND AllocateWindowHandle(IWindowProcTarget* target) {
    std::lock_guard lock(g_windowsMutex);
    HWND hwnd = reinterpret_cast<HWND>(g_nextHandle);
    g_nextHandle += 0x10;
    g_windows[hwnd] = WindowEntry{target, CurrentQueue(), std::this_thread::get_id()};
    return hwnd;
}

void ReleaseWindowHandle(HWND hwnd) {
    std::shared_ptr<Queue> queue;
    {
        std::lock_guard lock(g_windowsMutex);
        auto it = g_windows.find(hwnd);
        if (it == g_windows.end()) return;
        queue = it->second.queue.lock();
        g_windows.erase(it);
    }
    if (queue) queue->Forget(hwnd);
}

bool IsWindow(HWND hwnd) {
    std::lock_guard lock(g_windowsMutex);
    return g_windows.count(hwnd) > 0;
}

bool IsWindowOnCurrentThread(HWND hwnd) {
    WindowEntry entry;
    return Lookup(hwnd, &entry) && entry.thread == std::this_thread::get_id();
}

bool GetMessage(MSG* msg, HWND filter) {
    Queue& queue = *CurrentQueue();
    for (;;) {
        int waitMs = -1;
        if (queue.Take(msg, filter, true, &waitMs)) return msg->message != WM_QUIT;
        queue.Wait(waitMs);
    }
}

bool PeekMessage(MSG* msg, HWND filter, UINT removeFlag) {
    int waitMs = -1;
    return CurrentQueue()->Take(msg, filter, removeFlag == PM_REMOVE, &waitMs);
}

bool WaitMessage(int timeoutMs) {
    Queue& queue = *CurrentQueue();
    if (queue.HasWork()) return true;
    queue.Wait(timeoutMs);
    return queue.HasWork();
}

bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowEntry entry;
    if (!Lookup(hwnd, &entry)) return false;
    std::shared_ptr<Queue> queue = entry.queue.lock();
    if (!queue) return false;
    queue->Post(MSG{hwnd, message, wParam, lParam, TickCountMs()});
    return true;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowEntry entry;
    if (!Lookup(hwnd, &entry)) return 0;
    if (entry.thread == std::this_thread::get_id()) return entry.target->WindowProc(message, wParam, lParam);
    std::shared_ptr<Queue> queue = entry.queue.lock();
    if (!queue) return 0;
    auto sent = std::make_unique<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    std::future<LRESULT> reply = queue->PostSent(std::move(sent));
    queue.reset();  // a queue that ends while we wait answers 0
    return reply.get();
}

void PostQuitMessage(int exitCode) { CurrentQueue()->Quit(exitCode); }

void DispatchSentMessages() { CurrentQueue()->DispatchSent(); }

void PostThreadWake() { CurrentQueue()->Post(MSG{nullptr, WM_NULL, 0, 0, TickCountMs()}); }

LRESULT DispatchMessage(const MSG* msg) {
    if (msg->hwnd == nullptr) return 0;
    WindowEntry entry;
    if (!Lookup(msg->hwnd, &entry)) return 0;
    return entry.target->WindowProc(msg->message, msg->wParam, msg->lParam);
}

bool TranslateMessage(const MSG*) { return false; }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    WindowEntry entry;
    if (!Lookup(hwnd, &entry)) return 0;
    std::shared_ptr<Queue> queue = entry.queue.lock();
    if (!queue) return 0;
    queue->SetTimer(hwnd, id, elapseMs);
    queue->Wake();
    return id;
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
    WindowEntry entry;
    if (!Lookup(hwnd, &entry)) return false;
    std::shared_ptr<Queue> queue = entry.queue.lock();
    return queue && queue->KillTimer(hwnd, id);
}

bool PostTask(HWND hwnd, std::function<void()> task) {
    WindowEntry entry;
    if (!Lookup(hwnd, &entry)) return false;
    std::shared_ptr<Queue> queue = entry.queue.lock();
    if (!queue) return false;
    auto sent = std::make_unique<SentMessage>();
    sent->hwnd = hwnd;
    sent->task = std::move(task);
    (void)queue->PostSent(std::move(sent));
    return true;
}

bool InvokeTask(HWND hwnd, const std::function<void()>& task) {
    WindowEntry entry;
    if (!Lookup(hwnd, &entry)) return false;
    if (entry.thread == std::this_thread::get_id()) {
        task();
        return true;
    }
    std::shared_ptr<Queue> queue = entry.queue.lock();
    if (!queue) return false;
    auto sent = std::make_unique<SentMessage>();
    sent->hwnd = hwnd;
    sent->task = task;
    std::future<LRESULT> reply = queue->PostSent(std::move(sent));
    queue.reset();
    return reply.get() != 0;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessage(&msg)) {
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

bool IntersectRect(RECT* out, const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) {
        *out = RECT{};
        return false;
    }
    *out = r;
    return true;
}

RECT UnionRect(const RECT& a, const RECT& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace DuiLib
