// Headers of the framework and the outside components that every program file uses.
#pragma once

#include <afxwin.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <uxtheme.h>

#include <dinput.h>

#include "LxStrLib.h"
#include "resource.h"
