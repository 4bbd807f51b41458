// Apply: turn the observed ranges into one calibration per axis, write it into the
// controller, switch it to calibrated data and show the manual state.
#include "CalibrationDlg.h"
#include "DirectInputProperties.h"

#include <algorithm>

namespace {

// The largest dead band one pedal may ask for at either end: half the distance from its
// centre to its maximum, so a quarter of its travel. A pedal that covered three quarters
// of its travel (what enables Apply) keeps at least half of it after equalisation, and its
// own margins can never empty its range.
long long PedalMarginBound(int axisCenter, int axisMax)
{
    return std::max(0LL, (static_cast<long long>(axisMax) - axisCenter) / 2);
}

}  // namespace

void CCalibrationDlg::OnApply()
{
    const bool isWheel = (m_nDevType & 0xFF) == DI8DEVTYPE_DRIVING;
    const bool includePedals = GetDlgItem(IDC_INCLUDE_PEDALS)->SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED;

    int n = m_nAxisCount;
    if (isWheel && !includePedals)
        n = std::min(n, 1);

    // One common dead band at each end of every pedal's travel.
    if (isWheel && includePedals && n >= 2) {
        long long lower = 0;
        long long upper = 0;
        bool pedalSeen[kMaxAxes] = {};
        for (int k = 1; k < n; ++k) {
            if (m_SeenMin[k] >= m_SeenMax[k])
                continue;
            pedalSeen[k] = true;
            lower = std::max(lower, static_cast<long long>(m_SeenMin[k]) - m_AxisMin[k]);
            upper = std::max(upper, static_cast<long long>(m_AxisMax[k]) - m_SeenMax[k]);
            const long long bound = PedalMarginBound(m_AxisCenter[k], m_AxisMax[k]);
            lower = std::min(lower, bound);
            upper = std::min(upper, bound);
        }
        lower = upper = std::max(lower, upper);
        for (int k = 1; k < n; ++k) {
            if (!pedalSeen[k])
                continue;
            const long long newMin = m_AxisMin[k] + lower;
            const long long newMax = m_AxisMax[k] - upper;
            m_SeenMin[k] = static_cast<int>(newMin);
            m_SeenMax[k] = static_cast<int>(newMax);
            m_SeenCur[k] = static_cast<int>((newMin + newMax) / 2);
        }
    }

    for (int k = 0; k < n; ++k) {
        if (m_SeenMin[k] >= m_SeenMax[k])
            continue;
        const long long seenMin = m_SeenMin[k];
        const long long seenMax = m_SeenMax[k];
        const long long tenth = (seenMax - seenMin) / 10;
        // An axis resting in the outer tenth at either end (a released pedal) gets the
        // midpoint; one resting inside (a centred wheel) keeps its resting position.
        long long center = m_SeenCur[k];
        if (m_SeenCur[k] < seenMin + tenth || m_SeenCur[k] > seenMax - tenth)
            center = (seenMin + seenMax) / 2;
        if (m_pDevice != NULL)
            WriteAxisCalibration(m_pDevice, m_AxisObjId[k], m_SeenMin[k], static_cast<LONG>(center), m_SeenMax[k]);
    }

    if (m_pDevice != NULL)
        WriteCalibrationMode(m_pDevice, DIPROPCALIBRATIONMODE_COOKED);

    for (int k = 0; k < m_nAxisCount; ++k) {
        m_SeenMin[k] = 0;
        m_SeenMax[k] = 0xFFFF;
        m_SeenCur[k] = 0x7FFF;
    }

    m_bAutoCalib = FALSE;
    GetDlgItem(IDC_RESET)->EnableWindow(TRUE);
    GetDlgItem(IDC_APPLY)->EnableWindow(FALSE);
    GetDlgItem(IDC_AUTOMATIC)->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
    GetDlgItem(IDC_MANUAL)->SendMessage(BM_SETCHECK, BST_CHECKED, 0);
}
