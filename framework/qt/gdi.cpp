// GDI on images: pixel-exact Win32 rectangles, text through Qt's painter, block copies.
#include <QPainter>
#include <algorithm>

#include "backend.h"
#include "testing/FrameworkTesting.h"

namespace afx::qt {
namespace {

int& LiveDCs()
{
    static int count = 0;
    return count;
}

int& LiveObjects()
{
    static int count = 0;
    return count;
}

QRgb ToRgb(COLORREF color)
{
    return qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

HGDIOBJ NewObject(HGDIOBJ__::Kind kind)
{
    ++LiveObjects();
    auto* object = new HGDIOBJ__();
    object->kind = kind;
    return object;
}

// Fills [x0, x1] x [y0, y1] (inclusive) clipped to the image.
void FillInclusive(QImage& image, int x0, int y0, int x1, int y1, QRgb color)
{
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, image.width() - 1);
    y1 = std::min(y1, image.height() - 1);
    for (int y = y0; y <= y1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = x0; x <= x1; ++x)
            line[x] = color;
    }
}

HDC NewDC(HDC__::Kind kind, HWND window)
{
    ++LiveDCs();
    auto* dc = new HDC__();
    dc->kind = kind;
    dc->window = window;
    dc->defaultBitmap.fill(Qt::black);
    return dc;
}

void FreeDC(HDC dc)
{
    if (dc == nullptr)
        return;
    for (HGDIOBJ object : {dc->pen, dc->brush, dc->font, dc->bitmap})
        if (object)
            --object->selectedCount;
    --LiveDCs();
    delete dc;
}

}  // namespace

QImage* TargetImage(HDC dc)
{
    if (dc == nullptr)
        return nullptr;
    if (dc->kind != HDC__::Kind::Memory) {
        if (!IsLiveWindow(dc->window))
            return nullptr;
        return &dc->window->surface;
    }
    return dc->bitmap ? &dc->bitmap->image : &dc->defaultBitmap;
}

QFont DialogFont()
{
    // "MS Shell Dlg" 8 pt at 96 DPI is an 11-pixel face; the metric-compatible sans face
    // stands in for it.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return font;
}

}  // namespace afx::qt

using namespace afx::qt;

// ---------------------------------------------------------------- GDI objects

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    --LiveObjects();
    delete m_hObject;
    m_hObject = nullptr;
    return TRUE;
}

BOOL CPen::CreatePen(int style, int, COLORREF color)
{
    DeleteObject();
    m_hObject = NewObject(HGDIOBJ__::Kind::Pen);
    m_hObject->penStyle = style;
    m_hObject->color = color;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    DeleteObject();
    m_hObject = NewObject(HGDIOBJ__::Kind::Brush);
    m_hObject->color = color;
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* pDC)
{
    DeleteObject();
    const int dpi = pDC ? pDC->GetDeviceCaps(LOGPIXELSY) : 96;
    m_hObject = NewObject(HGDIOBJ__::Kind::Font);
    m_hObject->font = QFont(QString::fromUtf8(faceName ? faceName : ""));
    // A negative logical height: the character height without internal leading.
    m_hObject->font.setPixelSize(std::max(1, MulDiv(pointSize, dpi, 720)));
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    DeleteObject();
    m_hObject = NewObject(HGDIOBJ__::Kind::Bitmap);
    m_hObject->image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    m_hObject->image.fill(Qt::black);
    return TRUE;
}

// ---------------------------------------------------------------- CDC

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    DeleteDC();
    m_hDC = NewDC(HDC__::Kind::Memory, nullptr);
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    FreeDC(m_hDC);
    m_hDC = nullptr;
    m_pPen = nullptr;
    m_pBrush = nullptr;
    m_pFont = nullptr;
    m_pBitmap = nullptr;
    return TRUE;
}

namespace {
template <typename T>
T* Select(HDC dc, HGDIOBJ HDC__::*slot, T*& current, T* object)
{
    T* previous = current;
    if (dc == nullptr)
        return nullptr;
    if (dc->*slot)
        --(dc->*slot)->selectedCount;
    dc->*slot = object ? object->m_hObject : nullptr;
    if (dc->*slot)
        ++(dc->*slot)->selectedCount;
    current = object;
    return previous;
}
}  // namespace

