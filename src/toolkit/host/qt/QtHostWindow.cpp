#include "toolkit/host/qt/QtHostWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "toolkit/host/qt/QtRenderContext.h"

namespace DuiLib {

namespace {

LPARAM ClientPoint(const QPointF& p) { return MakeLParam(static_cast<int>(p.x()), static_cast<int>(p.y())); }

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (mods & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (mods & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

LPARAM KeyMods(Qt::KeyboardModifiers mods) {
    LPARAM m = 0;
    if (mods & Qt::ShiftModifier) m |= KEYMOD_SHIFT;
    if (mods & Qt::ControlModifier) m |= KEYMOD_CONTROL;
    if (mods & Qt::AltModifier) m |= KEYMOD_ALT;
    return m;
}

int VirtualKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_F4: return VK_F4;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    default: return 0;
    }
}

Qt::WindowFlags FlagsFor(const HostWindowParams& p) {
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    if (p.style & WS_POPUP) flags |= (p.owner ? Qt::Tool : Qt::Window);
    else flags |= Qt::Window;
    if (p.exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

}  // namespace

QtHostWindow::QtHostWindow(const HostWindowParams& params, QWidget* owner)
    : QWidget(owner, FlagsFor(params)), m_params(params) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QString::fromStdString(params.title));
    SetBounds(params.bounds);
}

QtHostWindow::~QtHostWindow() = default;

void QtHostWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_params.events) m_params.events->OnHostMessage(message, wParam, lParam);
}

void QtHostWindow::SetBounds(const RECT& rc) {
    setGeometry(rc.left, rc.top, std::max(1, rc.Width()), std::max(1, rc.Height()));
}

RECT QtHostWindow::GetBounds() const {
    QRect g = geometry();
    return RECT{g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
}

void QtHostWindow::Show(int cmd) {
    switch (cmd) {
    case SW_HIDE:
        hide();
        return;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        showMinimized();
        return;
    case SW_SHOWMAXIMIZED:
        // The toolkit sets the work area as the bounds itself.
        m_maximized = true;
        show();
        return;
    case SW_RESTORE:
        m_maximized = false;
        showNormal();
        return;
    case SW_SHOWNOACTIVATE:
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, false);
        return;
    default:
        show();
        raise();
        activateWindow();
        return;
    }
}

void QtHostWindow::SetTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }
void QtHostWindow::SetEnabled(bool enabled) { setEnabled(enabled); }

void QtHostWindow::SetFocus() {
    if (!isVisible()) return;
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void QtHostWindow::SetTopmost(bool topmost) {
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
}

void QtHostWindow::SetRoundCorners(SIZE radius) {
    m_round = radius;
    update();
}

void QtHostWindow::Invalidate(const RECT& rc) { update(QRect(rc.left, rc.top, rc.Width(), rc.Height())); }

// Qt gives the pressed widget every mouse event until the release on its own.
void QtHostWindow::SetCapture(bool) {}

void QtHostWindow::BeginMove() {
    if (QWindow* w = windowHandle()) w->startSystemMove();
}

void QtHostWindow::SetTextInputRect(const RECT& rc, bool active) {
    m_inputRect = rc;
    setAttribute(Qt::WA_InputMethodEnabled, active);
    if (QInputMethod* im = QGuiApplication::inputMethod()) im->update(Qt::ImCursorRectangle | Qt::ImEnabled);
}

bool QtHostWindow::RenderToPng(const std::string& path) {
    QPixmap picture = grab();
    return !picture.isNull() && picture.save(QString::fromStdString(path), "PNG");
}

void QtHostWindow::paintEvent(QPaintEvent* event) {
    const qreal dpr = devicePixelRatioF();
    QSize pixels = size() * dpr;
    if (m_frame.size() != pixels) m_frame = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_frame.setDevicePixelRatio(dpr);
    m_frame.fill(Qt::transparent);
    {
        QPainter painter(&m_frame);
        QtRenderContext ctx(painter);
        QRect r = event->rect();
        if (m_params.events) m_params.events->OnHostPaint(ctx, RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    }
    // The frame goes onto the window through a rounded shape, so the corners are smooth.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_round.cx > 0 || m_round.cy > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(m_frame));
        painter.drawRoundedRect(QRectF(rect()), m_round.cx, m_round.cy > 0 ? m_round.cy : m_round.cx);
    } else {
        painter.drawImage(QPointF(0, 0), m_frame);
    }
}

void QtHostWindow::mousePressEvent(QMouseEvent* e) {
    WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton) Send(WM_LBUTTONDOWN, keys, ClientPoint(e->position()));
    else if (e->button() == Qt::RightButton) Send(WM_RBUTTONDOWN, keys, ClientPoint(e->position()));
}

