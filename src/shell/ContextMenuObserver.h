#pragma once
// The open menu windows of the process, so that they can close each other: a command, a
// focus loss or a new item under the mouse is broadcast to every open menu.

#include <algorithm>
#include <vector>

#include "toolkit/UIDefs.h"

namespace orvalis::shell {

// What the observer tells every open menu.
struct ContextMenuParam {
    static constexpr DuiLib::WPARAM kCloseAll = 1;
    static constexpr DuiLib::WPARAM kCloseDescendants = 2;

    DuiLib::WPARAM wParam = 0;
    DuiLib::HWND hWnd = nullptr;  // for kCloseDescendants: the menu whose sub-menus close
};

template <typename T>
class ReceiverImpl {
public:
    virtual ~ReceiverImpl() = default;
    virtual bool Receive(T param) = 0;
};

template <typename T>
class ObserverImpl {
public:
    void AddReceiver(ReceiverImpl<T>* receiver) {
        if (std::find(m_receivers.begin(), m_receivers.end(), receiver) == m_receivers.end())
            m_receivers.push_back(receiver);
    }
    void RemoveReceiver(ReceiverImpl<T>* receiver) { std::erase(m_receivers, receiver); }
    // Every receiver registered now hears it, unless it left while the others were told.
    void Broadcast(T param) {
        std::vector<ReceiverImpl<T>*> receivers = m_receivers;
        for (ReceiverImpl<T>* receiver : receivers) {
            if (std::find(m_receivers.begin(), m_receivers.end(), receiver) != m_receivers.end())
                receiver->Receive(param);
        }
    }
    const std::vector<ReceiverImpl<T>*>& Receivers() const { return m_receivers; }

private:
    std::vector<ReceiverImpl<T>*> m_receivers;
};

// The process-wide observer of the context menus (UI thread only).
ObserverImpl<ContextMenuParam>& ContextMenuObserver();

}  // namespace orvalis::shell
