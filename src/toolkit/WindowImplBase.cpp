#include "toolkit/WindowImplBase.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Paths.h"
#include "toolkit/Attributes.h"
#include "toolkit/SkinPackage.h"

namespace DuiLib {

namespace {

std::string g_errorCaption = "RevereREZ";

void DefaultResourceError(const std::string& detail) {
    std::fprintf(stderr, "%s\n", detail.c_str());
    if (IHost* host = GetHost()) host->ShowSystemMessageBox(nullptr, "Load Resource Error", g_errorCaption, MB_ICONERROR);
    std::fflush(nullptr);
    // Nothing is saved at this point, and nothing half-built should run its destructors.
    std::_Exit(1);
}

ResourceErrorHandler& ErrorHandler() {
    static ResourceErrorHandler handler = DefaultResourceError;
    return handler;
}

// The embedded archive is opened once per process and shared by every window.
bool OpenEmbeddedArchive(const std::string& type, int id) {
    static std::string openedType;
    static int openedId = -1;
    if (CResourceManager::HasArchive() && openedType == type && openedId == id) return true;
    std::string_view bytes = FindEmbeddedResource(type, id);
    if (bytes.empty() || !CResourceManager::SetResourceZip(bytes)) return false;
    openedType = type;
    openedId = id;
    return true;
}

}  // namespace

void SetResourceErrorHandler(ResourceErrorHandler handler) {
    ErrorHandler() = handler ? std::move(handler) : ResourceErrorHandler(DefaultResourceError);
}
void SetResourceErrorCaption(const std::string& caption) { g_errorCaption = caption; }

WindowImplBase::WindowImplBase() = default;
WindowImplBase::~WindowImplBase() = default;

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    m_pm.Init(GetHWND(), this);
    m_pm.AddPreMessageFilter(this);
    std::string folder = GetSkinFolder();
    CResourceManager::SetResourcePath(orvalis::platform::JoinPath(CResourceManager::GetInstancePath(),
                                                                  CResourceManager::NormalizeName(folder)));
    switch (GetResourceType()) {
    case UILIB_RESOURCETYPE::UILIB_ZIP:
        if (!CResourceManager::HasArchive()) {
            std::string path = orvalis::platform::JoinPath(CResourceManager::GetResourcePath(), GetZIPFileName());
            if (!CResourceManager::SetResourceZipFile(path)) return 0;
        }
        break;
    case UILIB_RESOURCETYPE::UILIB_RESOURCE:
    case UILIB_RESOURCETYPE::UILIB_ZIPRESOURCE:
        // Without the archive the window stays empty and is not initialised.
        if (!OpenEmbeddedArchive(GetResourceTypeName(), GetResourceID())) return 0;
        break;
    case UILIB_RESOURCETYPE::UILIB_FILE:
        break;
    }
    CDialogBuilder builder;
    CControlUI* root = builder.Create(GetSkinFile(), this, &m_pm);
    if (!root) {
        ErrorHandler()(builder.GetLastError());
        return -1;
    }
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    m_bLayoutLoaded = true;
    if (GetHostWindow()) GetHostWindow()->SetRoundCorners(m_pm.GetRoundCorner());
    SIZE init = m_pm.GetInitSize();
    if (init.cx > 0 && init.cy > 0) {
        RECT rc = GetWindowRect();
        SetWindowRect({rc.left, rc.top, rc.left + init.cx, rc.top + init.cy});
    }
    InitWindow();
    Init();
    return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::CaptionHitTest(POINT screen, std::initializer_list<const char*> clientClasses) {
    POINT pt = screen;
    ScreenToClient(GetHWND(), &pt);
    RECT client;
    GetClientRect(GetHWND(), &client);
    RECT caption = m_pm.GetCaptionRect();
    RECT band{client.left + caption.left, client.top + caption.top, client.right - caption.right,
              client.top + caption.bottom};
    if (!band.Contains(pt)) return HTCLIENT;
    m_pm.EnsureLayout();
    CControlUI* control = m_pm.FindControl(pt);
    if (control) {
        std::string cls = control->GetClass();
        for (const char* c : clientClasses) {
            if (EqualsNoCase(cls, c)) return HTCLIENT;
        }
    }
    return HTCAPTION;
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& bHandled) {
    bHandled = true;
    return CaptionHitTest(PointFromLParam(lParam),
                          {"ButtonUI", "OptionUI", "TextUI", "EditUI", "CheckBoxUI", "FadeButtonUI", "ComboUI"});
}

LRESULT WindowImplBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    bHandled = true;
    bool wasZoomed = IsZoomed(GetHWND());
    HWND hwnd = GetHWND();
    LRESULT r = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    if (!IsWindow(hwnd)) return r;
    if (wasZoomed != IsZoomed(hwnd)) {
        CControlUI* maxButton = m_pm.FindControl("maxbtn");
        CControlUI* restoreButton = m_pm.FindControl("restorebtn");
        if (maxButton) maxButton->SetVisible(wasZoomed);
        if (restoreButton) restoreButton->SetVisible(!wasZoomed);
    }
    return r;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    bool bHandled = true;
    switch (uMsg) {
    case WM_CREATE:
        lRes = OnCreate(uMsg, wParam, lParam, bHandled);
        break;
    case WM_CLOSE:
        lRes = OnClose(uMsg, wParam, lParam, bHandled);
        break;
    case WM_DESTROY:
        lRes = OnDestroy(uMsg, wParam, lParam, bHandled);
        break;
    case WM_NCHITTEST:
        lRes = OnNcHitTest(uMsg, wParam, lParam, bHandled);
        break;
    case WM_SYSCOMMAND:
        lRes = OnSysCommand(uMsg, wParam, lParam, bHandled);
        break;
    case WM_KEYDOWN:
        lRes = OnKeyDown(uMsg, wParam, lParam, bHandled);
        break;
    default:
        bHandled = false;
        break;
    }
    if (bHandled) return lRes;
    lRes = HandleCustomMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) return lRes;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void WindowImplBase::OnPaint(IRenderContext& ctx, const RECT& dirty) { m_pm.Paint(ctx, dirty); }

void WindowImplBase::Notify(TNotifyUI& msg) {
    if (LoopDispatch(msg)) return;
    if (msg.sType == DUI_MSGTYPE_CLICK) OnClick(msg);
}

void WindowImplBase::OnClick(TNotifyUI& msg) {
    if (!msg.pSender) return;
    const std::string& name = msg.pSender->GetName();
    if (name == "closebtn") {
        Close(IDOK);
    } else if (name == "minbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == "maxbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (name == "restorebtn") {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

LRESULT WindowImplBase::ResponseDefaultKeyEvent(WPARAM wParam) {
    if (wParam == static_cast<WPARAM>(VK_RETURN)) return 0;
    if (wParam == static_cast<WPARAM>(VK_ESCAPE)) {
        Close(IDOK);
        return 1;
    }
    return 0;
}

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    if (uMsg == WM_KEYDOWN && (wParam == static_cast<WPARAM>(VK_RETURN) || wParam == static_cast<WPARAM>(VK_ESCAPE))) {
        LRESULT r = ResponseDefaultKeyEvent(wParam);
        bHandled = r != 0;
        return r;
    }
    return 0;
}

CControlUI* WindowImplBase::CreateControl(const std::string&) { return nullptr; }

void WindowImplBase::OnFinalMessage(HWND) {
    m_pm.RemovePreMessageFilter(this);
    m_pm.RemoveNotifier(this);
    m_pm.ReapObjects(m_pm.GetRoot());
}

}  // namespace DuiLib