void QtHostWindow::mouseReleaseEvent(QMouseEvent* e) {
    WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton) Send(WM_LBUTTONUP, keys, ClientPoint(e->position()));
    else if (e->button() == Qt::RightButton) Send(WM_RBUTTONUP, keys, ClientPoint(e->position()));
}

void QtHostWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton) Send(WM_LBUTTONDBLCLK, keys, ClientPoint(e->position()));
    else if (e->button() == Qt::RightButton) Send(WM_RBUTTONDBLCLK, keys, ClientPoint(e->position()));
}

void QtHostWindow::mouseMoveEvent(QMouseEvent* e) {
    Send(WM_MOUSEMOVE, MouseKeys(e->buttons(), e->modifiers()), ClientPoint(e->position()));
}

void QtHostWindow::leaveEvent(QEvent*) { Send(WM_MOUSELEAVE, 0, 0); }

void QtHostWindow::wheelEvent(QWheelEvent* e) {
    int delta = e->angleDelta().y();
    if (delta == 0) return;
    Send(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(static_cast<int16_t>(delta))),
         ClientPoint(e->position()));
}

void QtHostWindow::keyPressEvent(QKeyEvent* e) {
    int vk = VirtualKey(e->key());
    LPARAM mods = KeyMods(e->modifiers());
    if (vk) Send((mods & KEYMOD_ALT) ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk), mods);
    QString text = e->text();
    if (!text.isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        for (char32_t cp : text.toUcs4()) {
            if (cp >= 0x20 && cp != 0x7F) Send(WM_CHAR, cp, mods);
        }
    }
}

void QtHostWindow::keyReleaseEvent(QKeyEvent* e) {
    int vk = VirtualKey(e->key());
    LPARAM mods = KeyMods(e->modifiers());
    if (vk) Send((mods & KEYMOD_ALT) ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk), mods);
}

void QtHostWindow::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty()) {
        std::string text = e->commitString().toStdString();
        Send(WM_IME_COMPOSITION, 1, reinterpret_cast<LPARAM>(&text));
    }
    std::string preedit = e->preeditString().toStdString();
    Send(WM_IME_COMPOSITION, 0, reinterpret_cast<LPARAM>(&preedit));
    e->accept();
}

QVariant QtHostWindow::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle) return QRect(m_inputRect.left, m_inputRect.top, m_inputRect.Width(), m_inputRect.Height());
    if (query == Qt::ImEnabled) return testAttribute(Qt::WA_InputMethodEnabled);
    return QWidget::inputMethodQuery(query);
}

void QtHostWindow::resizeEvent(QResizeEvent*) { Send(WM_SIZE, 0, MakeLParam(width(), height())); }
void QtHostWindow::moveEvent(QMoveEvent*) { Send(WM_MOVE, 0, 0); }

void QtHostWindow::closeEvent(QCloseEvent* e) {
    // The toolkit decides: the window manager's close is the system close command.
    e->ignore();
    Send(WM_CLOSE, 0, 0);
}

void QtHostWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            Send(WM_SETFOCUS, 0, 0);
        } else {
            // Activation moving to a window that is not ours takes the focus away.
            QPointer<QtHostWindow> self(this);
            QTimer::singleShot(0, [self] {
                if (self && !QApplication::activeWindow()) self->Send(WM_KILLFOCUS, 0, 0);
            });
        }
    }
    QWidget::changeEvent(e);
}

bool QtHostWindow::event(QEvent* e) {
    // Tab must reach the toolkit rather than move Qt's own focus.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QWidget::event(e);
}

}  // namespace DuiLib
