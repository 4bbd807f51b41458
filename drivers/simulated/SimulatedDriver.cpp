#include "SimulatedDriver.h"

#include <cstdlib>
#include <iostream>

#include "utf.h"

namespace quorvel::drivers {
SimulatedDriver::SimulatedDriver(Fleet fleet, std::shared_ptr<CalibrationStore> store)
    : m_fleet(std::move(fleet)), m_store(std::move(store)) {}

const SimulatedController* SimulatedDriver::Find(const std::string& key) const
{
    for (const SimulatedController& c : m_fleet.controllers)
        if (c.id == key)
            return &c;
    return nullptr;
}

bool SimulatedDriver::PluggedAt(const std::string& key, uint32_t nowMs) const
{
    const SimulatedController* c = Find(key);
    if (c == nullptr)
        return false;
    auto it = m_pluggedOverride.find(key);
    return it != m_pluggedOverride.end() ? it->second : c->AttachedAt(nowMs);
}

std::vector<std::string> SimulatedDriver::Attached(uint32_t nowMs)
{
    std::vector<std::string> keys;
    for (const SimulatedController& c : m_fleet.controllers)
        if (PluggedAt(c.id, nowMs))
            keys.push_back(c.id);
    return keys;
}

bool SimulatedDriver::Identify(const std::string& key, ControllerIdentity* identity)
{
    const SimulatedController* c = Find(key);
    if (c == nullptr)
        return false;
    identity->key = c->id;
    identity->vendorId = c->vendorId;
    identity->productId = c->productId;
    identity->deviceType = c->deviceType;
    identity->productName = quorvel::Utf8ToUtf16(c->name);
    return true;
}

bool SimulatedDriver::Open(const std::string& key, uint32_t nowMs)
{
    const SimulatedController* c = Find(key);
    return c != nullptr && !c->faults.createFails && PluggedAt(key, nowMs);
}

bool SimulatedDriver::ReadVidPid(const std::string& key, uint32_t* vidPid)
{
    const SimulatedController* c = Find(key);
    if (c == nullptr || c->faults.vidPidReadFails)
        return false;
    *vidPid = static_cast<uint32_t>(c->vendorId) | (static_cast<uint32_t>(c->productId) << 16);
    return true;
}

bool SimulatedDriver::ReadProductName(const std::string& key, std::u16string* name)
{
    const SimulatedController* c = Find(key);
    if (c == nullptr || c->faults.nameReadFails)
        return false;
    *name = quorvel::Utf8ToUtf16(c->name);
    return true;
}

bool SimulatedDriver::ReadDeviceType(const std::string& key, uint32_t* deviceType)
{
    const SimulatedController* c = Find(key);
    if (c == nullptr || c->faults.capsReadFails)
        return false;
    *deviceType = c->deviceType;
    return true;
}

std::vector<AxisType> SimulatedDriver::Axes(const std::string& key)
{
    std::vector<AxisType> types;
    if (const SimulatedController* c = Find(key))
        for (const SimulatedAxis& a : c->axes)
            types.push_back(a.type);
    return types;
}

bool SimulatedDriver::ReadLogicalRange(const std::string& key, size_t axis, int32_t* min, int32_t* max)
{
    const SimulatedController* c = Find(key);
    if (c == nullptr || c->faults.rangeReadFails || axis >= c->axes.size())
        return false;
    *min = c->axes[axis].min;
    *max = c->axes[axis].max;
    return true;
}

bool SimulatedDriver::ReadCalibration(const std::string& key, size_t axis, AxisCalibration* calibration)
{
    const SimulatedController* c = Find(key);
    if (c == nullptr || c->faults.calibrationReadFails || axis >= c->axes.size())
        return false;
    const std::optional<AxisCalibration> stored = m_store ? m_store->Read(key, axis) : std::nullopt;
    *calibration = stored ? *stored : c->axes[axis].defaultCalibration;
    return true;
}

bool SimulatedDriver::WriteCalibration(const std::string& key, size_t axis, const AxisCalibration& calibration)
{
    const SimulatedController* c = Find(key);
    if (c == nullptr || axis >= c->axes.size() || !m_store)
        return false;
    return m_store->Write(key, axis, calibration);
}

int32_t SimulatedDriver::AxisValue(const std::string& key, size_t axis, uint32_t nowMs) const
{
    const SimulatedController* c = Find(key);
    if (c == nullptr || axis >= c->axes.size())
        return 0;
    auto it = m_axisOverride.find({key, axis});
    return it != m_axisOverride.end() ? it->second : c->axes[axis].ValueAt(nowMs);
}

bool SimulatedDriver::ReadRaw(const std::string& key, uint32_t nowMs, std::vector<int32_t>* values)
{
    const SimulatedController* c = Find(key);
    if (c == nullptr || !PluggedAt(key, nowMs))
        return false;
    for (const TimeInterval& failing : c->faults.stateFails)
        if (failing.Contains(nowMs))
            return false;
    values->clear();
    for (size_t i = 0; i < c->axes.size(); ++i)
        values->push_back(AxisValue(key, i, nowMs));
    return true;
}

void SimulatedDriver::SetPluggedOverride(const std::string& key, std::optional<bool> plugged)
{
    if (plugged)
        m_pluggedOverride[key] = *plugged;
    else
        m_pluggedOverride.erase(key);
}

void SimulatedDriver::SetAxisOverride(const std::string& key, size_t axis, std::optional<int32_t> value)
{
    if (value)
        m_axisOverride[{key, axis}] = *value;
    else
        m_axisOverride.erase({key, axis});
}

std::shared_ptr<SimulatedDriver> CreateSimulatedDriverFromEnvironment()
{
    Fleet fleet;
    const char* fleetPath = std::getenv("QUORVEL_CONTROLLERS");
    if (fleetPath && *fleetPath) {
        std::string error;
        if (!LoadFleetFile(fleetPath, &fleet, &error)) {
            std::cerr << "Controller fleet: " << error << " (running with no controllers)" << std::endl;
            fleet = Fleet{};
        }
    } else {
        fleet = DefaultFleet();
    }
    auto store = std::make_shared<CalibrationStore>(CalibrationStore::DefaultPath());
    store->Load();
    return std::make_shared<SimulatedDriver>(std::move(fleet), std::move(store));
}

}  // namespace quorvel::drivers
