// GDI wrappers over real device contexts.
#include <windows.h>

#include <map>

#include "afxwin.h"

namespace {

// What a memory context held before the program's first selection of each kind, put back
// when the program selects the "previous" object it was handed (null on the first selection).
struct Originals {
    HGDIOBJ pen = nullptr, brush = nullptr, font = nullptr, bitmap = nullptr;
};

std::map<HDC, Originals>& OriginalObjects()
{
    static std::map<HDC, Originals> originals;
    return originals;
}

template <typename T>
T* Select(HDC dc, HGDIOBJ Originals::*slot, T*& current, T* object)
{
    T* previous = current;
    if (dc == nullptr)
        return nullptr;
    Originals& originals = OriginalObjects()[dc];
    HGDIOBJ handle = object ? object->m_hObject : originals.*slot;
    if (handle != nullptr) {
        HGDIOBJ old = ::SelectObject(dc, handle);
        if (originals.*slot == nullptr)
            originals.*slot = old;
    }
    current = object;
    return previous;
}

struct PaintState {
    HWND hwnd;
    PAINTSTRUCT paint;
};

std::map<const CPaintDC*, PaintState>& Paints()
{
    static std::map<const CPaintDC*, PaintState> paints;
    return paints;
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    const BOOL done = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return done;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    DeleteObject();
    m_hObject = ::CreatePen(style, width, color);
    return m_hObject != nullptr;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    DeleteObject();
    m_hObject = ::CreateSolidBrush(color);
    return m_hObject != nullptr;
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* pDC)
{
    DeleteObject();
    HDC dc = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    LOGFONTA font = {};
    font.lfHeight = -MulDiv(pointSize, ::GetDeviceCaps(dc, LOGPIXELSY), 720);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, faceName ? faceName : "", LF_FACESIZE);
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, dc);
    m_hObject = ::CreateFontIndirectA(&font);
    return m_hObject != nullptr;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height)
{
    DeleteObject();
    m_hObject = ::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, width, height);
    return m_hObject != nullptr;
}

CDC::~CDC() { DeleteDC(); }

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    OriginalObjects().erase(m_hDC);
    const BOOL done = ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    return done;
}

CPen* CDC::SelectObject(CPen* pen) { return Select(m_hDC, &Originals::pen, m_pPen, pen); }
CBrush* CDC::SelectObject(CBrush* brush) { return Select(m_hDC, &Originals::brush, m_pBrush, brush); }
CFont* CDC::SelectObject(CFont* font) { return Select(m_hDC, &Originals::font, m_pFont, font); }
CBitmap* CDC::SelectObject(CBitmap* bitmap) { return Select(m_hDC, &Originals::bitmap, m_pBitmap, bitmap); }

BOOL CDC::Rectangle(int left, int top, int right, int bottom) { return ::Rectangle(m_hDC, left, top, right, bottom); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) { return ::DrawTextA(m_hDC, text, count, rect, format); }

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, src ? src->m_hDC : nullptr, xSrc, ySrc, rop);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

CDC* CWnd::GetDC()
{
    auto dc = std::make_unique<CDC>();
    dc->m_hDC = ::GetDC(m_hWnd);
    if (dc->m_hDC == nullptr)
        return nullptr;
    m_windowDCs.push_back(std::move(dc));
    return m_windowDCs.back().get();
}

int CWnd::ReleaseDC(CDC* dc)
{
    for (auto it = m_windowDCs.begin(); it != m_windowDCs.end(); ++it) {
        if (it->get() == dc) {
            const int released = ::ReleaseDC(m_hWnd, dc->m_hDC);
            OriginalObjects().erase(dc->m_hDC);
            dc->m_hDC = nullptr;  // released, not deleted
            m_windowDCs.erase(it);
            return released;
        }
    }
    return 0;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_pWnd(wnd)
{
    PaintState& state = Paints()[this];
    state.hwnd = wnd->GetSafeHwnd();
    m_hDC = ::BeginPaint(state.hwnd, &state.paint);
}

CPaintDC::~CPaintDC()
{
    auto it = Paints().find(this);
    if (it != Paints().end()) {
        ::EndPaint(it->second.hwnd, &it->second.paint);
        Paints().erase(it);
    }
    m_hDC = nullptr;  // ended, not deleted
}
