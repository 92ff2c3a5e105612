#include "toolkit/PaintManagerUI.h"

#include <algorithm>
#include <mutex>

#include "toolkit/ContainerUI.h"
#include "toolkit/SkinPackage.h"
#include "toolkit/WindowWnd.h"

namespace DuiLib {

namespace {

std::mutex g_managersMutex;
std::vector<CPaintManagerUI*> g_managers;

template <typename T>
bool AddUnique(std::vector<T*>& list, T* item) {
    if (!item || std::find(list.begin(), list.end(), item) != list.end()) return false;
    list.push_back(item);
    return true;
}

template <typename T>
bool RemoveItem(std::vector<T*>& list, T* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

bool IsInSubtree(CControlUI* control, CControlUI* root) {
    for (CControlUI* c = control; c; c = c->GetParent()) {
        if (c == root) return true;
    }
    return false;
}

// Keeps a manager's delivery depth raised while an event or notification is delivered.
class DeliveryScope {
public:
    DeliveryScope(int& depth, std::function<void()> onLeave) : depth_(depth), onLeave_(std::move(onLeave)) { ++depth_; }
    ~DeliveryScope() {
        if (--depth_ == 0) onLeave_();
    }

private:
    int& depth_;
    std::function<void()> onLeave_;
};

}  // namespace

bool PreTranslateMessage(const MSG* msg) { return CPaintManagerUI::TranslateMessage(msg); }

CPaintManagerUI::CPaintManagerUI() {
    m_defaultFont.name = "DejaVu Sans";
    m_defaultFont.size = 12;
}

CPaintManagerUI::~CPaintManagerUI() {
    {
        std::lock_guard lock(g_managersMutex);
        RemoveItem(g_managers, this);
    }
    for (auto& t : m_timers) {
        if (m_hWnd) ::DuiLib::KillTimer(m_hWnd, t.nativeId);
    }
    m_timers.clear();
    CControlUI* root = m_pRoot;
    m_pRoot = nullptr;
    delete root;
    m_nDeliveryDepth = 0;
    for (CControlUI* c : m_delayedCleanup) delete c;
    m_delayedCleanup.clear();
}

void CPaintManagerUI::Init(HWND hwnd, CWindowWnd* window) {
    m_hWnd = hwnd;
    m_pWindow = window;
    std::lock_guard lock(g_managersMutex);
    AddUnique(g_managers, this);
}

CPaintManagerUI* CPaintManagerUI::FromWindow(HWND hwnd) {
    std::lock_guard lock(g_managersMutex);
    for (CPaintManagerUI* pm : g_managers) {
        if (pm->m_hWnd == hwnd) return pm;
    }
    return nullptr;
}

void CPaintManagerUI::SetInitSize(int cx, int cy) {
    m_szInitWindowSize = {cx, cy};
    if (m_pWindow && m_pWindow->GetHWND()) {
        RECT rc = m_pWindow->GetWindowRect();
        m_pWindow->SetWindowRect({rc.left, rc.top, rc.left + cx, rc.top + cy});
    }
}

void CPaintManagerUI::SetRoundCorner(int cx, int cy) {
    m_szRoundCorner = {cx, cy};
    if (m_pWindow && m_pWindow->GetHostWindow()) m_pWindow->GetHostWindow()->SetRoundCorners(m_szRoundCorner);
}

SIZE CPaintManagerUI::GetClientSize() const {
    if (!m_pWindow) return m_szInitWindowSize;
    RECT rc = m_pWindow->GetWindowRect();
    return {rc.Width(), rc.Height()};
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
    if (!root) return false;
    SetFocus(nullptr);
    m_pEventKey = m_pEventHover = m_pEventClick = nullptr;
    if (m_pRoot) {
        ReapObjects(m_pRoot);
        delete m_pRoot;
    }
    m_pRoot = root;
    m_bUpdateNeeded = true;
    return InitControls(root);
}

bool CPaintManagerUI::InitControls(CControlUI* control, CControlUI* parent) {
    if (!control) return false;
    control->SetManager(this, parent ? parent : control->GetParent(), true);
    // Register every name of the subtree.
    control->FindControl(
        [this](CControlUI* c) {
            if (!c->GetName().empty()) m_names.emplace(c->GetName(), c);
            return false;
        },
        UIFIND_ALL);
    return true;
}

void CPaintManagerUI::NameChanged(CControlUI* control, const std::string& oldName) {
    auto range = m_names.equal_range(oldName);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == control) {
            m_names.erase(it);
            break;
        }
    }
    if (!control->GetName().empty()) m_names.emplace(control->GetName(), control);
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
    if (!control) return;
    if (m_pFocus && IsInSubtree(m_pFocus, control)) m_pFocus = nullptr;
    if (m_pEventKey && IsInSubtree(m_pEventKey, control)) m_pEventKey = nullptr;
    if (m_pEventHover && IsInSubtree(m_pEventHover, control)) m_pEventHover = nullptr;
    if (m_pEventClick && IsInSubtree(m_pEventClick, control)) m_pEventClick = nullptr;
    std::erase_if(m_names, [control](const auto& entry) { return IsInSubtree(entry.second, control); });
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (IsInSubtree(it->control, control)) {
            if (m_hWnd) ::DuiLib::KillTimer(m_hWnd, it->nativeId);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(m_asyncNotify, [control](const auto& n) { return IsInSubtree(n->pSender, control); });
    for (auto& [group, members] : m_optionGroups) {
        std::erase_if(members, [control](CControlUI* c) { return IsInSubtree(c, control); });
    }
}

void CPaintManagerUI::ReleaseControl(CControlUI* control) {
    if (!control) return;
    ReapObjects(control);
    if (m_nDeliveryDepth > 0) {
        m_delayedCleanup.push_back(control);
    } else {
        delete control;
    }
}

void CPaintManagerUI::FlushDelayedCleanup() {
    std::vector<CControlUI*> pending;
    pending.swap(m_delayedCleanup);
    for (CControlUI* c : pending) delete c;
}

CControlUI* CPaintManagerUI::FindControl(const std::string& name) const {
    auto it = m_names.find(name);
    return it == m_names.end() ? nullptr : it->second;
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const {
    if (!m_pRoot) return nullptr;
    return m_pRoot->FindControl([pt](CControlUI* c) { return c->GetPos().Contains(pt); },
                                UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, const std::string& name) const {
    if (!parent) return nullptr;
    return parent->FindControl([&name](CControlUI* c) { return c->GetName() == name; }, UIFIND_ALL);
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
    if (control == m_pFocus) return;
    if (m_pFocus) {
        CControlUI* old = m_pFocus;
        m_pFocus = nullptr;
        TEventUI event = MakeEvent(UIEVENT_KILLFOCUS, old, 0, 0);
        DispatchToControl(old, event);
        SendNotify(old, DUI_MSGTYPE_KILLFOCUS);
    }
    if (control && control->GetManager() == this && control->IsVisible() && control->IsEnabled()) {
        m_pFocus = control;
        TEventUI event = MakeEvent(UIEVENT_SETFOCUS, control, 0, 0);
        DispatchToControl(control, event);
        SendNotify(control, DUI_MSGTYPE_SETFOCUS);
    }
}

void CPaintManagerUI::SetFocusNeeded(CControlUI* control) { m_pFocus = control; }

void CPaintManagerUI::SetCapture() {
    m_bMouseCapture = true;
    if (m_pWindow && m_pWindow->GetHostWindow()) m_pWindow->GetHostWindow()->SetCapture(true);
}

void CPaintManagerUI::ReleaseCapture() {
    m_bMouseCapture = false;
    if (m_pWindow && m_pWindow->GetHostWindow()) m_pWindow->GetHostWindow()->SetCapture(false);
}

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT_PTR id, UINT elapseMs) {
    if (!control || !m_hWnd) return false;
    if (HasTimer(control, id)) return false;
    UINT_PTR nativeId = m_nextTimerId++;
    if (!::DuiLib::SetTimer(m_hWnd, nativeId, elapseMs)) return false;
    m_timers.push_back({control, id, nativeId});
    return true;
}

bool CPaintManagerUI::HasTimer(CControlUI* control, UINT_PTR id) const {
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [&](const TimerInfo& t) { return t.control == control && t.id == id; });
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT_PTR id) {
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->control == control && it->id == id) {
            ::DuiLib::KillTimer(m_hWnd, it->nativeId);
            m_timers.erase(it);
            return true;
        }
    }
    return false;
}