CPen* CDC::SelectObject(CPen* pen) { return Select(m_hDC, &HDC__::pen, m_pPen, pen); }
CBrush* CDC::SelectObject(CBrush* brush) { return Select(m_hDC, &HDC__::brush, m_pBrush, brush); }
CFont* CDC::SelectObject(CFont* font) { return Select(m_hDC, &HDC__::font, m_pFont, font); }
CBitmap* CDC::SelectObject(CBitmap* bitmap) { return Select(m_hDC, &HDC__::bitmap, m_pBitmap, bitmap); }

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    QImage* image = TargetImage(m_hDC);
    if (image == nullptr)
        return FALSE;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const bool nullPen = m_hDC->pen && m_hDC->pen->penStyle == PS_NULL;
    const QRgb brush = ToRgb(m_hDC->brush ? m_hDC->brush->color : RGB(255, 255, 255));
    if (nullPen) {
        // Without an outline the filled area loses the right column and the bottom row too.
        FillInclusive(*image, left, top, right - 2, bottom - 2, brush);
    } else {
        const QRgb pen = ToRgb(m_hDC->pen ? m_hDC->pen->color : RGB(0, 0, 0));
        if (right - left < 1 || bottom - top < 1)
            return TRUE;
        FillInclusive(*image, left + 1, top + 1, right - 2, bottom - 2, brush);
        FillInclusive(*image, left, top, right - 1, top, pen);
        FillInclusive(*image, left, bottom - 1, right - 1, bottom - 1, pen);
        FillInclusive(*image, left, top, left, bottom - 1, pen);
        FillInclusive(*image, right - 1, top, right - 1, bottom - 1, pen);
    }
    if (m_hDC->kind != HDC__::Kind::Memory)
        MarkSurfaceDirty(m_hDC->window, QRect(left, top, right - left, bottom - top));
    return TRUE;
}

int CDC::SetBkMode(int mode)
{
    if (m_hDC == nullptr)
        return 0;
    const int previous = m_hDC->bkMode;
    m_hDC->bkMode = mode;
    return previous;
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format)
{
    QImage* image = TargetImage(m_hDC);
    if (image == nullptr || text == nullptr || rect == nullptr)
        return 0;
    const QString string = count < 0 ? QString::fromUtf8(text) : QString::fromUtf8(text, count);
    const QRect box(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    // Vertical placement other than top only applies to single-line text.
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        flags |= Qt::AlignVCenter;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;

    QPainter painter(image);
    painter.setClipRect(box);
    painter.setFont(m_hDC->font ? m_hDC->font->font : DialogFont());
    painter.setPen(QColor(0, 0, 0));
    QRect bounds;
    painter.drawText(box, flags, (format & DT_SINGLELINE) ? QString(string).replace('\n', ' ') : string, &bounds);
    painter.end();
    if (m_hDC->kind != HDC__::Kind::Memory)
        MarkSurfaceDirty(m_hDC->window, box);
    return bounds.height();
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD)
{
    QImage* target = TargetImage(m_hDC);
    QImage* source = src ? TargetImage(src->m_hDC) : nullptr;
    if (target == nullptr || source == nullptr)
        return FALSE;
    // Clip the copy to both images, then copy whole rows; the copied pixels are opaque.
    const int left = std::max({0, -x, -xSrc});
    const int top = std::max({0, -y, -ySrc});
    const int right = std::min({width, target->width() - x, source->width() - xSrc});
    const int bottom = std::min({height, target->height() - y, source->height() - ySrc});
    for (int row = top; row < bottom; ++row) {
        const auto* in = reinterpret_cast<const QRgb*>(source->constScanLine(ySrc + row)) + xSrc;
        auto* out = reinterpret_cast<QRgb*>(target->scanLine(y + row)) + x;
        for (int col = left; col < right; ++col)
            out[col] = in[col] | 0xFF000000u;
    }
    if (m_hDC->kind != HDC__::Kind::Memory)
        MarkSurfaceDirty(m_hDC->window, QRect(x, y, width, height));
    return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_hDC, x, y, icon);
}

int CDC::GetDeviceCaps(int index) const
{
    return (index == LOGPIXELSX || index == LOGPIXELSY) ? 96 : 0;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon)
{
    afx::testing::NotifyDrawIcon(x, y, icon);
    QImage* image = TargetImage(hdc);
    if (image == nullptr || icon == nullptr)
        return FALSE;
    QPainter painter(image);
    painter.drawImage(x, y, icon->image);
    return TRUE;
}

// ---------------------------------------------------------------- window device contexts

CDC* CWnd::GetDC()
{
    if (!IsLiveWindow(m_hWnd))
        return nullptr;
    auto dc = std::make_unique<CDC>();
    dc->m_hDC = NewDC(HDC__::Kind::Window, m_hWnd);
    m_windowDCs.push_back(std::move(dc));
    return m_windowDCs.back().get();
}

int CWnd::ReleaseDC(CDC* dc)
{
    for (auto it = m_windowDCs.begin(); it != m_windowDCs.end(); ++it) {
        if (it->get() == dc) {
            m_windowDCs.erase(it);
            return 1;
        }
    }
    return 0;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_pWnd(wnd)
{
    m_hDC = NewDC(HDC__::Kind::Paint, wnd ? wnd->m_hWnd : nullptr);
}

CPaintDC::~CPaintDC()
{
    (void)m_pWnd;
    DeleteDC();
}

namespace afx::testing {
int LiveDeviceContexts() { return LiveDCs(); }
int LiveGdiObjects() { return LiveObjects(); }
QImage BitmapImage(CBitmap& bitmap)
{
    return bitmap.m_hObject ? bitmap.m_hObject->image : QImage();
}
}  // namespace afx::testing
