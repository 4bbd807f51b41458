// Windows, controls, the modal loop and window timers on Qt widgets, with Win32 semantics.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "backend.h"
#include "testing/FrameworkTesting.h"

namespace afx::qt {
namespace {

std::set<HWND>& LiveWindows()
{
    static std::set<HWND> windows;
    return windows;
}

const QEvent::Type kTimerEventType = static_cast<QEvent::Type>(QEvent::User + 17);
const QEvent::Type kPostedMessageType = static_cast<QEvent::Type>(QEvent::User + 18);

// A WM_TIMER posted to the dialog: Win32 delivers ticks through the message queue, so a
// tick can run while another tick's handler waits in a nested loop (a message box).
struct TimerEvent : QEvent {
    explicit TimerEvent(UINT_PTR timerId) : QEvent(kTimerEventType), id(timerId) {}
    UINT_PTR id;
};

struct PostedMessageEvent : QEvent {
    PostedMessageEvent(UINT m, WPARAM w, LPARAM l) : QEvent(kPostedMessageType), message(m), wParam(w), lParam(l) {}
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsLiveWindow(hwnd) || hwnd->wnd == nullptr)
        return 0;
    return hwnd->wnd->WindowProc(message, wParam, lParam);
}

void NotifyParent(HWND control, UINT code)
{
    HWND parent = control->parent;
    if (parent == nullptr)
        return;
    Dispatch(parent, WM_COMMAND, MAKEWPARAM(control->id, code), reinterpret_cast<LPARAM>(control));
}

class DialogWidget : public QWidget {
public:
    explicit DialogWidget(HWND hwnd) : m_hwnd(hwnd)
    {
        setAttribute(Qt::WA_DeleteOnClose, false);
        setAutoFillBackground(true);
    }

    // Escape and Enter reach the dialog from whichever control has the focus, as the
    // dialog manager sees them before the controls do.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && HandleDialogKey(static_cast<QKeyEvent*>(event)))
            return true;
        return QWidget::eventFilter(watched, event);
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == kTimerEventType) {
            const UINT_PTR id = static_cast<TimerEvent*>(event)->id;
            m_hwnd->pendingTimers.erase(id);
            if (m_hwnd->timers.count(id))
                Dispatch(m_hwnd, WM_TIMER, id, 0);
            return true;
        }
        if (event->type() == kPostedMessageType) {
            auto* posted = static_cast<PostedMessageEvent*>(event);
            Dispatch(m_hwnd, posted->message, posted->wParam, posted->lParam);
            return true;
        }
        return QWidget::event(event);
    }

    void paintEvent(QPaintEvent*) override
    {
        Dispatch(m_hwnd, WM_PAINT, 0, 0);
        if (!IsLiveWindow(m_hwnd))
            return;
        QPainter painter(this);
        painter.drawImage(0, 0, m_hwnd->surface);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!HandleDialogKey(event))
            QWidget::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        // The close box sends WM_CLOSE; whether the window goes is the dialog's decision.
        event->ignore();
        Dispatch(m_hwnd, WM_CLOSE, 0, 0);
    }

private:
    bool HandleDialogKey(QKeyEvent* event)
    {
        if (event->key() == Qt::Key_Escape) {
            Dispatch(m_hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return true;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget())) {
                if (button->window() == this) {
                    button->click();
                    return true;
                }
            }
            Dispatch(m_hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return true;
        }
        return false;
    }

    HWND m_hwnd;
};

QPoint ToPixels(short x, short y)
{
    return QPoint(MulDiv(x, 6, 4), MulDiv(y, 13, 8));
}

QSize ToPixelSize(short cx, short cy)
{
    return QSize(MulDiv(cx, 6, 4), MulDiv(cy, 13, 8));
}

