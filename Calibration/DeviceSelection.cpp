// Device selection: open the controller at a list index, discover and order its axes, and
// show whether its stored calibration is automatic or manual.
#include "CalibrationDlg.h"
#include "DirectInputProperties.h"

#include <utility>

void CCalibrationDlg::OnSelchangeDevice()
{
    GetDlgItem(IDC_INCLUDE_PEDALS)->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
    const int index = static_cast<int>(GetDlgItem(IDC_DEVICE)->SendMessage(CB_GETCURSEL, 0, 0));
    SelectDevice(index);
}

BOOL CALLBACK EnumFindDeviceCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    CCalibrationDlg* dlg = static_cast<CCalibrationDlg*>(context);

    DIPROPDWORD dipdw = DeviceProperty<DIPROPDWORD>();

    LPDIRECTINPUTDEVICE8 device = NULL;
    if (FAILED(dlg->m_pDirectInput->CreateDevice(instance->guidInstance, &device, NULL)))
        return DIENUM_CONTINUE;

    // Counted only when the scan would list it: an unreadable VID/PID is unsupported there too.
    if (FAILED(device->GetProperty(DIPROP_VIDPID, &dipdw.diph)) || !IsSupportedController(dipdw.dwData)) {
        device->Release();
        return DIENUM_CONTINUE;
    }

    if (dlg->m_nEnumIndex == dlg->m_nTargetIndex) {
        // The dialog now owns this reference.
        dlg->m_pDevice = device;
        return DIENUM_STOP;
    }

    dlg->m_nEnumIndex++;
    device->Release();
    return DIENUM_CONTINUE;
}

static int AxisKindOf(const GUID& type, const CCalibrationDlg* dlg)
{
    if (type == GUID_XAxis)
        return kAxisKindX;
    if (type == GUID_YAxis)
        return kAxisKindY;
    if (type == GUID_ZAxis)
        return kAxisKindZ;
    if (type == GUID_RxAxis)
        return kAxisKindRx;
    if (type == GUID_RyAxis)
        return kAxisKindRy;
    if (type == GUID_RzAxis)
        return kAxisKindRz;
    if (type == GUID_Slider) {
        for (int i = 0; i < dlg->m_nAxisCount; ++i)
            if (dlg->m_AxisKind[i] == kAxisKindSlider0)
                return kAxisKindSlider1;
        return kAxisKindSlider0;
    }
    return kAxisKindOther;
}

BOOL CALLBACK EnumAxesCallback(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID context)
{
    CCalibrationDlg* dlg = static_cast<CCalibrationDlg*>(context);

    DIPROPRANGE range = ObjectProperty<DIPROPRANGE>(object->dwType);
    // An axis whose range cannot be read has nothing to calibrate against: skip it.
    if (FAILED(dlg->m_pDevice->GetProperty(DIPROP_LOGICALRANGE, &range.diph)))
        return DIENUM_CONTINUE;

    const int kind = AxisKindOf(object->guidType, dlg);
    if (dlg->m_nAxisCount >= kMaxAxes)
        return DIENUM_CONTINUE;

    const int n = dlg->m_nAxisCount;
    dlg->m_AxisObjId[n] = object->dwType;
    dlg->m_AxisKind[n] = kind;
    dlg->m_AxisMin[n] = range.lMin;
    dlg->m_AxisMax[n] = range.lMax;
    // Computed wide: the sum of two 32-bit limits overflows, the centre itself does not.
    dlg->m_AxisCenter[n] = static_cast<int>((static_cast<long long>(range.lMin) + range.lMax + 1) / 2);
    dlg->m_nAxisCount++;
    return DIENUM_CONTINUE;
}