void CPaintManagerUI::KillTimer(CControlUI* control) {
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->control == control) {
            ::DuiLib::KillTimer(m_hWnd, it->nativeId);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::SendNotify(CControlUI* sender, const std::string& type, WPARAM wParam, LPARAM lParam,
                                 bool async) {
    TNotifyUI msg;
    msg.pSender = sender;
    msg.sType = type;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
    msg.ptMouse = m_ptLastMousePos;
    msg.dwTimestamp = TickCountMs();
    if (async) {
        m_asyncNotify.push_back(std::make_unique<TNotifyUI>(msg));
        if (m_hWnd) PostMessage(m_hWnd, WM_DUI_ASYNCNOTIFY);
        return;
    }
    DeliveryScope scope(m_nDeliveryDepth, [this] { FlushDelayedCleanup(); });
    if (msg.pSender) {
        // The sender's own handlers first; one returning false stops the delivery there.
        if (!msg.pSender->OnNotify(msg)) return;
    }
    std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* notifier : notifiers) {
        if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end()) notifier->Notify(msg);
    }
}

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) { return AddUnique(m_notifiers, notifier); }
bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) { return RemoveItem(m_notifiers, notifier); }
bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* filter) { return AddUnique(m_preFilters, filter); }
bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* filter) { return RemoveItem(m_preFilters, filter); }
bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) { return AddUnique(m_filters, filter); }
bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) { return RemoveItem(m_filters, filter); }