Qt::Alignment StaticAlignment(DWORD style)
{
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return Qt::AlignHCenter | Qt::AlignTop;
    case SS_RIGHT:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

std::unique_ptr<HWND__> CreateControl(HWND dialog, const DialogItemTemplate& item)
{
    auto control = std::make_unique<HWND__>();
    control->id = item.id;
    control->style = item.style;
    control->parent = dialog;
    control->text = item.text ? item.text : "";
    QWidget* parentWidget = dialog->widget;
    const QString display = QString::fromStdString(ToDisplayText(control->text));
    QSize size = ToPixelSize(item.cx, item.cy);

    switch (item.classAtom) {
    case DLG_CLASS_STATIC: {
        control->kind = HWND__::Kind::Static;
        auto* label = new QLabel(display, parentWidget);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(StaticAlignment(item.style));
        control->widget = label;
        break;
    }
    case DLG_CLASS_COMBOBOX: {
        control->kind = HWND__::Kind::ComboBox;
        auto* combo = new QComboBox(parentWidget);
        combo->setEditable(false);
        // The template height includes the drop-down list; the selection field itself is
        // as high as the font makes it.
        size.setHeight(21);
        HWND raw = control.get();
        QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), combo,
                         [raw](int) { NotifyParent(raw, CBN_SELCHANGE); });
        control->widget = combo;
        break;
    }
    case DLG_CLASS_BUTTON:
    default: {
        HWND raw = control.get();
        switch (item.style & BS_TYPEMASK) {
        case BS_GROUPBOX: {
            control->kind = HWND__::Kind::GroupBox;
            auto* group = new QGroupBox(display, parentWidget);
            // A group box is only a frame: clicks pass through it to the controls it encloses.
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            // As on Windows: an etched frame with the title standing on its top line, and
            // nothing painted inside.
            group->setStyleSheet(QStringLiteral(
                "QGroupBox { border: 1px solid #c8c8c8; border-radius: 0px; margin-top: 6px; background: transparent; }"
                "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 7px; padding: 0px 2px; }"));
            control->widget = group;
            break;
        }
        case BS_AUTOCHECKBOX:
        case BS_CHECKBOX: {
            control->kind = HWND__::Kind::CheckBox;
            auto* box = new QCheckBox(display, parentWidget);
            // An automatic check box has toggled itself by the time its parent hears of the click.
            QObject::connect(box, &QCheckBox::clicked, box, [raw](bool) { NotifyParent(raw, BN_CLICKED); });
            control->widget = box;
            break;
        }
        default: {
            control->kind = HWND__::Kind::PushButton;
            auto* button = new QPushButton(display, parentWidget);
            button->setAutoDefault(false);
            QObject::connect(button, &QPushButton::clicked, button, [raw](bool) { NotifyParent(raw, BN_CLICKED); });
            control->widget = button;
            break;
        }
        }
        break;
    }
    }

    QWidget* widget = control->widget;
    widget->setFont(DialogFont());
    widget->setGeometry(QRect(ToPixels(item.x, item.y), size));
    widget->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
    widget->setEnabled(!(item.style & WS_DISABLED));
    widget->setVisible((item.style & WS_VISIBLE) != 0);
    widget->installEventFilter(static_cast<DialogWidget*>(dialog->widget.data()));
    if (control->kind == HWND__::Kind::GroupBox)
        widget->lower();

    control->wrapper = std::make_unique<CWnd>();
    control->wrapper->m_hWnd = control.get();
    control->wnd = control->wrapper.get();
    return control;
}

void ForgetWindow(HWND hwnd)
{
    for (auto& child : hwnd->children)
        ForgetWindow(child.get());
    LiveWindows().erase(hwnd);
}

}  // namespace

void Trace(const std::string& line)
{
    static const bool enabled = std::getenv("QUORVEL_TRACE") != nullptr;
    if (enabled) {
        std::fprintf(stderr, "trace: %s\n", line.c_str());
        std::fflush(stderr);
    }
}

bool IsLiveWindow(HWND hwnd)
{
    return hwnd != nullptr && LiveWindows().count(hwnd) != 0;
}

HWND FindChild(HWND dialog, int id)
{
    if (!IsLiveWindow(dialog))
        return nullptr;
    for (auto& child : dialog->children)
        if (child->id == id && id != -1)
            return child.get();
    return nullptr;
}

std::string ToDisplayText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

QSize ClientSize(HWND window)
{
    if (window->clientSizeForTesting)
        return *window->clientSizeForTesting;
    return window->widget ? window->widget->size() : QSize();
}

void MarkSurfaceDirty(HWND window, const QRect& rect)
{
    if (window->widget)
        window->widget->update(rect);
}

