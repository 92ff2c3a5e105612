#include "toolkit/host/headless/HeadlessHost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "toolkit/ContainerUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/host/headless/HeadlessDriver.h"

namespace DuiLib {

namespace {

class SizedImage : public IHostImage {
public:
    SizedImage(int w, int h) : w_(w), h_(h) {}
    int Width() const override { return w_; }
    int Height() const override { return h_; }

private:
    int w_, h_;
};

// Paints nowhere but keeps the texts, so that tests can see what a window shows.
class RecordingContext : public IRenderContext {
public:
    explicit RecordingContext(std::vector<std::string>& texts) : texts_(texts) {}
    void PushClip(const RECT&) override { ++depth_; }
    void PopClip() override { --depth_; }
    void FillRect(const RECT&, ARGB) override {}
    void FillRoundRect(const RECT&, int, ARGB) override {}
    void DrawRect(const RECT&, int, ARGB) override {}
    void DrawLine(POINT, POINT, int, ARGB) override {}
    void DrawImage(const IHostImage&, const RECT&, const RECT&, const RECT&, uint8_t) override {}
    void DrawText(const RECT&, std::string_view text, const TFontInfo&, ARGB, UINT) override {
        texts_.emplace_back(text);
    }

private:
    std::vector<std::string>& texts_;
    int depth_ = 0;
};

uint32_t ReadBigEndian(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

int CountCodePoints(std::string_view s) {
    int n = 0;
    for (unsigned char c : s) {
        if ((c & 0xC0) != 0x80) ++n;
    }
    return n;
}

void CollectTexts(CControlUI* control, std::map<std::string, std::string>& out) {
    if (!control) return;
    control->FindControl(
        [&out](CControlUI* c) {
            if (!c->GetName().empty() && !out.count(c->GetName())) out[c->GetName()] = c->GetText();
            return false;
        },
        UIFIND_ALL);
}

}  // namespace

CHeadlessHost::CHeadlessHost() = default;
CHeadlessHost::~CHeadlessHost() = default;

std::unique_ptr<IHostWindow> CHeadlessHost::CreateHostWindow(const HostWindowParams& params) {
    return std::make_unique<HeadlessWindow>(*this, params);
}

int CHeadlessHost::PaintDirtyWindows() {
    int painted = 0;
    std::vector<HeadlessWindow*> windows = m_windows;
    for (HeadlessWindow* w : windows) {
        if (std::find(m_windows.begin(), m_windows.end(), w) == m_windows.end()) continue;
        if (w->Paint()) ++painted;
    }
    return painted;
}

void CHeadlessHost::Wait(int timeoutMs) {
    // Painting happens when the thread would otherwise sleep, as a windowing system does.
    PaintDirtyWindows();
    std::unique_lock lock(m_mutex);
    if (!m_woken) {
        if (timeoutMs < 0) m_cv.wait(lock, [this] { return m_woken; });
        else m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_woken; });
    }
    m_woken = false;
}

void CHeadlessHost::Wake() {
    {
        std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_cv.notify_all();
}

uint64_t CHeadlessHost::NowMs() {
    using namespace std::chrono;
    uint64_t real = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    std::lock_guard lock(m_mutex);
    return real + m_offset;
}

void CHeadlessHost::AdvanceTime(uint64_t ms) {
    std::lock_guard lock(m_mutex);
    m_offset += ms;
}

std::vector<RECT> CHeadlessHost::MonitorWorkAreas() { return {RECT{0, 0, 1920, 1080}}; }

std::shared_ptr<IHostImage> CHeadlessHost::DecodeImage(std::string_view bytes) {
    static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() >= 24 && std::memcmp(bytes.data(), kPng, 8) == 0) {
        auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        uint32_t w = ReadBigEndian(p + 16), h = ReadBigEndian(p + 20);
        if (w > 0 && h > 0 && w < 65536 && h < 65536) return std::make_shared<SizedImage>(int(w), int(h));
    }
    return nullptr;
}

std::shared_ptr<IHostImage> CHeadlessHost::SmallFileIcon(const std::string&, bool) {
    return std::make_shared<SizedImage>(16, 16);
}

SIZE CHeadlessHost::MeasureText(std::string_view text, const TFontInfo& font) {
    // A fixed advance of six tenths of the pixel size: enough for layout and ellipsis logic.
    int size = std::max(1, font.size);
    return {CountCodePoints(text) * size * 6 / 10, size * 12 / 10 + 1};
}

