// The device list: every 250 ms, the supported attached controllers, and the combo box
// refilled only when their count or models change.
#include "CalibrationDlg.h"
#include "DirectInputProperties.h"

#include <cstdio>
#include <cstring>

// Every product of the shared open-source-hardware USB vendor id is supported.
const WORD kOwnVendorId = 0x1209;

#define ARDUINO_VIDPID(pid) static_cast<DWORD>(MAKELONG(0x2341, pid))

// Native-USB Arduino boards, which open-source controller firmware turns into wheels,
// pedals and gamepads.
const DWORD kSupportedVidPid[4][6] = {
    {ARDUINO_VIDPID(0x0036), ARDUINO_VIDPID(0x0037), ARDUINO_VIDPID(0x003E), ARDUINO_VIDPID(0x8036),
     ARDUINO_VIDPID(0x8037), ARDUINO_VIDPID(0x803C)},
    {ARDUINO_VIDPID(0x803E), ARDUINO_VIDPID(0x8040), ARDUINO_VIDPID(0x8041), ARDUINO_VIDPID(0x8042),
     ARDUINO_VIDPID(0x804D), ARDUINO_VIDPID(0x804E)},
    {ARDUINO_VIDPID(0x804F), ARDUINO_VIDPID(0x8050), ARDUINO_VIDPID(0x8052), ARDUINO_VIDPID(0x8053),
     ARDUINO_VIDPID(0x8054), ARDUINO_VIDPID(0x8055)},
    {ARDUINO_VIDPID(0x8057), ARDUINO_VIDPID(0x8058), ARDUINO_VIDPID(0x8059), ARDUINO_VIDPID(0x805A),
     ARDUINO_VIDPID(0x805C), ARDUINO_VIDPID(0x805E)},
};

// Raspberry Pi RP2040 boards running open-source controller firmware.
const DWORD kOtherSupportedVidPid[2] = {
    static_cast<DWORD>(MAKELONG(0x2E8A, 0x000A)),
    static_cast<DWORD>(MAKELONG(0x2E8A, 0x00C0)),
};

bool IsSupportedController(DWORD vidPid)
{
    if (static_cast<WORD>(vidPid & 0xFFFF) == kOwnVendorId)
        return true;
    for (const auto& row : kSupportedVidPid)
        for (DWORD supported : row)
            if (vidPid == supported)
                return true;
    for (DWORD supported : kOtherSupportedVidPid)
        if (vidPid == supported)
            return true;
    return false;
}

// Product names arrive as UTF-16 in a 260-unit buffer; the narrow text needs up to three
// bytes per unit.
static CString NarrowProductName(const WCHAR* wide)
{
    char narrow[3 * MAX_PATH + 1];
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, NULL, NULL);
    if (n <= 0)
        return CString();
    narrow[sizeof narrow - 1] = '\0';
    return CString(narrow);
}

BOOL CALLBACK EnumListDevicesCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    CCalibrationDlg* dlg = static_cast<CCalibrationDlg*>(context);

    DIPROPDWORD dipdw = DeviceProperty<DIPROPDWORD>();
    DIPROPSTRING dips = DeviceProperty<DIPROPSTRING>();

    LPDIRECTINPUTDEVICE8 device = NULL;
    if (FAILED(dlg->m_pDirectInput->CreateDevice(instance->guidProduct, &device, NULL)))
        return DIENUM_CONTINUE;

    // A VID/PID that could not be read makes the controller unsupported.
    if (SUCCEEDED(device->GetProperty(DIPROP_VIDPID, &dipdw.diph)) && IsSupportedController(dipdw.dwData)) {
        // The found list holds 16 controllers; later ones are passed over.
        if (dlg->m_nDeviceCount < kMaxDevices) {
            // A name that could not be read is stored empty.
            if (SUCCEEDED(device->GetProperty(DIPROP_PRODUCTNAME, &dips.diph)))
                dlg->m_DeviceName[dlg->m_nDeviceCount] = NarrowProductName(dips.wsz);
            else
                dlg->m_DeviceName[dlg->m_nDeviceCount] = "";
            dlg->m_DeviceVidPid[dlg->m_nDeviceCount] = dipdw.dwData;
            dlg->m_nDeviceCount++;
        }
    }

    device->Release();
    return DIENUM_CONTINUE;
}

void CCalibrationDlg::EnableDeviceControls(BOOL bEnable)
{
    GetDlgItem(IDC_DEVICE)->EnableWindow(bEnable);
    GetDlgItem(IDC_RESET)->EnableWindow(bEnable);
    GetDlgItem(IDC_APPLY)->EnableWindow(bEnable);
}

void CCalibrationDlg::RefreshDeviceList()
{
    // Without the root object there is nothing to scan.
    if (m_pDirectInput == NULL)
        return;

    m_nDeviceCount = 0;
    m_pDirectInput->EnumDevices(DI8DEVCLASS_GAMECTRL, EnumListDevicesCallback, this, DIEDFL_ATTACHEDONLY);

    // Whether IDC_DEVICE is enabled records whether controllers were present before.
    CWnd* deviceCombo = GetDlgItem(IDC_DEVICE);
    if (m_nDeviceCount == 0 && deviceCombo->IsWindowEnabled()) {
        EnableDeviceControls(FALSE);
        GetDlgItem(IDC_AUTOMATIC)->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
        GetDlgItem(IDC_MANUAL)->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
        Invalidate(TRUE);
    } else if (m_nDeviceCount > 0 && !deviceCombo->IsWindowEnabled()) {
        EnableDeviceControls(TRUE);
    }

    // Only the count and the models count as a change; names do not.
    bool changed = m_nDeviceCount != m_nShownCount;
    for (int i = 0; !changed && i < m_nDeviceCount; ++i)
        changed = m_DeviceVidPid[i] != m_ShownVidPid[i];
    if (!changed)
        return;

    m_nShownCount = m_nDeviceCount;
    for (int i = 0; i < m_nShownCount; ++i) {
        m_ShownVidPid[i] = m_DeviceVidPid[i];
        if (i > 0) {
            // An earlier display name that begins with this name counts as a repeat.
            const size_t length = std::strlen(m_DeviceName[i]);
            int repeats = 0;
            for (int j = 0; j < i; ++j)
                if (std::strncmp(m_ShownName[j], m_DeviceName[i], length) == 0)
                    ++repeats;
            if (repeats > 0) {
                char suffix[16];
                std::snprintf(suffix, sizeof suffix, " (%d)", repeats + 1);
                m_DeviceName[i] += suffix;
            }
        }
        m_ShownName[i] = m_DeviceName[i];
    }

    deviceCombo->SendMessage(CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < m_nShownCount; ++i)
        deviceCombo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_ShownName[i])));

    // A refill always leaves the box without a selection: entry 0 is opened.
    if (static_cast<int>(deviceCombo->SendMessage(CB_GETCURSEL, 0, 0)) < 0) {
        deviceCombo->SendMessage(CB_SETCURSEL, 0, 0);
        SelectDevice(0);
    }
}
