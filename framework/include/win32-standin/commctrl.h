// The common-controls library subset.
#pragma once
#include <windows.h>

void InitCommonControls();
