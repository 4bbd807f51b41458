// A calibration dialog on a fleet of simulated controllers, for benchmarks.
#pragma once

#include <memory>
#include <string>

#include "CalibrationDlg.h"
#include "DirectInputStandIn.h"
#include "SimulatedDriver.h"

inline quorvel::drivers::SimulatedController BenchWheel(const std::string& id, uint16_t product)
{
    using namespace quorvel::drivers;
    SimulatedController c;
    c.id = id;
    c.name = "Bench Wheel";
    c.vendorId = 0x1209;
    c.productId = product;
    c.deviceType = DeviceTypeForName("wheel", nullptr);
    c.attached = {TimeInterval{0, std::nullopt}};
    for (AxisType type : {AxisType::X, AxisType::Y, AxisType::Z, AxisType::Rz, AxisType::Slider}) {
        SimulatedAxis axis;
        axis.type = type;
        axis.defaultCalibration = {0, axis.Center(), 65535};
        // A sweep over the whole travel and back, once a second.
        axis.track = {{0, 0}, {500, 65535}, {1000, 0}};
        c.axes.push_back(axis);
    }
    return c;
}

// Installs a driver with `count` supported wheels (no store file) and opens the dialog.
inline std::unique_ptr<CCalibrationDlg> OpenBenchDialog(int count)
{
    using namespace quorvel::drivers;
    Fleet fleet;
    for (int i = 0; i < count; ++i)
        fleet.controllers.push_back(BenchWheel("wheel-" + std::to_string(i), static_cast<uint16_t>(0xB000 + i)));
    InstallControllerDriver(std::make_shared<SimulatedDriver>(fleet, nullptr));
    auto dlg = std::make_unique<CCalibrationDlg>();
    dlg->Create(IDD_CALIBRATION);
    return dlg;
}
