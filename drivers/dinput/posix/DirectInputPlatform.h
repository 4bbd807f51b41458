// The DirectInput declarations of platforms without DirectInput, as the stand-in sees them.
#pragma once

#include "dinput.h"

// Property ids arrive as a record carrying their number.
inline UINT_PTR PropertyNumber(REFDIPROPID property)
{
    return property.value;
}

// The declared interfaces hold only the methods the program calls.
#define QUORVEL_DEVICE_UNUSED_METHODS
#define QUORVEL_ROOT_UNUSED_METHODS
