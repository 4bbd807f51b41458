// Property records prepared the way every DirectInput property call needs them.
#pragma once

#include <cstring>

#include "stdafx.h"

// A property record of type T with its header filled in: the whole device (DIPH_DEVICE,
// object 0) or one object by its id (DIPH_BYID).
template <typename T>
T DeviceProperty()
{
    T record;
    std::memset(&record, 0, sizeof record);
    record.diph.dwSize = sizeof(T);
    record.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    record.diph.dwObj = 0;
    record.diph.dwHow = DIPH_DEVICE;
    return record;
}

template <typename T>
T ObjectProperty(DWORD objectId)
{
    T record = DeviceProperty<T>();
    record.diph.dwObj = objectId;
    record.diph.dwHow = DIPH_BYID;
    return record;
}

// Writes one axis's calibration; the result is not examined by any caller.
inline void WriteAxisCalibration(LPDIRECTINPUTDEVICE8 device, DWORD objectId, LONG min, LONG center, LONG max)
{
    DIPROPCAL cal = ObjectProperty<DIPROPCAL>(objectId);
    cal.lMin = min;
    cal.lCenter = center;
    cal.lMax = max;
    device->SetProperty(DIPROP_CALIBRATION, &cal.diph);
}

inline void WriteCalibrationMode(LPDIRECTINPUTDEVICE8 device, DWORD mode)
{
    DIPROPDWORD record = DeviceProperty<DIPROPDWORD>();
    record.dwData = mode;
    device->SetProperty(DIPROP_CALIBRATIONMODE, &record.diph);
}