LRESULT DefaultProcessing(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsLiveWindow(hwnd))
        return 0;
    QWidget* widget = hwnd->widget;
    switch (message) {
    case WM_SETTEXT: {
        hwnd->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const QString display = QString::fromStdString(ToDisplayText(hwnd->text));
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(display);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(display);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            group->setTitle(display);
        else if (hwnd->kind == HWND__::Kind::Dialog && widget)
            widget->setWindowTitle(display);
        return TRUE;
    }
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        const size_t capacity = static_cast<size_t>(wParam);
        if (buffer == nullptr || capacity == 0)
            return 0;
        const size_t n = std::min(hwnd->text.size(), capacity - 1);
        std::memcpy(buffer, hwnd->text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(hwnd->text.size());
    case WM_SETICON: {
        const int which = wParam == ICON_BIG ? ICON_BIG : ICON_SMALL;
        HICON previous = hwnd->icons[which];
        hwnd->icons[which] = reinterpret_cast<HICON>(lParam);
        if (widget && hwnd->icons[ICON_BIG])
            widget->setWindowIcon(hwnd->icons[ICON_BIG]->icon);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_QUERYDRAGICON:
        return 0;
    default:
        break;
    }

    if (hwnd->kind == HWND__::Kind::CheckBox) {
        auto* box = qobject_cast<QCheckBox*>(widget);
        if (message == BM_GETCHECK)
            return box && box->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        if (message == BM_SETCHECK) {
            if (box && box->isChecked() != (wParam == BST_CHECKED))
                Trace("control " + std::to_string(hwnd->id) + (wParam == BST_CHECKED ? " checked" : " unchecked"));
            if (box)
                box->setChecked(wParam == BST_CHECKED);
            return 0;
        }
    }
    if (hwnd->kind == HWND__::Kind::PushButton && message == BM_GETCHECK)
        return BST_UNCHECKED;

    if (hwnd->kind == HWND__::Kind::ComboBox) {
        auto* combo = qobject_cast<QComboBox*>(widget);
        if (combo == nullptr)
            return CB_ERR;
        // Programmatic changes never notify the parent: only the user's choice does.
        QSignalBlocker blocker(combo);
        switch (message) {
        case CB_RESETCONTENT:
            combo->clear();
            return 0;
        case CB_ADDSTRING: {
            const int previousSelection = combo->currentIndex();
            combo->addItem(QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""));
        Trace("control " + std::to_string(hwnd->id) + " item " + (lParam ? reinterpret_cast<const char*>(lParam) : ""));
            // Qt selects the first item added to an empty box; a Win32 list stays unselected.
            if (previousSelection < 0)
                combo->setCurrentIndex(-1);
            return combo->count() - 1;
        }
        case CB_GETCOUNT:
            return combo->count();
        case CB_GETCURSEL:
            return combo->currentIndex() < 0 ? CB_ERR : combo->currentIndex();
        case CB_SETCURSEL: {
            const int index = static_cast<int>(static_cast<intptr_t>(wParam));
            if (index < 0 || index >= combo->count()) {
                combo->setCurrentIndex(-1);
                return CB_ERR;
            }
            combo->setCurrentIndex(index);
            return index;
        }
        case CB_GETLBTEXTLEN: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= combo->count())
                return CB_ERR;
            return combo->itemText(index).toUtf8().size();
        }
        case CB_GETLBTEXT: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= combo->count() || lParam == 0)
                return CB_ERR;
            const QByteArray text = combo->itemText(index).toUtf8();
            std::memcpy(reinterpret_cast<char*>(lParam), text.constData(), static_cast<size_t>(text.size()) + 1);
            return text.size();
        }
        default:
            break;
        }
    }
    return 0;
}

}  // namespace afx::qt

using namespace afx::qt;

// ---------------------------------------------------------------- WindowImpl

struct WindowImpl {
    static HWND CreateDialogWindow(CDialog* dialog, const DialogTemplate& tmpl)
    {
        EnsureApplication();
        auto* hwnd = new HWND__();
        hwnd->kind = HWND__::Kind::Dialog;
        hwnd->style = tmpl.style;
        hwnd->text = tmpl.title ? tmpl.title : "";
        hwnd->wnd = dialog;
        auto* widget = new DialogWidget(hwnd);
        hwnd->widget = widget;
        widget->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        widget->setWindowTitle(QString::fromStdString(hwnd->text));
        widget->setFont(DialogFont());
        const QSize client = QSize(MulDiv(tmpl.cx, 6, 4), MulDiv(tmpl.cy, 13, 8));
        widget->setFixedSize(client);
        hwnd->surface = QImage(client, QImage::Format_ARGB32_Premultiplied);
        hwnd->surface.fill(Qt::transparent);
        LiveWindows().insert(hwnd);
        dialog->m_hWnd = hwnd;
        for (size_t i = 0; i < tmpl.itemCount; ++i) {
            auto control = CreateControl(hwnd, tmpl.items[i]);
            LiveWindows().insert(control.get());
            hwnd->children.push_back(std::move(control));
        }
        afx::testing::NotifyTopLevelCreated(dialog);
        return hwnd;
    }

