// The application object on Windows: the entry point, icons and the instance handle.
#include <windows.h>

#include "afxwin.h"

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    app->m_hInstance = instance;
    if (app->InitInstance()) {
        MSG message;
        while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return app->ExitInstance();
}