bool CPaintManagerUI::TranslateMessage(const MSG* msg) {
    if (!msg->hwnd) return false;
    CPaintManagerUI* pm = FromWindow(msg->hwnd);
    if (!pm) return false;
    LRESULT lRes = 0;
    return pm->PreMessageHandler(msg->message, msg->wParam, msg->lParam, lRes);
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    std::vector<IMessageFilterUI*> filters = m_preFilters;
    for (IMessageFilterUI* filter : filters) {
        bool handled = false;
        LRESULT r = filter->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = r;
            return true;
        }
    }
    return false;
}

bool CPaintManagerUI::AddOptionGroup(const std::string& group, CControlUI* control) {
    return AddUnique(m_optionGroups[group], control);
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(const std::string& group) const {
    auto it = m_optionGroups.find(group);
    return it == m_optionGroups.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(const std::string& group, CControlUI* control) {
    auto it = m_optionGroups.find(group);
    if (it == m_optionGroups.end()) return;
    RemoveItem(it->second, control);
    if (it->second.empty()) m_optionGroups.erase(it);
}

void CPaintManagerUI::AddFont(int id, const TFontInfo& font, bool isDefault) {
    m_fonts[id] = font;
    if (isDefault) m_defaultFont = font;
}

const TFontInfo& CPaintManagerUI::GetFont(int id) const {
    auto it = m_fonts.find(id);
    return it == m_fonts.end() ? m_defaultFont : it->second;
}

SIZE CPaintManagerUI::MeasureText(std::string_view text, int fontId) const {
    IHost* host = GetHost();
    return host ? host->MeasureText(text, GetFont(fontId)) : SIZE{};
}

void CPaintManagerUI::AddDefaultAttributeList(const std::string& controlName, const std::string& attributes) {
    m_defaultAttributes[controlName] = attributes;
}

const std::string* CPaintManagerUI::GetDefaultAttributeList(const std::string& controlName) const {
    auto it = m_defaultAttributes.find(controlName);
    return it == m_defaultAttributes.end() ? nullptr : &it->second;
}

void CPaintManagerUI::AddStyle(const std::string& name, const std::string& attributes) { m_styles[name] = attributes; }

const std::string* CPaintManagerUI::GetStyle(const std::string& name) const {
    auto it = m_styles.find(name);
    return it == m_styles.end() ? nullptr : &it->second;
}

std::shared_ptr<IHostImage> CPaintManagerUI::GetImage(const std::string& file) {
    auto it = m_images.find(file);
    if (it != m_images.end()) return it->second;
    std::shared_ptr<IHostImage> image;
    IHost* host = GetHost();
    if (host) {
        if (auto bytes = CResourceManager::LoadFile(file)) image = host->DecodeImage(*bytes);
    }
    // A missing image is remembered too, so that painting does not read the disk each frame.
    m_images[file] = image;
    return image;
}

void CPaintManagerUI::AddImage(const std::string& name, std::shared_ptr<IHostImage> image) {
    m_images[name] = std::move(image);
}

const TImageDesc* CPaintManagerUI::GetImageDesc(const std::string& desc) {
    auto it = m_imageDescs.find(desc);
    if (it != m_imageDescs.end()) return it->second.IsEmpty() ? nullptr : &it->second;
    std::string error;
    auto parsed = ParseImageDesc(desc, &error);
    auto& slot = m_imageDescs[desc];
    if (parsed) slot = *parsed;
    return slot.IsEmpty() ? nullptr : &slot;
}

void CPaintManagerUI::Invalidate() {
    SIZE sz = GetClientSize();
    Invalidate(RECT{0, 0, sz.cx, sz.cy});
}

void CPaintManagerUI::Invalidate(const RECT& rc) {
    if (m_pWindow && m_pWindow->GetHostWindow()) m_pWindow->GetHostWindow()->Invalidate(rc);
}

void CPaintManagerUI::EnsureLayout() {
    if (!m_pRoot) return;
    if (!m_bUpdateNeeded && !m_pRoot->IsUpdateNeeded()) return;
    m_bUpdateNeeded = false;
    SIZE sz = GetClientSize();
    m_pRoot->SetPos(RECT{0, 0, sz.cx, sz.cy}, false);
}

void CPaintManagerUI::Paint(IRenderContext& ctx, const RECT& dirty) {
    if (!m_pRoot || !m_bWindowInitSent) return;
    EnsureLayout();
    m_pRoot->DoPaint(ctx, dirty);
}

}  // namespace DuiLib
