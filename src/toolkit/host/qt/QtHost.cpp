#include "toolkit/host/qt/QtHost.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QScreen>
#include <QTimer>

#include "toolkit/MessageQueue.h"
#include "toolkit/WindowWnd.h"
#include "toolkit/host/qt/QtHostWindow.h"
#include "toolkit/host/qt/QtRenderContext.h"

namespace DuiLib {

// Receives the wake-ups of other threads as Qt events, so that messages they send are
// handled also while a Qt dialog runs its own loop.
class QtWakeTarget : public QObject {
public:
    std::atomic<bool> pending{false};
    QTimer timer;
    QtWakeTarget() { timer.setSingleShot(true); }

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            pending = false;
            DispatchSentMessages();
            return true;
        }
        return QObject::event(e);
    }
};

namespace {

int g_argc = 1;
char g_arg0[] = "orvalis";
char* g_argv[] = {g_arg0, nullptr};

QWidget* WidgetOf(HWND hwnd) {
    CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
    return w ? dynamic_cast<QtHostWindow*>(w->GetHostWindow()) : nullptr;
}

// "Video Files (*.rmvb|*.rm)" with "*.rmvb;*.rm" -> "Video Files (*.rmvb *.rm)": Qt reads the
// patterns from the last parentheses of the text.
QString QtFilter(const FileDialogFilter& f) {
    QString text = QString::fromStdString(f.text);
    int open = text.lastIndexOf('(');
    if (open > 0 && text.endsWith(')')) text = text.left(open).trimmed();
    QString patterns = QString::fromStdString(f.pattern);
    patterns.replace(';', ' ');
    return text + " (" + patterns + ")";
}

}  // namespace

CQtHost::CQtHost() : m_wake(std::make_unique<QtWakeTarget>()) {
    if (!QCoreApplication::instance()) {
        new QApplication(g_argc, g_argv);
        m_ownsApplication = true;
    }
    QApplication::setQuitOnLastWindowClosed(false);
}

CQtHost::~CQtHost() {
    m_wake.reset();
    if (m_ownsApplication) delete QCoreApplication::instance();
}

std::unique_ptr<IHostWindow> CQtHost::CreateHostWindow(const HostWindowParams& params) {
    QWidget* owner = params.owner ? dynamic_cast<QtHostWindow*>(params.owner) : nullptr;
    return std::make_unique<QtHostWindow>(params, owner);
}

void CQtHost::Wait(int timeoutMs) {
    if (timeoutMs == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    if (timeoutMs > 0) m_wake->timer.start(timeoutMs);
    // Blocks in the event dispatcher until a native event, a wake-up or the timer.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    m_wake->timer.stop();
}

void CQtHost::Wake() {
    if (!m_wake->pending.exchange(true)) QCoreApplication::postEvent(m_wake.get(), new QEvent(QEvent::User));
}

uint64_t CQtHost::NowMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<uint64_t>(clock.elapsed()) + 1;
}

std::vector<RECT> CQtHost::MonitorWorkAreas() {
    std::vector<RECT> areas;
    for (QScreen* screen : QGuiApplication::screens()) {
        QRect g = screen->availableGeometry();
        areas.push_back(RECT{g.x(), g.y(), g.x() + g.width(), g.y() + g.height()});
    }
    return areas;
}

double CQtHost::DpiScale() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

std::shared_ptr<IHostImage> CQtHost::DecodeImage(std::string_view bytes) {
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    if (image.isNull()) return nullptr;
    return std::make_shared<QtHostImage>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

std::shared_ptr<IHostImage> CQtHost::SmallFileIcon(const std::string& pathOrName, bool isFolder) {
    QFileIconProvider provider;
    QIcon icon;
    QFileInfo info(QString::fromStdString(pathOrName));
    if (isFolder) {
        icon = provider.icon(QFileIconProvider::Folder);
    } else if (info.exists()) {
        icon = provider.icon(info);
    } else {
        QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
        if (icon.isNull()) icon = provider.icon(QFileIconProvider::File);
    }
    if (icon.isNull()) return nullptr;
    QImage image = icon.pixmap(16, 16).toImage();
    if (image.isNull()) return nullptr;
    return std::make_shared<QtHostImage>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

SIZE CQtHost::MeasureText(std::string_view text, const TFontInfo& font) {
    QFontMetrics metrics(ToQFont(font));
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return SIZE{metrics.horizontalAdvance(s), metrics.height()};
}

FileDialogResult CQtHost::ShowFileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(WidgetOf(request.owner));
    QStringList filters;
    for (const FileDialogFilter& f : request.filters) filters << QtFilter(f);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.initialFolder.empty()) dialog.setDirectory(QString::fromStdString(request.initialFolder));
    switch (request.kind) {
    case FileDialogKind::OpenFile:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        break;
    case FileDialogKind::OpenFolders:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        // Several folders at once need Qt's own dialog, whose views allow it.
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>())
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        break;
    case FileDialogKind::SaveFile:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        if (!request.defaultExtension.empty()) {
            std::string ext = request.defaultExtension;
            if (ext.front() == '.') ext.erase(0, 1);
            dialog.setDefaultSuffix(QString::fromStdString(ext));
        }
        if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
        break;
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::vector<std::string> paths;
    for (const QString& path : dialog.selectedFiles()) paths.push_back(path.toStdString());
    if (paths.empty()) return std::nullopt;
    return paths;
}

int CQtHost::ShowSystemMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    QMessageBox box(flags & MB_ICONERROR ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok, WidgetOf(owner));
    box.exec();
    return static_cast<int>(IDOK);
}

std::string CQtHost::GetClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void CQtHost::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace DuiLib
