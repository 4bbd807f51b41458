// The application object's platform side: start-up of the window system, message boxes,
// icons, system metrics, module loading, and the seams for tests.
#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QImageReader>
#include <QBuffer>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <cstdlib>
#include <iostream>

#include "backend.h"
#include <commctrl.h>
#include "testing/FrameworkTesting.h"

namespace afx::qt {
namespace {

std::unique_ptr<QApplication>& OwnedApplication()
{
    static std::unique_ptr<QApplication> app;
    return app;
}

void ConfigureLook()
{
    // A fixed style and palette so the dialog looks the same on every desktop and in tests.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    palette.setColor(QPalette::Button, QColor(225, 225, 225));
    QApplication::setPalette(palette);
    QApplication::setFont(DialogFont());
}

}  // namespace

void EnsureApplication()
{
    if (QApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "quorvel-calibration";
    static char* argv[] = {name, nullptr};
    OwnedApplication() = std::make_unique<QApplication>(argc, argv);
    ConfigureLook();
}

}  // namespace afx::qt

using namespace afx::qt;

// ---------------------------------------------------------------- test seams

namespace afx::testing {
namespace {
std::function<int(const MessageBoxCall&)>& MessageBoxHandler()
{
    static std::function<int(const MessageBoxCall&)> handler;
    return handler;
}
std::function<void(CDialog*)>& TopLevelHook()
{
    static std::function<void(CDialog*)> hook;
    return hook;
}
std::function<void(CDialog*)>& ModalHook()
{
    static std::function<void(CDialog*)> hook;
    return hook;
}
std::vector<TimerSet>& Timers()
{
    static std::vector<TimerSet> timers;
    return timers;
}
std::vector<DrawIconCall>& Icons()
{
    static std::vector<DrawIconCall> calls;
    return calls;
}
}  // namespace

void InitializePlatform(int& argc, char** argv)
{
    if (QApplication::instance() == nullptr) {
        OwnedApplication() = std::make_unique<QApplication>(argc, argv);
        ConfigureLook();
    }
}

void ShutdownPlatform()
{
    OwnedApplication().reset();
}

void SetMessageBoxHandler(std::function<int(const MessageBoxCall&)> handler) { MessageBoxHandler() = std::move(handler); }
void SetTopLevelCreatedHook(std::function<void(CDialog*)> hook) { TopLevelHook() = std::move(hook); }
void SetModalLoopHook(std::function<void(CDialog*)> hook) { ModalHook() = std::move(hook); }
const std::vector<TimerSet>& TimersSet() { return Timers(); }
void ClearTimersSet() { Timers().clear(); }

int TimerInterval(CWnd* window, UINT_PTR id)
{
    if (window == nullptr || !IsLiveWindow(window->m_hWnd))
        return -1;
    auto it = window->m_hWnd->timers.find(id);
    return it == window->m_hWnd->timers.end() ? -1 : it->second->interval();
}

QWidget* WidgetOf(CWnd* window)
{
    return window && IsLiveWindow(window->m_hWnd) ? window->m_hWnd->widget.data() : nullptr;
}

std::vector<CWnd*> ChildrenInTemplateOrder(CWnd* dialog)
{
    std::vector<CWnd*> children;
    if (dialog && IsLiveWindow(dialog->m_hWnd))
        for (auto& child : dialog->m_hWnd->children)
            children.push_back(child->wnd);
    return children;
}

void FireTimer(CWnd* window, UINT_PTR id)
{
    if (window == nullptr || !IsLiveWindow(window->m_hWnd))
        return;
    auto it = window->m_hWnd->timerElapsed.find(id);
    if (it != window->m_hWnd->timerElapsed.end())
        it->second();
}

QImage SurfaceOf(CWnd* window)
{
    return window && IsLiveWindow(window->m_hWnd) ? window->m_hWnd->surface : QImage();
}

void SetIconic(CWnd* window, bool iconic)
{
    if (window && IsLiveWindow(window->m_hWnd))
        window->m_hWnd->iconicForTesting = iconic;
}

void SetClientSize(CWnd* window, int width, int height)
{
    if (window && IsLiveWindow(window->m_hWnd))
        window->m_hWnd->clientSizeForTesting = QSize(width, height);
}

const std::vector<DrawIconCall>& DrawIconCalls() { return Icons(); }
void ClearDrawIconCalls() { Icons().clear(); }

void NotifyTopLevelCreated(CDialog* dialog)
{
    if (TopLevelHook())
        TopLevelHook()(dialog);
}

void NotifyTimerSet(CWnd* window, UINT_PTR id, UINT elapse) { Timers().push_back({window, id, elapse}); }

void NotifyModalLoopStarting(CDialog* dialog)
{
    if (ModalHook()) {
        ModalHook()(dialog);
        return;
    }
    // The run scripts ask for a picture of the dialog without a display: grab it after a
    // while, save it, and close the dialog as its close box would.
    const char* shot = std::getenv("QUORVEL_SCREENSHOT");
    if (shot == nullptr || *shot == '\0')
        return;
    const char* delay = std::getenv("QUORVEL_SCREENSHOT_AFTER_MS");
    const int ms = delay ? std::atoi(delay) : 3000;
    const std::string path = shot;
    QTimer::singleShot(ms, dialog->m_hWnd->widget, [dialog, path] {
        QWidget* widget = WidgetOf(dialog);
        if (widget == nullptr)
            return;
        if (widget->grab().save(QString::fromStdString(path)))
            std::cout << "Screenshot saved to " << path << std::endl;
        else
            std::cerr << "Could not save the screenshot to " << path << std::endl;
        dialog->PostMessage(WM_CLOSE);
    });
}

void NotifyDrawIcon(int x, int y, HICON icon) { Icons().push_back({x, y, icon}); }

}  // namespace afx::testing

// ---------------------------------------------------------------- Win32 services

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    using afx::testing::MessageBoxCall;
    if (afx::testing::MessageBoxHandler())
        return afx::testing::MessageBoxHandler()(MessageBoxCall{owner, text ? text : "", caption ? caption : "", type});

