// Message-map lookup and dispatch: the part of the framework that does not depend on the
// window system.
#include "afxwin.h"

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (entry == nullptr)
        return FALSE;
    (this->*entry->pfn)();
    return TRUE;
}

const AFX_MSGMAP* PASCAL CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

bool CWnd::DispatchMapped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return false;
        *result = 0;
        return true;
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), message, 0, 0);
    if (entry == nullptr)
        return false;
    switch (entry->nSig) {
    case AfxSig_vv:
        (this->*reinterpret_cast<void (CWnd::*)()>(entry->pfn))();
        *result = 0;
        return true;
    case AfxSig_vw:
        (this->*entry->pfnTimer)(static_cast<UINT_PTR>(wParam));
        *result = 0;
        return true;
    case AfxSig_hv:
        *result = reinterpret_cast<LRESULT>((this->*entry->pfnQueryIcon)());
        return true;
    default:
        return false;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Handlers reach their message's default processing through Default(), so the message
    // is remembered for the length of the dispatch (handlers may nest through message boxes).
    m_messageStack.push_back({message, wParam, lParam});
    LRESULT result = 0;
    if (!DispatchMapped(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_messageStack.pop_back();
    return result;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::Default()
{
    if (m_messageStack.empty())
        return 0;
    const CurrentMessage current = m_messageStack.back();
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

void CWnd::OnPaint() { Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

// ---------------------------------------------------------------- CDialog

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_pParentWnd(parent) {}

const AFX_MSGMAP* PASCAL CDialog::GetThisMessageMap()
{
    using ThisClass = CDialog;
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_COMMAND(IDOK, &ThisClass::OnOK)
        ON_COMMAND(IDCANCEL, &ThisClass::OnCancel)
        {0, 0, 0, 0, AfxSig_end, nullptr, nullptr, nullptr}};
    static const AFX_MSGMAP map = {&CWnd::GetThisMessageMap, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CDialog::GetMessageMap() const
{
    return GetThisMessageMap();
}

void CDialog::DoDataExchange(CDataExchange*) {}
BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

// ---------------------------------------------------------------- CWinApp

namespace {
CWinApp*& TheApp()
{
    static CWinApp* app = nullptr;
    return app;
}
}  // namespace

CWinApp::CWinApp(LPCTSTR) { TheApp() = this; }

CWinApp::~CWinApp()
{
    if (TheApp() == this)
        TheApp() = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }
void CWinApp::SetRegistryKey(LPCTSTR key) { m_registryKey = key; }
void CWinApp::OnHelp() {}

const AFX_MSGMAP* PASCAL CWinApp::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWinApp::GetMessageMap() const
{
    return GetThisMessageMap();
}

CWinApp* AfxGetApp() { return TheApp(); }
void AfxEnableControlContainer() {}
