// The dialog's own handlers: construction, initialisation, timer dispatch, painting,
// the Close button, the pedal check box and destruction.
#include "CalibrationDlg.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CCalibrationDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_RESET, &CCalibrationDlg::OnReset)
    ON_BN_CLICKED(IDC_APPLY, &CCalibrationDlg::OnApply)
    ON_CBN_SELCHANGE(IDC_DEVICE, &CCalibrationDlg::OnSelchangeDevice)
    ON_BN_CLICKED(IDC_CLOSE, &CCalibrationDlg::OnClose)
    ON_BN_CLICKED(IDC_INCLUDE_PEDALS, &CCalibrationDlg::OnIncludePedals)
END_MESSAGE_MAP()

CCalibrationDlg::CCalibrationDlg(CWnd* pParent)
    : CDialog(CCalibrationDlg::IDD, pParent)
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : NULL;
    m_pDevice = NULL;
    m_bAutoCalib = TRUE;
    m_nAxisCount = 0;

    // Members that the dialog's life writes before reading still start defined, so that a
    // handler reached early (Apply before any controller was opened) reads zeros.
    m_pDirectInput = NULL;
    m_nDeviceCount = 0;
    m_nShownCount = 0;
    m_nTargetIndex = 0;
    m_nEnumIndex = 0;
    m_nDevType = 0;
    m_bMoved = FALSE;
    m_nSelectCount = 0;
    std::memset(m_DeviceVidPid, 0, sizeof m_DeviceVidPid);
    std::memset(m_ShownVidPid, 0, sizeof m_ShownVidPid);
    for (int i = 0; i < kMaxAxes; ++i) {
        m_SeenMin[i] = m_SeenMax[i] = m_SeenCur[i] = 0;
        m_AxisMin[i] = m_AxisMax[i] = m_AxisCenter[i] = 0;
        m_ReadyTime[i] = -1;
        m_AxisKind[i] = 0;
        m_Direction[i] = 1;
        m_AxisObjId[i] = 0;
    }
}

CCalibrationDlg::~CCalibrationDlg() {}

void CCalibrationDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CCalibrationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    EnableThemeTexture(GetSafeHwnd());

    // An empty shown list makes the first scan that finds a controller fill the combo box.
    m_nShownCount = 0;
    for (int i = 0; i < kMaxDevices; ++i) {
        m_ShownVidPid[i] = 0;
        m_ShownName[i] = "";
    }

    // A failed creation leaves the pointer null; the scan and the selection then do nothing.
    if (FAILED(DirectInput8Create(AfxGetInstanceHandle(), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                  reinterpret_cast<void**>(&m_pDirectInput), NULL)))
        m_pDirectInput = NULL;

    const char* text = LxGetMLString(1000);
    GetDlgItem(IDC_INSTRUCTIONS)->SetWindowText(text);
    text = LxGetMLString(1001);
    GetDlgItem(IDC_RESET_HINT)->SetWindowText(text);
    text = LxGetMLString(1100);
    GetDlgItem(IDC_INCLUDE_PEDALS)->SetWindowText(text);
    text = LxGetMLString(1101);
    GetDlgItem(IDC_PEDAL_NOTE)->SetWindowText(text);

    SetTimer(kTimerDeviceScan, kDeviceScanPeriodMs, NULL);
    SetTimer(kTimerPoll, kPollPeriodMs, NULL);

    return TRUE;
}

typedef HRESULT(WINAPI* EnableThemeDialogTextureProc)(HWND, DWORD);

void EnableThemeTexture(HWND hWnd)
{
    // The theme library is optional: without it the dialog keeps its plain background.
    HMODULE hUxTheme = LoadLibrary("UxTheme.dll");
    if (hUxTheme == NULL)
        return;
    // Through the generic function-pointer type, which converts to any other without warning.
    EnableThemeDialogTextureProc enableTexture = reinterpret_cast<EnableThemeDialogTextureProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(hUxTheme, "EnableThemeDialogTexture")));
    if (enableTexture != NULL)
        enableTexture(hWnd, ETDT_ENABLETAB);
    FreeLibrary(hUxTheme);
}

void CCalibrationDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerPoll)
        TrackAxes();
    else if (nIDEvent == kTimerDeviceScan)
        RefreshDeviceList();
    CDialog::OnTimer(nIDEvent);
}

void CCalibrationDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        RECT rect;
        GetClientRect(&rect);
        // Signed division: a client narrower than the icon still centres at 0, not -1.
        const int x = (rect.right - rect.left - cxIcon + 1) / 2;
        const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        // The axis bars are not painted here: the next poll draws them again.
        CDialog::OnPaint();
    }
}

HCURSOR CCalibrationDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CCalibrationDlg::OnClose()
{
    SendMessage(WM_CLOSE);
}

void CCalibrationDlg::OnIncludePedals()
{
    // Clears the bars of axes no longer tracked; the next poll redraws the others.
    Invalidate(TRUE);
}

void CCalibrationDlg::OnDestroy()
{
    if (m_pDevice != NULL) {
        m_pDevice->Release();
        m_pDevice = NULL;
    }
    if (m_pDirectInput != NULL) {
        m_pDirectInput->Release();
        m_pDirectInput = NULL;
    }
    CDialog::OnDestroy();
}
