// One axis bar: a 200 x 28 gauge composed off-screen and copied onto the dialog in one block.
#include "CalibrationDlg.h"

#include <cstdio>

namespace {
const int kBarWidth = 200;
const int kBarHeight = 28;
const COLORREF kStripStep = RGB(0x30, 0x30, 0x30);

BYTE Channel(COLORREF color, int shift)
{
    return static_cast<BYTE>((color >> shift) & 0xFF);
}
}  // namespace

COLORREF CCalibrationDlg::LightenColor(COLORREF color, COLORREF step)
{
    COLORREF result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int channel = Channel(color, shift) + Channel(step, shift);
        if (channel > 255)
            channel = 255;
        result |= static_cast<COLORREF>(channel) << shift;
    }
    return result;
}

COLORREF CCalibrationDlg::DarkenColor(COLORREF color, COLORREF step)
{
    COLORREF result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int channel = Channel(color, shift) - Channel(step, shift);
        if (channel < 0)
            channel = 0;
        result |= static_cast<COLORREF>(channel) << shift;
    }
    return result;
}

void CCalibrationDlg::DrawAxisBar(int x, int y, LPCTSTR text, int fill, COLORREF bgColor, COLORREF fillColor)
{
    // 255 and 256 both mean full; anything beyond either end stays inside the bar.
    long long right = static_cast<long long>(fill) * kBarWidth / 255;
    if (right < 0)
        right = 0;
    if (right > kBarWidth)
        right = kBarWidth;
    const int fillRight = static_cast<int>(right);
    const int stripLeft = fill != 0 ? fillRight : 1;

    CDC* windowDC = GetDC();
    if (windowDC == NULL)
        return;

    CDC memDC;
    memDC.CreateCompatibleDC(windowDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(windowDC, kBarWidth, kBarHeight);
    CBitmap* oldBitmap = memDC.SelectObject(&bitmap);

    CPen blackPen;
    blackPen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen nullPen;
    nullPen.CreatePen(PS_NULL, 0, RGB(0, 0, 0));

    const COLORREF lightBg = LightenColor(bgColor, kStripStep);
    const COLORREF lightFill = LightenColor(fillColor, kStripStep);
    const COLORREF darkBg = DarkenColor(bgColor, kStripStep);
    const COLORREF darkFill = DarkenColor(fillColor, kStripStep);
    CBrush bgBrush, fillBrush, lightBgBrush, lightFillBrush, darkBgBrush, darkFillBrush;
    bgBrush.CreateSolidBrush(bgColor);
    fillBrush.CreateSolidBrush(fillColor);
    lightBgBrush.CreateSolidBrush(lightBg);
    lightFillBrush.CreateSolidBrush(lightFill);
    darkBgBrush.CreateSolidBrush(darkBg);
    darkFillBrush.CreateSolidBrush(darkFill);

    CFont font;
    font.CreatePointFont(120, "Arial", windowDC);

    CPen* oldPen = memDC.SelectObject(&blackPen);
    CFont* oldFont = memDC.SelectObject(&font);
    CBrush* oldBrush = memDC.SelectObject(&bgBrush);
    memDC.Rectangle(0, 0, kBarWidth, kBarHeight);

    memDC.SelectObject(&fillBrush);
    memDC.Rectangle(0, 0, fillRight, kBarHeight);

    memDC.SelectObject(&nullPen);
    memDC.SelectObject(&lightBgBrush);
    memDC.Rectangle(stripLeft, 1, kBarWidth, 5);
    memDC.SelectObject(&lightFillBrush);
    memDC.Rectangle(1, 1, fillRight, 5);
    memDC.SelectObject(&darkBgBrush);
    memDC.Rectangle(stripLeft, 24, kBarWidth, kBarHeight);
    memDC.SelectObject(&darkFillBrush);
    memDC.Rectangle(1, 24, fillRight, kBarHeight);

    // Without DT_SINGLELINE the vertical centring has no effect: the caption's top is at y = 4.
    memDC.SetBkMode(TRANSPARENT);
    char caption[260];
    std::snprintf(caption, sizeof caption, "%s", text ? text : "");
    RECT textRect = {0, 4, kBarWidth, kBarHeight};
    memDC.DrawText(caption, -1, &textRect, DT_CENTER | DT_VCENTER);

    windowDC->BitBlt(x, y, kBarWidth, kBarHeight, &memDC, 0, 0, SRCCOPY);

    // Nothing may still be selected into the memory context when it is deleted.
    memDC.SelectObject(oldPen);
    memDC.SelectObject(oldFont);
    memDC.SelectObject(oldBrush);
    memDC.SelectObject(oldBitmap);
    font.DeleteObject();
    fillBrush.DeleteObject();
    bgBrush.DeleteObject();
    lightFillBrush.DeleteObject();
    lightBgBrush.DeleteObject();
    darkFillBrush.DeleteObject();
    darkBgBrush.DeleteObject();
    blackPen.DeleteObject();
    nullPen.DeleteObject();
    bitmap.DeleteObject();
    memDC.DeleteDC();
    ReleaseDC(windowDC);
}
