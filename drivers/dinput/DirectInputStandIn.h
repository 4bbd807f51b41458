// DirectInput 8 on top of a ControllerDriver: root and device objects with DirectInput's
// per-application behaviour (data format, acquisition, calibration mode, cooked range).
#pragma once

#include <cstdint>
#include <string>

#include "ControllerDriver.h"
#include "DirectInputPlatform.h"

namespace quorvel::drivers {

// DirectInput objects not yet released; zero once every reference has been released.
int LiveDirectInputObjects();

// The instance GUID a controller key enumerates with, and the product GUID of a VID/PID.
GUID InstanceGuidForKey(const std::string& key);
GUID ProductGuidFor(uint16_t vendorId, uint16_t productId);

// Maps a raw reading through a stored calibration onto the cooked range, piecewise
// linearly through the centre and clamped at both ends.
int32_t CookAxisValue(int32_t raw, const AxisCalibration& calibration, int32_t rangeMin, int32_t rangeMax);

}  // namespace quorvel::drivers
