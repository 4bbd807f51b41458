// The simulated controllers: a real ControllerDriver whose controllers come from a fleet
// (see Fleet.h) and whose calibrations live in a CalibrationStore. A person can also
// plug, unplug and move them live (the virtual controller panel uses this).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CalibrationStore.h"
#include "ControllerDriver.h"
#include "Fleet.h"

namespace quorvel::drivers {

class SimulatedDriver : public ControllerDriver {
public:
    SimulatedDriver(Fleet fleet, std::shared_ptr<CalibrationStore> store);

    std::vector<std::string> Attached(uint32_t nowMs) override;
    bool Identify(const std::string& key, ControllerIdentity* identity) override;
    bool Open(const std::string& key, uint32_t nowMs) override;
    bool ReadVidPid(const std::string& key, uint32_t* vidPid) override;
    bool ReadProductName(const std::string& key, std::u16string* name) override;
    bool ReadDeviceType(const std::string& key, uint32_t* deviceType) override;
    std::vector<AxisType> Axes(const std::string& key) override;
    bool ReadLogicalRange(const std::string& key, size_t axis, int32_t* min, int32_t* max) override;
    bool ReadCalibration(const std::string& key, size_t axis, AxisCalibration* calibration) override;
    bool WriteCalibration(const std::string& key, size_t axis, const AxisCalibration& calibration) override;
    bool ReadRaw(const std::string& key, uint32_t nowMs, std::vector<int32_t>* values) override;

    // Live control, taking precedence over the fleet's timeline.
    void SetPluggedOverride(const std::string& key, std::optional<bool> plugged);
    void SetAxisOverride(const std::string& key, size_t axis, std::optional<int32_t> value);
    // The raw reading of an axis at `nowMs` (override or track).
    int32_t AxisValue(const std::string& key, size_t axis, uint32_t nowMs) const;
    bool PluggedAt(const std::string& key, uint32_t nowMs) const;

    const Fleet& GetFleet() const { return m_fleet; }
    const std::shared_ptr<CalibrationStore>& Store() const { return m_store; }

private:
    const SimulatedController* Find(const std::string& key) const;

    Fleet m_fleet;
    std::shared_ptr<CalibrationStore> m_store;
    std::map<std::string, bool> m_pluggedOverride;
    std::map<std::pair<std::string, size_t>, int32_t> m_axisOverride;
};

// Creates the driver the program runs on: the fleet of QUORVEL_CONTROLLERS (or the default
// fleet) and the store of QUORVEL_CALIBRATION_STORE (or the default path). A bad fleet file
// is reported and leaves a driver without controllers.
std::shared_ptr<SimulatedDriver> CreateSimulatedDriverFromEnvironment();

}  // namespace quorvel::drivers
