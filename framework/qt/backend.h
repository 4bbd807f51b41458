// Internal structures of the Qt implementation of the framework: what a window handle,
// an icon, a device context and a GDI object stand for here.
#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "afxres.h"
#include "afxwin.h"

class QTimer;

struct HWND__ {
    enum class Kind { Dialog, Static, PushButton, CheckBox, GroupBox, ComboBox };

    Kind kind = Kind::Static;
    int id = -1;
    DWORD style = 0;
    std::string text;          // the window text exactly as set, \r\n included
    QPointer<QWidget> widget;  // the dialog's top-level widget, or a control inside it
    CWnd* wnd = nullptr;       // the object that receives this window's messages
    std::unique_ptr<CWnd> wrapper;  // the object behind GetDlgItem for a control
    HWND__* parent = nullptr;
    std::vector<std::unique_ptr<HWND__>> children;

    // Dialog only.
    QImage surface;  // what GetDC drew, shown over the background until erased
    std::map<UINT_PTR, std::unique_ptr<QTimer>> timers;
    std::map<UINT_PTR, std::function<void()>> timerElapsed;  // what a timer does when its period passes
    std::set<UINT_PTR> pendingTimers;  // a tick is posted at most once, as WM_TIMER coalesces
    bool iconicForTesting = false;
    std::optional<QSize> clientSizeForTesting;
    HICON icons[2] = {nullptr, nullptr};
};

struct HICON__ {
    QIcon icon;
    QImage image;  // the image at the size it was loaded for
};

struct HGDIOBJ__ {
    enum class Kind { Pen, Brush, Font, Bitmap };
    Kind kind = Kind::Pen;
    int penStyle = PS_SOLID;
    COLORREF color = 0;
    QFont font;
    QImage image;
    int selectedCount = 0;
};

struct HDC__ {
    enum class Kind { Memory, Window, Paint };
    Kind kind = Kind::Memory;
    HWND__* window = nullptr;
    QImage defaultBitmap{1, 1, QImage::Format_RGB32};
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr;
    int bkMode = OPAQUE;
};

namespace afx::qt {

// Live handles, so that a message to a destroyed window goes nowhere.
bool IsLiveWindow(HWND hwnd);
HWND FindChild(HWND dialog, int id);
LRESULT DefaultProcessing(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
QImage* TargetImage(HDC dc);
void MarkSurfaceDirty(HWND window, const QRect& rect);
QSize ClientSize(HWND window);
std::string ToDisplayText(const std::string& text);
void EnsureApplication();
QFont DialogFont();
// With QUORVEL_TRACE set, state changes of controls are printed to standard error, one line
// each, for scripts that drive the program from outside.
void Trace(const std::string& line);

}  // namespace afx::qt
