// The calibration dialog: the one window of the program, and the owner of all its state.
#pragma once

#include "stdafx.h"

const int kMaxDevices = 16;
const int kMaxAxes = 5;

const UINT_PTR kTimerDeviceScan = 1;
const UINT kDeviceScanPeriodMs = 250;
const UINT_PTR kTimerPoll = 2;
const UINT kPollPeriodMs = 10;

// Axis kinds: the order of the axis slots, the state field read and the name shown.
enum AxisKind {
    kAxisKindX = 0,
    kAxisKindY = 1,
    kAxisKindZ = 2,
    kAxisKindRx = 3,
    kAxisKindRy = 4,
    kAxisKindRz = 5,
    kAxisKindSlider0 = 6,
    kAxisKindSlider1 = 7,
    kAxisKindOther = 8,
};

const BYTE kDeviceTypeDriving = DI8DEVTYPE_DRIVING;

// The supported controllers (see DeviceList.cpp).
extern const WORD kOwnVendorId;
extern const DWORD kSupportedVidPid[4][6];
extern const DWORD kOtherSupportedVidPid[2];
bool IsSupportedController(DWORD vidPid);

BOOL CALLBACK EnumListDevicesCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context);
BOOL CALLBACK EnumFindDeviceCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context);
BOOL CALLBACK EnumAxesCallback(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID context);
void EnableThemeTexture(HWND hWnd);
// Bar colours of an axis whose range has sufficed for t / 3 milliseconds (t from 0 to 1000).
COLORREF BarBackgroundColor(DWORD t);
COLORREF BarFillColor(DWORD t);
// The Reset question: message 1200 with the controller's name in its one "%s", bounded to
// `size` bytes including the terminator.
void FormatResetQuestion(const char* message, const char* name, char* out, size_t size);

class CCalibrationDlg : public CDialog {
public:
    explicit CCalibrationDlg(CWnd* pParent = nullptr);
    ~CCalibrationDlg() override;

    enum { IDD = IDD_CALIBRATION };

    // ------------------------------------------------------------ state
    HICON m_hIcon;
    LPDIRECTINPUT8 m_pDirectInput;
    LPDIRECTINPUTDEVICE8 m_pDevice;

    // Found list: the supported controllers of the last scan.
    int m_nDeviceCount;
    DWORD m_DeviceVidPid[kMaxDevices];
    CString m_DeviceName[kMaxDevices];
    // Shown list: what the device combo box holds.
    int m_nShownCount;
    DWORD m_ShownVidPid[kMaxDevices];
    CString m_ShownName[kMaxDevices];

    // Enumeration state of SelectDevice's search.
    int m_nTargetIndex;
    int m_nEnumIndex;
    DWORD m_nDevType;

    // Axis table, slot i of every array describing the same axis.
    int m_SeenMin[kMaxAxes];
    int m_SeenMax[kMaxAxes];
    int m_SeenCur[kMaxAxes];
    int m_AxisMin[kMaxAxes];
    int m_AxisMax[kMaxAxes];
    int m_AxisCenter[kMaxAxes];
    int m_ReadyTime[kMaxAxes];
    int m_nAxisCount;
    int m_AxisKind[kMaxAxes];
    int m_Direction[kMaxAxes];
    DWORD m_AxisObjId[kMaxAxes];
    BOOL m_bAutoCalib;
    BOOL m_bMoved;
    // How many times SelectDevice has run; Reset compares it across its question.
    unsigned m_nSelectCount;

    // ------------------------------------------------------------ operations
    void RefreshDeviceList();
    void EnableDeviceControls(BOOL bEnable);
    void SelectDevice(int nIndex);
    void SortAxesByKind();
    void TrackAxes();
    void DrawAxisBar(int x, int y, LPCTSTR text, int fill, COLORREF bgColor, COLORREF fillColor);
    static COLORREF LightenColor(COLORREF color, COLORREF step);
    static COLORREF DarkenColor(COLORREF color, COLORREF step);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnReset();
    afx_msg void OnApply();
    afx_msg void OnSelchangeDevice();
    afx_msg void OnClose();
    afx_msg void OnIncludePedals();

    DECLARE_MESSAGE_MAP()
};
