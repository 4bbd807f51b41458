// A fleet of simulated controllers: what each one is, when it is plugged in, how its axes
// move over time and which faults it has. Read from a JSON file:
//
//   {"controllers": [{
//      "id": "wheel-1", "name": "Quorvel GT Wheel",
//      "vendor": "0x1209", "product": "0xB0B1",        numbers or hex strings, 0 to 0xFFFF
//      "type": "wheel",            "wheel", "gamepad", "joystick", or the whole device type word
//      "attached": [[0, null]],    intervals [from, to) of the clock, to null for open; default always
//      "axes": [{"kind": "X",      X, Y, Z, Rx, Ry, Rz, Slider or Other; enumerated in this order
//                "min": 0, "max": 65535,
//                "calibration": [0, 32768, 65535],   used while the store holds none
//                "track": [[0, 32768], [500, 0]]}],  raw reading over time, linear, held at the end
//      "faults": {"create_fails": false, "state_fails": [[2000, 2500]],
//                 "calibration_read_fails": false, "range_read_fails": false,
//                 "vidpid_read_fails": false, "name_read_fails": false, "caps_read_fails": false}
//   }], "panel": true}
//
// Times are milliseconds of the tool's clock from the creation of the DirectInput root object.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ControllerDriver.h"

namespace quorvel::drivers {

struct TimeInterval {
    uint32_t from = 0;
    std::optional<uint32_t> to;  // open when empty
    bool Contains(uint32_t t) const { return t >= from && (!to || t < *to); }
};

struct TrackPoint {
    uint32_t time;
    int32_t value;
};

struct SimulatedAxis {
    AxisType type = AxisType::X;
    int32_t min = 0;
    int32_t max = 65535;
    AxisCalibration defaultCalibration;
    std::vector<TrackPoint> track;

    int32_t Center() const { return static_cast<int32_t>((int64_t{min} + max + 1) / 2); }
    // The raw reading at time t: linear between points, held before the first and after the last.
    int32_t ValueAt(uint32_t t) const;
};

struct SimulatedFaults {
    bool createFails = false;
    std::vector<TimeInterval> stateFails;
    bool calibrationReadFails = false;
    bool rangeReadFails = false;
    bool vidPidReadFails = false;
    bool nameReadFails = false;
    bool capsReadFails = false;
};

struct SimulatedController {
    std::string id;
    std::string name;  // UTF-8
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint32_t deviceType = 0;
    std::vector<TimeInterval> attached;
    std::vector<SimulatedAxis> axes;
    SimulatedFaults faults;

    bool AttachedAt(uint32_t t) const;
};

struct Fleet {
    std::vector<SimulatedController> controllers;
    bool panel = false;
};

// Parses fleet JSON; on failure returns false and sets `error` to "<source>: what is wrong".
bool ParseFleet(const std::string& source, const std::string& text, Fleet* fleet, std::string* error);
bool LoadFleetFile(const std::string& path, Fleet* fleet, std::string* error);

// The fleet used without a fleet file: a supported wheel with pedals, a supported gamepad
// and a controller that the tool does not support.
Fleet DefaultFleet();

// Device type words of the named controller types.
uint32_t DeviceTypeForName(const std::string& name, bool* known);

}  // namespace quorvel::drivers
