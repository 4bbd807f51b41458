#include "Fleet.h"

namespace quorvel::drivers {

Fleet DefaultFleet()
{
    Fleet fleet;
    fleet.panel = true;

    SimulatedController wheel;
    wheel.id = "wheel-1";
    wheel.name = "Quorvel GT Wheel";
    wheel.vendorId = 0x1209;
    wheel.productId = 0xB0B1;
    wheel.deviceType = DeviceTypeForName("wheel", nullptr);
    wheel.attached = {TimeInterval{0, std::nullopt}};
    // The wheel axis, then accelerator, brake and clutch, resting where a person leaves them.
    for (AxisType type : {AxisType::X, AxisType::Y, AxisType::Z, AxisType::Rz}) {
        SimulatedAxis axis;
        axis.type = type;
        axis.min = 0;
        axis.max = 65535;
        axis.defaultCalibration = {0, axis.Center(), 65535};
        axis.track = {{0, type == AxisType::X ? axis.Center() : 0}};
        wheel.axes.push_back(axis);
    }
    fleet.controllers.push_back(wheel);

    SimulatedController pad;
    pad.id = "gamepad-1";
    pad.name = "Leonardo Gamepad";
    pad.vendorId = 0x2341;
    pad.productId = 0x8036;
    pad.deviceType = DeviceTypeForName("gamepad", nullptr);
    pad.attached = {TimeInterval{0, std::nullopt}};
    for (AxisType type : {AxisType::X, AxisType::Y, AxisType::Rx, AxisType::Ry}) {
        SimulatedAxis axis;
        axis.type = type;
        axis.min = -32768;
        axis.max = 32767;
        axis.defaultCalibration = {-32768, axis.Center(), 32767};
        pad.axes.push_back(axis);
    }
    fleet.controllers.push_back(pad);

    // A controller the tool does not support: it must never be listed.
    SimulatedController other;
    other.id = "flightstick-1";
    other.name = "Open Flight Stick";
    other.vendorId = 0x1D50;
    other.productId = 0x6180;
    other.deviceType = DeviceTypeForName("joystick", nullptr);
    other.attached = {TimeInterval{0, std::nullopt}};
    for (AxisType type : {AxisType::X, AxisType::Y}) {
        SimulatedAxis axis;
        axis.type = type;
        axis.defaultCalibration = {0, axis.Center(), 65535};
        other.axes.push_back(axis);
    }
    fleet.controllers.push_back(other);
    return fleet;
}

}  // namespace quorvel::drivers