    EnsureApplication();
    QWidget* parent = IsLiveWindow(owner) ? owner->widget.data() : nullptr;
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromUtf8(caption ? caption : ""));
    box.setText(QString::fromUtf8(text ? text : ""));
    box.setTextFormat(Qt::PlainText);
    switch (type & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    default: break;
    }
    const bool yesNo = (type & 0x0F) == MB_YESNO;
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    // Modal to its owner only, in a local loop: the owner's timers keep firing meanwhile
    // and other top-level windows of the process stay usable.
    box.setWindowModality(parent ? Qt::WindowModal : Qt::NonModal);
    Trace(std::string("message box shown: ") + (text ? text : ""));
    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
    box.open();
    loop.exec();
    if (yesNo)
        return box.clickedButton() == box.button(QMessageBox::Yes) ? IDYES : IDNO;
    return IDOK;
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        EnsureApplication();
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr)
            return 0;
        return index == SM_CXSCREEN ? screen->geometry().width() : screen->geometry().height();
    }
    default:
        return 0;
    }
}

// There are no Windows system libraries here: every load fails, and callers take their
// documented path for a missing library.
HMODULE LoadLibrary(LPCSTR) { return nullptr; }
FARPROC GetProcAddress(HMODULE, LPCSTR) { return nullptr; }
BOOL FreeLibrary(HMODULE) { return FALSE; }

HINSTANCE GetModuleHandle(LPCSTR)
{
    static char module;
    return reinterpret_cast<HINSTANCE>(&module);
}

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandle(nullptr);
}

void InitCommonControls()
{
    EnsureApplication();
}

HICON CWinApp::LoadIcon(UINT id) const
{
    const IconResource* resource = afx::FindIconResource(id);
    if (resource == nullptr)
        return nullptr;
    EnsureApplication();
    // Icons live as long as the process, as resource icons do.
    auto* icon = new HICON__();
    QByteArray bytes(reinterpret_cast<const char*>(resource->data), static_cast<int>(resource->size));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    const int wanted = GetSystemMetrics(SM_CXICON);
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        QImage image = reader.read();
        if (image.isNull())
            continue;
        icon->icon.addPixmap(QPixmap::fromImage(image));
        if (image.width() == wanted || icon->image.isNull())
            icon->image = image;
    }
    return icon;
}

namespace afx {
// The framework's entry point: runs the application object's InitInstance, then its
// message loop only when InitInstance asks for one.
int RunApplication(int argc, char** argv)
{
    afx::testing::InitializePlatform(argc, argv);
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        std::cerr << "No application object." << std::endl;
        return 1;
    }
    app->m_hInstance = AfxGetInstanceHandle();
    if (app->InitInstance())
        QApplication::exec();
    const int code = app->ExitInstance();
    afx::testing::ShutdownPlatform();
    return code;
}
}  // namespace afx
