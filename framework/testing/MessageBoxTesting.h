// Answering message boxes in tests, on every platform.
#pragma once

#include <functional>
#include <string>

#include "afxwin.h"

namespace afx::testing {

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
// Every message box of a window goes to the handler instead of the screen; its return value
// is the answer. The handler may deliver messages (timer ticks) to stand for the box's
// nested loop.
void SetMessageBoxHandler(std::function<int(const MessageBoxCall&)> handler);

}  // namespace afx::testing
