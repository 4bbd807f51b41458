// Dialog template 102, defined once as data: the Qt framework builds its widgets from it,
// and a Windows build makes its in-memory template from the same rows.
#include "stdafx.h"

#include <afxres.h>

namespace {

#define STATIC_ITEM(id, style, x, y, cx, cy, text) {id, DLG_CLASS_STATIC, WS_CHILD | (style), 0, x, y, cx, cy, text}
#define BUTTON_ITEM(id, style, x, y, cx, cy, text) {id, DLG_CLASS_BUTTON, WS_CHILD | (style), 0, x, y, cx, cy, text}

const char kAxisLabelDefault[] = "Wheel (min, max, center) Axe 2 = 0, Axe 3 = 0";

const DialogItemTemplate kCalibrationItems[] = {
    STATIC_ITEM(IDC_STATIC, SS_RIGHT | WS_GROUP | WS_VISIBLE, 14, 23, 51, 9, "Device"),
    {IDC_DEVICE, DLG_CLASS_COMBOBOX, WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE, 0,
     74, 21, 186, 99, ""},
    BUTTON_ITEM(IDC_STATIC, BS_GROUPBOX | WS_VISIBLE, 7, 7, 358, 50, "Device Selection"),
    BUTTON_ITEM(IDC_STATIC, BS_GROUPBOX | WS_VISIBLE, 7, 63, 358, 214, "Calibration"),
    STATIC_ITEM(IDC_INSTRUCTIONS, SS_LEFT | WS_GROUP | WS_VISIBLE, 14, 77, 330, 36,
                "Volant : tournez le volant d'une butée à l'autre et enfoncez les pédales à fond, "
                "puis recentrez le volant, relâchez les pédales et cliquez sur Apply.\r\n"
                "Manette : amenez les mini-manches à leurs extrêmes, puis relâchez-les et cliquez sur Apply."),
    BUTTON_ITEM(IDC_APPLY, BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP | WS_VISIBLE, 281, 150, 75, 31,
                "Apply\r\nManual Calibration"),
    BUTTON_ITEM(IDC_RESET, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 268, 21, 71, 13, "Reset Calibration"),
    STATIC_ITEM(IDC_AXIS1, SS_CENTER | WS_GROUP, 9, 241, 157, 10, "Wheel = 0 (min, max, center)"),
    STATIC_ITEM(IDC_AXIS2, SS_CENTER | WS_GROUP, 9, 251, 157, 10, kAxisLabelDefault),
    STATIC_ITEM(IDC_AXIS3, SS_CENTER | WS_GROUP, 10, 262, 157, 10, kAxisLabelDefault),
    STATIC_ITEM(IDC_AXIS4, SS_CENTER | WS_GROUP, 176, 251, 157, 10, kAxisLabelDefault),
    STATIC_ITEM(IDC_AXIS5, SS_CENTER | WS_GROUP, 176, 262, 157, 10, kAxisLabelDefault),
    STATIC_ITEM(IDC_RESET_HINT, SS_CENTER | WS_GROUP | WS_VISIBLE, 15, 115, 331, 10,
                "Pour recommencer ou revenir à la calibration automatique, cliquez sur Reset Calibration."),
    BUTTON_ITEM(IDC_MANUAL, BS_AUTOCHECKBOX | WS_DISABLED | WS_TABSTOP | WS_VISIBLE, 272, 39, 66, 13, "Manual"),
    BUTTON_ITEM(IDC_AUTOMATIC, BS_AUTOCHECKBOX | WS_DISABLED | WS_TABSTOP | WS_VISIBLE, 198, 39, 66, 13, "Automatic"),
    STATIC_ITEM(IDC_STATIC, SS_RIGHT | WS_GROUP | WS_VISIBLE, 110, 41, 80, 11, "Calibration Type: "),
    BUTTON_ITEM(IDC_CLOSE, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 302, 281, 63, 14, "Close"),
    BUTTON_ITEM(IDC_INCLUDE_PEDALS, BS_AUTOCHECKBOX | BS_TOP | WS_TABSTOP, 22, 142, 242, 10,
                "Inclure les pédales dans la calibration manuelle"),
    BUTTON_ITEM(IDC_PEDAL_GROUP, BS_GROUPBOX, 15, 130, 256, 59, ""),
    STATIC_ITEM(IDC_PEDAL_NOTE, SS_LEFT | WS_GROUP, 22, 156, 239, 26,
                "N'utilisez cette option que si les valeurs des pédales\r\nsont fausses après la calibration automatique."),
    STATIC_ITEM(IDC_STATIC, SS_LEFT | WS_GROUP | WS_VISIBLE, 7, 284, 73, 11, "Version 1.03"),
};

const DialogTemplate kCalibrationTemplate = {
    IDD_CALIBRATION,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SHELLFONT,
    WS_EX_APPWINDOW,
    0, 0, 372, 302,
    "Quorvel Calibration Tool",
    "MS Shell Dlg", 8, 0, 0, DEFAULT_CHARSET,
    kCalibrationItems,
    sizeof kCalibrationItems / sizeof kCalibrationItems[0],
};

const afx::ResourceRegistration kRegisterTemplate(&kCalibrationTemplate);

}  // namespace
