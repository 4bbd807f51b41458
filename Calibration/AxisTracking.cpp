// Live axis tracking: every 10 ms one state read, then per tracked axis the dead-band
// filter, the observed range, the bar and the label; last, whether Apply may be pressed.
#include "CalibrationDlg.h"

#include <cstdio>

namespace {

struct BarPosition {
    int x;
    int y;
};

// A wheel's own axis stands on top of the left column; other controllers fill a
// two-by-two block, with a fifth axis above the left column.
const BarPosition kWheelBarLayout[kMaxAxes] = {{30, 210}, {30, 245}, {30, 280}, {280, 245}, {280, 280}};
const BarPosition kDefaultBarLayout[kMaxAxes] = {{30, 245}, {30, 280}, {280, 245}, {280, 280}, {30, 210}};
const int kBarOffsetY = 115;

const char* AxisName(int kind)
{
    static const char* const names[] = {"Axis X", "Axis Y", "Axis Z", "Axis Rx", "Axis Ry", "Axis Rz",
                                        "Slider 0", "Slider 1"};
    return kind >= 0 && kind <= kAxisKindSlider1 ? names[kind] : "Unknown";
}

LONG AxisReading(const DIJOYSTATE2& state, int kind)
{
    switch (kind) {
    case kAxisKindX: return state.lX;
    case kAxisKindY: return state.lY;
    case kAxisKindZ: return state.lZ;
    case kAxisKindRx: return state.lRx;
    case kAxisKindRy: return state.lRy;
    case kAxisKindRz: return state.lRz;
    case kAxisKindSlider0: return state.rglSlider[0];
    case kAxisKindSlider1: return state.rglSlider[1];
    default: return 0;
    }
}

// Three quarters of the logical range; wide, since max - min overflows 32 bits for the
// widest ranges.
long long SufficientRange(int axisMin, int axisMax)
{
    return (static_cast<long long>(axisMax) - axisMin) * 3 / 4;
}

// One colour channel of the fade from the t = 0 colour to the t = 1000 colour; each part
// rounds down on its own.
DWORD FadeChannel(DWORD u, DWORD t, DWORD from, DWORD to)
{
    return u * from / 1000 + t * to / 1000;
}

COLORREF FadeColor(DWORD t, BYTE r0, BYTE g0, BYTE b0, BYTE r1, BYTE g1, BYTE b1)
{
    const DWORD u = 1000 - t;
    return RGB(FadeChannel(u, t, r0, r1), FadeChannel(u, t, g0, g1), FadeChannel(u, t, b0, b1));
}

}  // namespace

// Orange at t = 0, green at t = 1000.
COLORREF BarBackgroundColor(DWORD t)
{
    return FadeColor(t, 224, 128, 32, 32, 192, 32);
}

COLORREF BarFillColor(DWORD t)
{
    return FadeColor(t, 240, 144, 48, 32, 240, 32);
}