    static void Center(HWND hwnd)
    {
        QWidget* widget = hwnd->widget;
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr || widget == nullptr)
            return;
        const QRect area = screen->geometry();
        widget->move(area.center() - QPoint(widget->width() / 2, widget->height() / 2));
    }

    static void FocusFirstTabStop(HWND hwnd)
    {
        for (auto& child : hwnd->children) {
            if ((child->style & WS_TABSTOP) && child->widget && child->widget->isEnabled() &&
                !(child->style & WS_DISABLED) && (child->style & WS_VISIBLE)) {
                child->widget->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
    }

    static void Destroy(CWnd* wnd, bool dispatchDestroy)
    {
        HWND hwnd = wnd->m_hWnd;
        if (!IsLiveWindow(hwnd))
            return;
        // Timers end with the window; a tick already posted is dropped.
        hwnd->timers.clear();
        hwnd->timerElapsed.clear();
        hwnd->pendingTimers.clear();
        if (dispatchDestroy)
            wnd->WindowProc(WM_DESTROY, 0, 0);
        ForgetWindow(hwnd);
        if (hwnd->widget)
            delete hwnd->widget.data();
        wnd->m_hWnd = nullptr;
        wnd->m_windowDCs.clear();
        delete hwnd;
    }
};

// ---------------------------------------------------------------- CWnd

CWnd::~CWnd()
{
    if (IsLiveWindow(m_hWnd) && m_hWnd->kind == HWND__::Kind::Dialog)
        WindowImpl::Destroy(this, false);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultProcessing(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND target = m_hWnd;
    while (IsLiveWindow(target) && target->kind != HWND__::Kind::Dialog)
        target = target->parent;
    if (!IsLiveWindow(target) || !target->widget)
        return FALSE;
    if (target != m_hWnd) {
        // Posted to a control: deliver to the control through the dialog's queue.
        HWND control = m_hWnd;
        QTimer::singleShot(0, target->widget, [control, message, wParam, lParam] {
            if (IsLiveWindow(control))
                Dispatch(control, message, wParam, lParam);
        });
        return TRUE;
    }
    QCoreApplication::postEvent(target->widget, new PostedMessageEvent(message, wParam, lParam));
    return TRUE;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    HWND child = FindChild(m_hWnd, id);
    return child ? child->wnd : nullptr;
}

void CWnd::SetWindowText(LPCTSTR text)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const
{
    return static_cast<int>(::SendMessage(m_hWnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

void CWnd::GetWindowText(CString& text) const
{
    text = IsLiveWindow(m_hWnd) ? m_hWnd->text.c_str() : "";
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    const BOOL wasDisabled = (m_hWnd->style & WS_DISABLED) != 0;
    if (enable)
        m_hWnd->style &= ~static_cast<DWORD>(WS_DISABLED);
    else
        m_hWnd->style |= WS_DISABLED;
    if (m_hWnd->widget)
        m_hWnd->widget->setEnabled(enable != FALSE);
    if (wasDisabled != !enable)
        Trace("control " + std::to_string(m_hWnd->id) + (enable ? " enabled" : " disabled"));
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return IsLiveWindow(m_hWnd) && !(m_hWnd->style & WS_DISABLED);
}

BOOL CWnd::ShowWindow(int cmdShow)
{
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    const BOOL wasVisible = (m_hWnd->style & WS_VISIBLE) != 0;
    if (cmdShow == SW_HIDE)
        m_hWnd->style &= ~static_cast<DWORD>(WS_VISIBLE);
    else
        m_hWnd->style |= WS_VISIBLE;
    if (m_hWnd->widget)
        m_hWnd->widget->setVisible(cmdShow != SW_HIDE);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    for (HWND h = m_hWnd; h != nullptr; h = h->parent) {
        if (!IsLiveWindow(h) || !(h->style & WS_VISIBLE))
            return FALSE;
    }
    return TRUE;
}

BOOL CWnd::IsIconic() const
{
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    return m_hWnd->iconicForTesting || (m_hWnd->widget && m_hWnd->widget->isMinimized());
}

void CWnd::Invalidate(BOOL erase)
{
    if (!IsLiveWindow(m_hWnd))
        return;
    // Erasing repaints the background, which wipes whatever was drawn through GetDC.
    if (erase && !m_hWnd->surface.isNull())
        m_hWnd->surface.fill(Qt::transparent);
    if (m_hWnd->widget)
        m_hWnd->widget->update();
}

void CWnd::GetClientRect(LPRECT rect) const
{
    if (rect == nullptr)
        return;
    const QSize size = IsLiveWindow(m_hWnd) ? ClientSize(m_hWnd) : QSize();
    *rect = RECT{0, 0, size.width(), size.height()};
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void (*)(HWND, UINT, UINT_PTR, DWORD))
{
    if (!IsLiveWindow(m_hWnd) || !m_hWnd->widget)
        return 0;
    HWND hwnd = m_hWnd;
    auto timer = std::make_unique<QTimer>();
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(static_cast<int>(elapse));
    auto elapsed = [hwnd, id] {
        if (!IsLiveWindow(hwnd) || hwnd->pendingTimers.count(id))
            return;
        hwnd->pendingTimers.insert(id);
        QCoreApplication::postEvent(hwnd->widget, new TimerEvent(id));
    };
    QObject::connect(timer.get(), &QTimer::timeout, hwnd->widget, elapsed);
    m_hWnd->timerElapsed[id] = elapsed;
    timer->start();
    m_hWnd->timers[id] = std::move(timer);
    afx::testing::NotifyTimerSet(this, id, elapse);
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    m_hWnd->pendingTimers.erase(id);
    m_hWnd->timerElapsed.erase(id);
    return m_hWnd->timers.erase(id) != 0;
}

void CWnd::CenterWindow()
{
    if (IsLiveWindow(m_hWnd))
        WindowImpl::Center(m_hWnd);
}

BOOL CWnd::DestroyWindow()
{
    if (!IsLiveWindow(m_hWnd))
        return FALSE;
    WindowImpl::Destroy(this, true);
    PostNcDestroy();
    return TRUE;
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    return ::MessageBox(m_hWnd, text, caption ? caption : "Error", type);
}

// ---------------------------------------------------------------- CDialog

BOOL CDialog::Create(UINT templateId, CWnd*)
{
    const DialogTemplate* tmpl = afx::FindDialogTemplate(templateId);
    if (tmpl == nullptr || IsLiveWindow(m_hWnd))
        return FALSE;
    HWND hwnd = WindowImpl::CreateDialogWindow(this, *tmpl);
    const BOOL setFocus = OnInitDialog();
    if (!IsLiveWindow(hwnd))
        return FALSE;
    if (tmpl->x == 0 && tmpl->y == 0)
        WindowImpl::Center(hwnd);
    if (tmpl->style & WS_VISIBLE) {
        hwnd->style |= WS_VISIBLE;
        hwnd->widget->show();
    }
    Trace("dialog " + std::to_string(templateId) + " shown");
    if (setFocus)
        WindowImpl::FocusFirstTabStop(hwnd);
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    m_modalResult = -1;
    m_inModalLoop = true;
    if (!Create(m_nIDHelp, m_pParentWnd)) {
        m_inModalLoop = false;
        return -1;
    }
    if (m_inModalLoop) {
        QEventLoop loop;
        m_modalLoop = &loop;
        afx::testing::NotifyModalLoopStarting(this);
        // A local loop leaves every other top-level window of the process usable.
        if (m_inModalLoop)
            loop.exec();
        m_modalLoop = nullptr;
    }
    m_inModalLoop = false;
    DestroyWindow();
    return m_modalResult;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    if (IsLiveWindow(m_hWnd) && m_hWnd->widget)
        m_hWnd->widget->hide();
    if (m_inModalLoop) {
        m_inModalLoop = false;
        if (m_modalLoop)
            static_cast<QEventLoop*>(m_modalLoop)->quit();
    }
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The dialog manager turns a close request into the Cancel command.
    if (message == WM_CLOSE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------- free functions

LRESULT SendMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(hWnd, msg, wParam, lParam);
}
