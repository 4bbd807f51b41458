// The multimedia clock where the system has none: the process's replaceable clock.
#include <mmsystem.h>

#include "clock.h"

DWORD timeGetTime()
{
    return quorvel::NowMilliseconds();
}
