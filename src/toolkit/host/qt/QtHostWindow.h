#pragma once
// A frameless top-level or pop-up Qt widget standing for one toolkit window.

#include <QImage>
#include <QWidget>

#include "toolkit/Host.h"

namespace DuiLib {

class QtHostWindow : public QWidget, public IHostWindow {
public:
    QtHostWindow(const HostWindowParams& params, QWidget* owner);
    ~QtHostWindow() override;

    void SetBounds(const RECT& screen) override;
    RECT GetBounds() const override;
    void Show(int showCommand) override;
    bool IsMinimized() const override { return isMinimized(); }
    bool IsMaximized() const override { return m_maximized; }
    void SetTitle(const std::string& title) override;
    void SetEnabled(bool enabled) override;
    void SetFocus() override;
    void SetTopmost(bool topmost) override;
    void SetRoundCorners(SIZE radius) override;
    void Invalidate(const RECT& client) override;
    void SetCapture(bool capture) override;
    void BeginMove() override;
    void SetTextInputRect(const RECT& client, bool active) override;
    bool RenderToPng(const std::string& path) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Send(UINT message, WPARAM wParam, LPARAM lParam);

    HostWindowParams m_params;
    SIZE m_round;
    RECT m_inputRect;
    bool m_maximized = false;
    QImage m_frame;
};

}  // namespace DuiLib