FileDialogResult CHeadlessHost::ShowFileDialog(const FileDialogRequest& request) {
    m_fileDialogs.push_back({request});
    if (m_fileScript.empty()) {
        std::fprintf(stderr, "headless host: a file dialog was shown without a scripted answer; cancelled\n");
        ++m_unanswered;
        return std::nullopt;
    }
    FileDialogResult result = m_fileScript.front();
    m_fileScript.pop_front();
    return result;
}

int CHeadlessHost::ShowSystemMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    m_systemBoxes.push_back({owner, text, caption, flags});
    return static_cast<int>(IDOK);
}

std::string CHeadlessHost::GetClipboardText() { return m_clipboard; }
void CHeadlessHost::SetClipboardText(const std::string& text) { m_clipboard = text; }

void CHeadlessHost::ScriptModal(ModalAnswer answer) { m_modalScript.push_back(std::move(answer)); }
void CHeadlessHost::ScriptFileDialog(FileDialogResult result) { m_fileScript.push_back(std::move(result)); }

void CHeadlessHost::ClearRecords() {
    m_modals.clear();
    m_fileDialogs.clear();
    m_systemBoxes.clear();
    m_unanswered = 0;
}

std::vector<std::string> CHeadlessHost::TakeDrawnTexts() {
    PaintDirtyWindows();
    std::vector<std::string> out;
    out.swap(m_drawnTexts);
    return out;
}

HeadlessWindow* CHeadlessHost::WindowOf(HWND hwnd) const {
    for (HeadlessWindow* w : m_windows) {
        if (w->hwnd() == hwnd) return w;
    }
    return nullptr;
}

void CHeadlessHost::OnModalLoopStarted(HWND hwnd) {
    ModalAnswer answer;
    if (!m_modalScript.empty()) {
        answer = std::move(m_modalScript.front());
        m_modalScript.pop_front();
    }
    // The answer runs inside the modal loop, once the window has been laid out and told
    // that it is initialised, the way a person answers what is on the screen.
    PostTask(hwnd, [this, hwnd, answer = std::move(answer)] {
        CPaintManagerUI* pm = CPaintManagerUI::FromWindow(hwnd);
        if (pm && !pm->IsInitialised()) SendMessage(hwnd, WM_DUI_FIRSTLAYOUT);
        if (!IsWindow(hwnd)) return;
        ModalRecord record;
        record.hwnd = hwnd;
        if (CWindowWnd* w = CWindowWnd::FromHandle(hwnd)) {
            record.windowClass = w->GetWindowClassName();
            RECT rc = w->GetWindowRect();
            record.size = {rc.Width(), rc.Height()};
            record.owner = w->GetOwner();
            if (auto* impl = dynamic_cast<WindowImplBase*>(w)) record.skinFile = impl->GetSkinFile();
        }
        if (pm) CollectTexts(pm->GetRoot(), record.texts);
        m_modals.push_back(record);
        CHeadlessDriver driver(*this);
        driver.SetPumping(false);
        if (answer) {
            answer(driver, hwnd);
        } else {
            std::fprintf(stderr, "headless host: modal window %s without a scripted answer; closed with 0\n",
                         record.windowClass.c_str());
            ++m_unanswered;
            PostMessage(hwnd, WM_CLOSE, 0, 0);
        }
    });
}

HeadlessWindow::HeadlessWindow(CHeadlessHost& host, const HostWindowParams& params)
    : m_host(host), m_params(params), m_bounds(params.bounds), m_title(params.title) {
    m_host.m_windows.push_back(this);
}

HeadlessWindow::~HeadlessWindow() { std::erase(m_host.m_windows, this); }

void HeadlessWindow::Show(int cmd) {
    m_visible = cmd != SW_HIDE;
    m_minimized = cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED;
    if (cmd == SW_SHOWMAXIMIZED) m_maximized = true;
    if (cmd == SW_RESTORE && !m_minimized) m_maximized = false;
    if (m_visible) Invalidate({0, 0, m_bounds.Width(), m_bounds.Height()});
}

void HeadlessWindow::Invalidate(const RECT& client) {
    m_dirtyRect = m_dirty ? UnionRect(m_dirtyRect, client) : client;
    m_dirty = true;
}

bool HeadlessWindow::Paint() {
    if (!m_dirty || !m_visible) return false;
    m_dirty = false;
    RecordingContext ctx(m_host.m_drawnTexts);
    m_params.events->OnHostPaint(ctx, m_dirtyRect);
    ++m_paintCount;
    return true;
}

}  // namespace DuiLib