void CCalibrationDlg::SortAxesByKind()
{
    if (m_nAxisCount < 2)
        return;
    for (int i = 0; i < m_nAxisCount - 1; ++i) {
        for (int j = i + 1; j < m_nAxisCount; ++j) {
            if (m_AxisKind[i] > m_AxisKind[j]) {
                std::swap(m_AxisMin[i], m_AxisMin[j]);
                std::swap(m_AxisMax[i], m_AxisMax[j]);
                std::swap(m_AxisCenter[i], m_AxisCenter[j]);
                std::swap(m_AxisObjId[i], m_AxisObjId[j]);
                std::swap(m_AxisKind[i], m_AxisKind[j]);
            }
        }
    }
}

void CCalibrationDlg::SelectDevice(int nIndex)
{
    ++m_nSelectCount;
    if (m_pDevice != NULL) {
        m_pDevice->Release();
        m_pDevice = NULL;
    }
    if (m_pDirectInput == NULL)
        return;

    m_nTargetIndex = nIndex;
    m_nEnumIndex = 0;
    m_pDirectInput->EnumDevices(DI8DEVCLASS_GAMECTRL, EnumFindDeviceCallback, this, DIEDFL_ATTACHEDONLY);
    if (m_pDevice == NULL)
        return;

    for (int i = 0; i < kMaxAxes; ++i) {
        m_SeenMin[i] = 0xFFFF;
        m_SeenMax[i] = 0;
        m_SeenCur[i] = 0x7FFF;
        m_Direction[i] = 1;
        m_ReadyTime[i] = -1;
    }
    m_bMoved = FALSE;
    m_nAxisCount = 0;

    m_pDevice->EnumObjects(EnumAxesCallback, this, DIDFT_AXIS);
    SortAxesByKind();

    DIDEVCAPS caps;
    caps.dwSize = sizeof(DIDEVCAPS);
    // A controller whose capabilities cannot be read is not taken for a wheel.
    m_nDevType = SUCCEEDED(m_pDevice->GetCapabilities(&caps)) ? caps.dwDevType : 0;

    const int show = (m_nDevType & 0xFF) == DI8DEVTYPE_DRIVING ? SW_SHOWNORMAL : SW_HIDE;
    GetDlgItem(IDC_PEDAL_GROUP)->ShowWindow(show);
    GetDlgItem(IDC_INCLUDE_PEDALS)->ShowWindow(show);
    GetDlgItem(IDC_PEDAL_NOTE)->ShowWindow(show);

    m_bAutoCalib = TRUE;
    for (int i = 0; i < m_nAxisCount; ++i) {
        DIPROPCAL cal = ObjectProperty<DIPROPCAL>(m_AxisObjId[i]);
        // A calibration that cannot be read is not known to be automatic: count it as manual.
        if (FAILED(m_pDevice->GetProperty(DIPROP_CALIBRATION, &cal.diph)) || cal.lMin != m_AxisMin[i] ||
            cal.lCenter != m_AxisCenter[i] || cal.lMax != m_AxisMax[i])
            m_bAutoCalib = FALSE;
    }

    if (m_nAxisCount > 0) {
        GetDlgItem(IDC_RESET)->EnableWindow(!m_bAutoCalib);
        GetDlgItem(IDC_APPLY)->EnableWindow(m_bAutoCalib);
        GetDlgItem(IDC_AUTOMATIC)->SendMessage(BM_SETCHECK, m_bAutoCalib ? BST_CHECKED : BST_UNCHECKED, 0);
        GetDlgItem(IDC_MANUAL)->SendMessage(BM_SETCHECK, m_bAutoCalib ? BST_UNCHECKED : BST_CHECKED, 0);
    }

    if (!m_bAutoCalib) {
        for (int i = 0; i < m_nAxisCount; ++i) {
            m_SeenMin[i] = 0;
            m_SeenMax[i] = 0xFFFF;
            m_SeenCur[i] = 0x7FFF;
        }
    }
    WriteCalibrationMode(m_pDevice, m_bAutoCalib ? DIPROPCALIBRATIONMODE_RAW : DIPROPCALIBRATIONMODE_COOKED);

    Invalidate(TRUE);
}
