// Reset: after a confirmation, write the logical ranges back as the calibration and open
// the controller again in the automatic state.
#include "CalibrationDlg.h"
#include "DirectInputProperties.h"

#include <cstring>
#include <string>

namespace {

// The program's texts are UTF-8 here: cut at most `limit` bytes without splitting a character.
size_t Utf8Prefix(const std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return end;
}

}  // namespace

void FormatResetQuestion(const char* message, const char* name, char* out, size_t size)
{
    if (out == nullptr || size == 0)
        return;
    const std::string format = message ? message : "";
    // The message comes from a file: it is never used as a printf format. Its single "%s"
    // takes the name and "%%" stands for a percent sign; any other text is shown as it is.
    int conversions = 0;
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (format[i + 1] == 's')
            ++conversions;
        ++i;
    }
    std::string text;
    if (conversions != 1) {
        text = format;
    } else {
        for (size_t i = 0; i < format.size(); ++i) {
            if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
                text += name ? name : "";
                ++i;
            } else if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
                text += '%';
                ++i;
            } else {
                text += format[i];
            }
        }
    }
    const size_t n = Utf8Prefix(text, size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

void CCalibrationDlg::OnReset()
{
    CWnd* deviceCombo = GetDlgItem(IDC_DEVICE);
    if (deviceCombo->SendMessage(CB_GETCOUNT, 0, 0) <= 0)
        return;

    const int selection = static_cast<int>(deviceCombo->SendMessage(CB_GETCURSEL, 0, 0));
    const char* shownName = selection >= 0 && selection < kMaxDevices ? static_cast<LPCTSTR>(m_ShownName[selection]) : "";

    char question[260];
    FormatResetQuestion(LxGetMLString(1200), shownName, question, sizeof question);
    char caption[260];
    GetWindowText(caption, sizeof caption);

    // The box runs a nested loop in which the scan may re-open another controller. A Yes
    // then must not write the logical ranges into a controller the user never confirmed.
    const unsigned selectionsBefore = m_nSelectCount;
    if (MessageBox(question, caption, MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    if (m_nSelectCount != selectionsBefore)
        return;

    for (int k = 0; k < m_nAxisCount; ++k)
        if (m_pDevice != NULL)
            WriteAxisCalibration(m_pDevice, m_AxisObjId[k], m_AxisMin[k], m_AxisCenter[k], m_AxisMax[k]);

    m_bAutoCalib = TRUE;
    GetDlgItem(IDC_RESET)->EnableWindow(FALSE);
    GetDlgItem(IDC_APPLY)->EnableWindow(TRUE);
    GetDlgItem(IDC_AUTOMATIC)->SendMessage(BM_SETCHECK, BST_CHECKED, 0);
    GetDlgItem(IDC_MANUAL)->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);

    SelectDevice(static_cast<int>(deviceCombo->SendMessage(CB_GETCURSEL, 0, 0)));
}
