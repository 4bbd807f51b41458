// The application-framework subset the program is written against: application object,
// windows with static message maps, modal dialogs, and GDI wrappers. The implementation
// behind it belongs to the platform (Qt widgets on Linux).
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "afxstr.h"
#include <tchar.h>
#include <windows.h>

class CCmdTarget;
class CWnd;
class CDC;
class CDataExchange;
struct WindowImpl;

// ---------------------------------------------------------------- message maps

typedef void (CCmdTarget::*AFX_PMSG)();

enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,      // void Handler()
    AfxSig_vw,      // void Handler(UINT_PTR)
    AfxSig_hv,      // HCURSOR Handler()
    AfxSigCmd_v,    // void Handler() for a command or control notification
};

typedef void (CWnd::*AFX_PMSG_TIMER)(UINT_PTR);
typedef HICON__* (CWnd::*AFX_PMSG_QUERYICON)();

// Each handler shape has a slot of its own, so handlers are stored without casts between
// member-function types.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
    AFX_PMSG_TIMER pfnTimer;
    AFX_PMSG_QUERYICON pfnQueryIcon;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                        \
protected:                                           \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                           \
    {                                                                               \
        using ThisClass [[maybe_unused]] = theClass;                                 \
        using TheBaseClass = baseClass;                                              \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                            \
        { 0, 0, 0, 0, AfxSig_end, nullptr, nullptr, nullptr } };                     \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap,     \
                                               &_messageEntries[0] };                \
        return &messageMap;                                                          \
    }

#define AFX_MSG_VV(fn) static_cast<AFX_PMSG>(static_cast<void (CWnd::*)()>(fn))

#define ON_WM_PAINT() { WM_PAINT, 0, 0, 0, AfxSig_vv, AFX_MSG_VV(&ThisClass::OnPaint), nullptr, nullptr },
#define ON_WM_DESTROY() { WM_DESTROY, 0, 0, 0, AfxSig_vv, AFX_MSG_VV(&ThisClass::OnDestroy), nullptr, nullptr },
#define ON_WM_TIMER() \
    { WM_TIMER, 0, 0, 0, AfxSig_vw, nullptr, static_cast<AFX_PMSG_TIMER>(&ThisClass::OnTimer), nullptr },
#define ON_WM_QUERYDRAGICON()                                                                  \
    { WM_QUERYDRAGICON, 0, 0, 0, AfxSig_hv, nullptr, nullptr,                                  \
      static_cast<AFX_PMSG_QUERYICON>(&ThisClass::OnQueryDragIcon) },
#define ON_CONTROL(code, id, fn) \
    { WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), AfxSigCmd_v, static_cast<AFX_PMSG>(fn), nullptr, nullptr },
#define ON_COMMAND(id, fn) ON_CONTROL(0, id, fn)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)

#define ID_HELP 0xE146
#define afx_msg
#define AFXAPI

// ---------------------------------------------------------------- command targets

class CObject {
public:
    virtual ~CObject() = default;
};

class CCmdTarget : public CObject {
public:
    // Routes a command (menu id or control notification) through the message map chain.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);
};

// ---------------------------------------------------------------- GDI wrappers

class CGdiObject : public CObject {
public:
    ~CGdiObject() override;
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
public:
    BOOL CreatePen(int style, int width, COLORREF color);
};

class CBrush : public CGdiObject {
public:
    BOOL CreateSolidBrush(COLORREF color);
};

class CFont : public CGdiObject {
public:
    // A font whose height is pointSize tenths of a point on pDC (the screen when null).
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* pDC = nullptr);
};

class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
};

class CDC : public CObject {
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);

    BOOL Rectangle(int left, int top, int right, int bottom);
    int SetBkMode(int mode);
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL DrawIcon(int x, int y, HICON icon);
    int GetDeviceCaps(int index) const;

    HDC m_hDC = nullptr;

protected:
    // The wrapper objects currently selected, returned by the next selection of their kind.
    CPen* m_pPen = nullptr;
    CBrush* m_pBrush = nullptr;
    CFont* m_pFont = nullptr;
    CBitmap* m_pBitmap = nullptr;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

private:
    CWnd* m_pWnd;
};

// ---------------------------------------------------------------- windows

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Runs one message through the message map, or the default processing when unmapped.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window system's default processing; overridable as in the framework.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    CWnd* GetDlgItem(int id) const;

    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    void GetWindowText(CString& text) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    void Invalidate(BOOL erase = TRUE);
    void GetClientRect(LPRECT rect) const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void (*timerProc)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR id);
    CDC* GetDC();
    int ReleaseDC(CDC* dc);
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);
    void CenterWindow();
    virtual BOOL DestroyWindow();

    HWND m_hWnd = nullptr;

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

    // Default processing of the message being handled, for handlers that chain to the base.
    LRESULT Default();
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg HCURSOR OnQueryDragIcon();

    // Called when the window is gone; frees per-window state.
    virtual void PostNcDestroy() {}

private:
    friend struct WindowImpl;
    bool DispatchMapped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
    std::vector<CurrentMessage> m_messageStack;
    std::vector<std::unique_ptr<CDC>> m_windowDCs;
};

class CDataExchange {};

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the window from the template, runs OnInitDialog, shows it and runs a local
    // modal loop until EndDialog; other top-level windows stay usable meanwhile.
    virtual INT_PTR DoModal();
    // Creates the window without a modal loop (a modeless dialog).
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    virtual BOOL OnInitDialog();

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

private:
    friend struct WindowImpl;
    bool m_inModalLoop = false;
    int m_modalResult = -1;
    void* m_modalLoop = nullptr;
};

// ---------------------------------------------------------------- application

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    HICON LoadIcon(UINT id) const;
    void SetRegistryKey(LPCTSTR key);
    afx_msg void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CString m_registryKey;

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
void AfxEnableControlContainer();