void CCalibrationDlg::TrackAxes()
{
    BOOL allReady = TRUE;
    DIJOYSTATE2 state;

    // A bare block instead of the jumps to the Apply test at the end.
    do {
        if (m_pDevice == NULL)
            break;
        m_pDevice->SetDataFormat(&c_dfDIJoystick2);
        m_pDevice->Acquire();
        if (m_pDevice->GetDeviceState(sizeof(DIJOYSTATE2), &state) != DI_OK)
            break;

        // Nothing shows the labels; their texts are still kept current below.
        for (int i = m_nAxisCount; i < kMaxAxes; ++i)
            if (GetDlgItem(IDC_AXIS1 + i)->IsWindowVisible())
                GetDlgItem(IDC_AXIS1 + i)->ShowWindow(SW_HIDE);
        for (int i = 0; i < m_nAxisCount; ++i)
            if (GetDlgItem(IDC_AXIS1 + i)->IsWindowVisible())
                GetDlgItem(IDC_AXIS1 + i)->ShowWindow(SW_HIDE);

        const BOOL resetEnabled = GetDlgItem(IDC_RESET)->IsWindowEnabled();
        CWnd* includePedals = GetDlgItem(IDC_INCLUDE_PEDALS);
        const bool isWheel = (m_nDevType & 0xFF) == DI8DEVTYPE_DRIVING;
        // A wheel with its pedals left out tracks only its own axis, slot 0.
        auto considered = [&](int slot) {
            return slot == 0 || !isWheel || includePedals->SendMessage(BM_GETCHECK, 0, 0) != BST_UNCHECKED;
        };

        if (!m_bMoved) {
            for (int k = 0; k < m_nAxisCount && considered(k); ++k)
                if (AxisReading(state, m_AxisKind[k]) != m_AxisCenter[k])
                    m_bMoved = TRUE;
        }

        if (m_nAxisCount == 0)
            break;

        const BarPosition* layout = isWheel ? kWheelBarLayout : kDefaultBarLayout;
        for (int i = 0; i < m_nAxisCount && considered(i); ++i) {
            const char* name = AxisName(m_AxisKind[i]);
            long long v = 0;
            if (m_bMoved) {
                v = AxisReading(state, m_AxisKind[i]);
                const long long c = m_SeenCur[i];
                const long long d = m_Direction[i];
                // Continuing in the last direction passes at 1, turning back needs 6.
                const long long lower = c - (5 * d + 5) / 2;
                const long long upper = c + (5 - 5 * d) / 2;
                if (v < lower || v > upper)
                    m_Direction[i] = v >= c ? 1 : -1;
                else
                    v = c;
                if (m_SeenMin[i] == m_SeenMax[i] && (c - v < -40 || c - v > 40)) {
                    m_SeenMin[i] = m_SeenMax[i] = m_SeenCur[i] = static_cast<int>(v);
                }
                if (v < m_SeenMin[i])
                    m_SeenMin[i] = static_cast<int>(v);
                if (v > m_SeenMax[i])
                    m_SeenMax[i] = static_cast<int>(v);
                m_SeenCur[i] = static_cast<int>(v);
            }

            const long long range = static_cast<long long>(m_SeenMax[i]) - m_SeenMin[i];
            const long long sufficient = SufficientRange(m_AxisMin[i], m_AxisMax[i]);
            if ((i == 0 || m_SeenMin[i] != m_SeenMax[i]) && range < sufficient)
                allReady = FALSE;

            COLORREF bgColor;
            COLORREF fillColor;
            long long fill;
            if (range == 0) {
                bgColor = RGB(0xB0, 0xB0, 0xB0);
                fillColor = RGB(0xE0, 0xE0, 0xE0);
                fill = ((v - m_SeenMin[i]) * 256) / (range + 1);
            } else {
                const DWORD now = timeGetTime();
                if (range >= sufficient && m_ReadyTime[i] == -1)
                    m_ReadyTime[i] = static_cast<int>(now);
                DWORD t = 0;
                if (m_ReadyTime[i] != -1) {
                    const DWORD elapsed = now - static_cast<DWORD>(m_ReadyTime[i]);
                    t = elapsed >= 334 ? 1000 : 3 * elapsed;
                }
                if (resetEnabled)
                    t = 1000;
                bgColor = BarBackgroundColor(t);
                fillColor = BarFillColor(t);
                fill = ((v - m_SeenMin[i]) * 256) / range;
            }
            // A level below empty or beyond full (a reading outside the observed range) is
            // drawn as empty or full.
            if (fill < 0)
                fill = 0;
            if (fill > 256)
                fill = 256;

            DrawAxisBar(layout[i].x, layout[i].y + kBarOffsetY, name, static_cast<int>(fill), bgColor, fillColor);

            char label[260];
            std::snprintf(label, sizeof label, "%s (min: %d, max: %d): %d", name, m_SeenMin[i], m_SeenMax[i],
                          m_SeenCur[i]);
            char current[260];
            CWnd* labelWnd = GetDlgItem(IDC_AXIS1 + i);
            labelWnd->GetWindowText(current, sizeof current);
            if (lstrcmpi(current, label) != 0)
                labelWnd->SetWindowText(label);
        }

        if (!allReady) {
            if (GetDlgItem(IDC_APPLY)->IsWindowEnabled())
                GetDlgItem(IDC_APPLY)->EnableWindow(FALSE);
            return;
        }
    } while (false);

    CWnd* apply = GetDlgItem(IDC_APPLY);
    if (!apply->IsWindowEnabled() && m_bAutoCalib)
        apply->EnableWindow(m_nShownCount != 0);
}
