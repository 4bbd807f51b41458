// The application object: its whole life is one modal calibration dialog.
#pragma once

#include "stdafx.h"

class CCalibrationApp : public CWinApp {
public:
    CCalibrationApp();
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CCalibrationApp theApp;
