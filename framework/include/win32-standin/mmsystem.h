// The multimedia millisecond clock.
#pragma once
#include <windows.h>

// Milliseconds on a monotonic clock, wrapping at 2^32 like the Windows counter.
DWORD timeGetTime();
