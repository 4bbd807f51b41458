// Windows and the modal dialog on the real window system: the dialog manager runs the
// controls, the keyboard and the modal loop; the message map gets every message first.
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "afxres.h"
#include "afxwin.h"
#include "dialog_template.h"
#include "testing/MessageBoxTesting.h"

namespace {

struct DialogState {
    CDialog* dialog = nullptr;
    bool modal = false;
    std::vector<bool> defaultRequested;  // one entry per message being dispatched
    std::map<HWND, std::unique_ptr<CWnd>> wrappers;  // the objects GetDlgItem hands out
};

std::map<HWND, DialogState>& Dialogs()
{
    static std::map<HWND, DialogState> dialogs;
    return dialogs;
}

DialogState* StateOf(HWND hwnd)
{
    auto it = Dialogs().find(hwnd);
    return it == Dialogs().end() ? nullptr : &it->second;
}

// Whether the dialog being created runs modally, from its creation to WM_INITDIALOG.
bool g_pendingModal = false;

bool ReturnsValueDirectly(UINT message)
{
    return message == WM_QUERYDRAGICON || message == WM_INITDIALOG || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

void Center(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK AfxDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        DialogState& state = Dialogs()[hwnd];
        state.dialog = dialog;
        state.modal = g_pendingModal;
        dialog->m_hWnd = hwnd;
        Center(hwnd);
        return dialog->OnInitDialog();
    }
    DialogState* state = StateOf(hwnd);
    if (state == nullptr || state->dialog == nullptr)
        return FALSE;
    CDialog* dialog = state->dialog;
    state->defaultRequested.push_back(false);
    const LRESULT result = dialog->WindowProc(message, wParam, lParam);
    state = StateOf(hwnd);
    bool useDefault = true;
    if (state) {
        useDefault = state->defaultRequested.back();
        state->defaultRequested.pop_back();
    }
    if (message == WM_NCDESTROY) {
        dialog->m_hWnd = nullptr;
        Dialogs().erase(hwnd);
        return FALSE;
    }
    // The dialog manager's own processing stands for the default processing.
    if (useDefault)
        return FALSE;
    if (ReturnsValueDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace

// ---------------------------------------------------------------- CWnd

CWnd::~CWnd()
{
    if (m_hWnd && StateOf(m_hWnd) && IsWindow(m_hWnd)) {
        StateOf(m_hWnd)->dialog = nullptr;
        ::DestroyWindow(m_hWnd);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    HWND child = ::GetDlgItem(m_hWnd, id);
    DialogState* state = StateOf(m_hWnd);
    if (child == nullptr || state == nullptr)
        return nullptr;
    std::unique_ptr<CWnd>& wrapper = state->wrappers[child];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = child;
    }
    return wrapper.get();
}

void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowTextA(m_hWnd, text ? text : ""); }
int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const { return ::GetWindowTextA(m_hWnd, buffer, maxCount); }

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    text = buffer.data();
}

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void (*)(HWND, UINT, UINT_PTR, DWORD))
{
    return ::SetTimer(m_hWnd, id, elapse, nullptr);
}

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
void CWnd::CenterWindow() { Center(m_hWnd); }

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    const BOOL done = ::DestroyWindow(m_hWnd);
    PostNcDestroy();
    return done;
}

namespace afx::testing {
namespace {
std::function<int(const MessageBoxCall&)>& Handler()
{
    static std::function<int(const MessageBoxCall&)> handler;
    return handler;
}
}  // namespace
void SetMessageBoxHandler(std::function<int(const MessageBoxCall&)> handler) { Handler() = std::move(handler); }
}  // namespace afx::testing

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    if (afx::testing::Handler())
        return afx::testing::Handler()({m_hWnd, text ? text : "", caption ? caption : "", type});
    return ::MessageBoxA(m_hWnd, text, caption ? caption : "Error", type);
}

// ---------------------------------------------------------------- CDialog

namespace {
HWND CreateFromTemplate(CDialog* dialog, UINT templateId, CWnd* parent, bool modal, INT_PTR* modalResult)
{
    const DialogTemplate* tmpl = afx::FindDialogTemplate(templateId);
    if (tmpl == nullptr)
        return nullptr;
    std::vector<WORD> data = afx::win32::BuildExtendedTemplate(*tmpl);
    auto* header = reinterpret_cast<LPCDLGTEMPLATEA>(data.data());
    HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
    // The dialog manager reads the template while it creates the window; it need not outlive that.
    g_pendingModal = modal;
    HWND hwnd = nullptr;
    if (modal)
        *modalResult = DialogBoxIndirectParamA(AfxGetInstanceHandle(), header, owner, AfxDialogProc, reinterpret_cast<LPARAM>(dialog));
    else
        hwnd = CreateDialogIndirectParamA(AfxGetInstanceHandle(), header, owner, AfxDialogProc, reinterpret_cast<LPARAM>(dialog));
    return hwnd;
}
}  // namespace

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    INT_PTR unused = 0;
    return CreateFromTemplate(this, templateId, parent, false, &unused) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    INT_PTR result = -1;
    m_inModalLoop = true;
    CreateFromTemplate(this, m_nIDHelp, m_pParentWnd, true, &result);
    m_inModalLoop = false;
    m_modalResult = static_cast<int>(result);
    return result;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    DialogState* state = StateOf(m_hWnd);
    if (state && state->modal)
        ::EndDialog(m_hWnd, result);
    else
        ::DestroyWindow(m_hWnd);
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM)
{
    // Leave the message to the dialog manager: the procedure then returns FALSE.
    if (DialogState* state = StateOf(m_hWnd))
        if (!state->defaultRequested.empty())
            state->defaultRequested.back() = true;
    return 0;
}
