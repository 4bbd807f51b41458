// Resource and control identifiers of the Quorvel Calibration Tool.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_CALIBRATION 102

#define IDC_DEVICE 1000
#define IDC_RESET 1002
#define IDC_APPLY 1003
#define IDC_AXIS1 1004
#define IDC_AXIS2 1005
#define IDC_AXIS3 1006
#define IDC_AXIS4 1007
#define IDC_AXIS5 1008
#define IDC_MANUAL 1010
#define IDC_AUTOMATIC 1011
#define IDC_CLOSE 1012
#define IDC_INCLUDE_PEDALS 1013
#define IDC_PEDAL_GROUP 1015
#define IDC_PEDAL_NOTE 1016
#define IDC_INSTRUCTIONS 1017
#define IDC_RESET_HINT 1018
#define IDC_STATIC (-1)
