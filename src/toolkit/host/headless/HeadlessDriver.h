#pragma once
// Drives windows on the headless host the way a person would: clicks, double clicks,
// right clicks, the wheel, typing and keys, all by control name and through the same input
// path as real mouse and keyboard events; then runs the queue until nothing is left to do.

#include <string>

#include "toolkit/ControlUI.h"
#include "toolkit/host/headless/HeadlessHost.h"

namespace DuiLib {

class CHeadlessDriver {
public:
    explicit CHeadlessDriver(CHeadlessHost& host) : m_host(host) {}

    // The control of that name in the newest window that has one (visible ones first).
    CControlUI* Find(const std::string& name, HWND* window = nullptr) const;
    template <typename T>
    T* Find(const std::string& name) const {
        return dynamic_cast<T*>(Find(name));
    }
    // The newest live window of that class (empty: any), or null.
    HWND FindWindowOfClass(const std::string& className) const;

    // Each returns false when the control is missing, hidden or its window is disabled.
    bool Click(const std::string& name, WPARAM keys = 0);
    bool DoubleClick(const std::string& name);
    bool RightClick(const std::string& name);
    bool Wheel(const std::string& name, int delta);
    bool Hover(const std::string& name);
    // Clicks into the control and types the text (one character message per code point).
    bool Type(const std::string& name, const std::string& text);
    // A key press to the focused window (or the given one), with KEYMOD_* modifiers.
    bool Key(int vk, LPARAM modifiers = 0, HWND window = nullptr);
    // Combo: opens it and clicks the item. List or tree: clicks the row (keys as for Click).
    // Tab layout: shows the page. Option or check box: clicks it.
    bool Select(const std::string& name, int index, WPARAM keys = 0);
    bool ClickAt(HWND window, POINT client, WPARAM keys = 0);

    // Runs posted messages, sent messages, due timers and painting until the queue is empty.
    // Returns false when a quit request was seen (it stays queued for the caller's loop).
    bool PumpUntilIdle();
    // Moves the clock forward and pumps.
    bool AdvanceTime(uint64_t ms);
    bool QuitSeen() const { return m_quit; }
    int QuitCode() const { return m_quitCode; }

    CHeadlessHost& host() { return m_host; }
    // A driver answering a modal window runs inside that window's loop: it only posts
    // input and leaves the messages to the loop.
    void SetPumping(bool pumping) { m_pumping = pumping; }

private:
    bool Press(CControlUI* control, HWND window, UINT down, UINT up, WPARAM keys, bool twice = false);
    POINT CentreOf(CControlUI* control) const;

    CHeadlessHost& m_host;
    bool m_pumping = true;
    bool m_quit = false;
    int m_quitCode = 0;
};

}  // namespace DuiLib
