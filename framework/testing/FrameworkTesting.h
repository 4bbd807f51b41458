// Seams of the framework for tests and for the run scripts: observe what the window
// system was asked to do, answer message boxes, and look at what was drawn.
#pragma once

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "MessageBoxTesting.h"
#include "afxwin.h"

class QWidget;

namespace afx::testing {

// Creates the application object of the window system (once) so widgets can exist.
void InitializePlatform(int& argc, char** argv);
// Destroys the window system's application object while the rest of the process still stands.
void ShutdownPlatform();


// Called after a dialog window and its controls exist, before OnInitDialog.
void SetTopLevelCreatedHook(std::function<void(CDialog*)> hook);
// Called when a modal loop is about to run, with the dialog shown.
void SetModalLoopHook(std::function<void(CDialog*)> hook);

struct TimerSet {
    CWnd* window;
    UINT_PTR id;
    UINT elapse;
};
const std::vector<TimerSet>& TimersSet();
void ClearTimersSet();
// The period of a running window timer, or -1 when the window has no such timer.
int TimerInterval(CWnd* window, UINT_PTR id);

QWidget* WidgetOf(CWnd* window);
// The dialog's controls in template order (the objects GetDlgItem would return).
std::vector<CWnd*> ChildrenInTemplateOrder(CWnd* dialog);
// Makes a window timer elapse now, as if its period had passed.
void FireTimer(CWnd* window, UINT_PTR id);
// What has been drawn onto the window through GetDC, transparent where nothing was.
QImage SurfaceOf(CWnd* window);
void SetIconic(CWnd* window, bool iconic);
void SetClientSize(CWnd* window, int width, int height);

struct DrawIconCall {
    int x;
    int y;
    HICON icon;
};
const std::vector<DrawIconCall>& DrawIconCalls();
void ClearDrawIconCalls();

// Device contexts and GDI objects alive now; a drawing call must leave these as it found them.
int LiveDeviceContexts();
int LiveGdiObjects();
// The image of a bitmap object.
QImage BitmapImage(CBitmap& bitmap);

// Internal notifications from the framework implementation.
void NotifyTopLevelCreated(CDialog* dialog);
void NotifyTimerSet(CWnd* window, UINT_PTR id, UINT elapse);
void NotifyModalLoopStarting(CDialog* dialog);
void NotifyDrawIcon(int x, int y, HICON icon);

}  // namespace afx::testing
