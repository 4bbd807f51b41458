#include "Calibration.h"

#include "CalibrationDlg.h"

BEGIN_MESSAGE_MAP(CCalibrationApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CCalibrationApp::CCalibrationApp() {}

CCalibrationApp theApp;

BOOL CCalibrationApp::InitInstance()
{
    // The common-control classes must exist before any window does.
    InitCommonControls();
    CWinApp::InitInstance();

    if (LxInitStrTools("SOFTWARE\\Quorvel\\Quorvel Calibration Tool", "msgPath") != 0) {
        ::MessageBox(NULL, "Calibration Tool: Error loading MSG files.", "Quorvel Calibration Tool",
                     MB_OK | MB_ICONERROR);
        return FALSE;
    }

    AfxEnableControlContainer();
    SetRegistryKey(_T("Quorvel Calibration Tool"));

    CCalibrationDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The dialog has ended: returning FALSE skips the application's own message loop.
    return FALSE;
}
