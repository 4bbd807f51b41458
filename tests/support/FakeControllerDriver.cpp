#include "FakeControllerDriver.h"

#include <stdexcept>

namespace testsupport {

FakeAxis AutoAxis(AxisType type, int32_t min, int32_t max)
{
    FakeAxis axis;
    axis.type = type;
    axis.min = min;
    axis.max = max;
    const int32_t center = static_cast<int32_t>((int64_t{min} + max + 1) / 2);
    axis.calibration = {min, center, max};
    axis.value = center;
    return axis;
}

FakeController& FakeControllerDriver::Add(FakeController controller)
{
    if (controller.key.empty())
        controller.key = "fake-" + std::to_string(controllers.size() + 1);
    controllers.push_back(std::move(controller));
    return controllers.back();
}

FakeController* FakeControllerDriver::Find(const std::string& key)
{
    for (FakeController& c : controllers)
        if (c.key == key)
            return &c;
    return nullptr;
}

FakeController& FakeControllerDriver::Get(const std::string& key)
{
    FakeController* c = Find(key);
    if (c == nullptr)
        throw std::out_of_range("no fake controller " + key);
    return *c;
}

void FakeControllerDriver::Remove(const std::string& key)
{
    for (auto it = controllers.begin(); it != controllers.end(); ++it) {
        if (it->key == key) {
            controllers.erase(it);
            return;
        }
    }
}

std::vector<std::string> FakeControllerDriver::Attached(uint32_t)
{
    ++enumerations;
    std::vector<std::string> keys;
    for (const FakeController& c : controllers)
        if (c.attached)
            keys.push_back(c.key);
    return keys;
}

bool FakeControllerDriver::Identify(const std::string& key, quorvel::drivers::ControllerIdentity* identity)
{
    FakeController* c = Find(key);
    if (c == nullptr)
        return false;
    identity->key = key;
    identity->vendorId = c->vendorId;
    identity->productId = c->productId;
    identity->deviceType = c->deviceType;
    identity->productName = c->name;
    return true;
}

bool FakeControllerDriver::Open(const std::string& key, uint32_t)
{
    ++opens;
    FakeController* c = Find(key);
    return c != nullptr && c->attached && !c->createFails;
}

bool FakeControllerDriver::ReadVidPid(const std::string& key, uint32_t* vidPid)
{
    FakeController* c = Find(key);
    if (c == nullptr || c->vidPidReadFails)
        return false;
    *vidPid = static_cast<uint32_t>(c->vendorId) | (static_cast<uint32_t>(c->productId) << 16);
    return true;
}

bool FakeControllerDriver::ReadProductName(const std::string& key, std::u16string* name)
{
    FakeController* c = Find(key);
    if (c == nullptr || c->nameReadFails)
        return false;
    *name = c->name;
    return true;
}

bool FakeControllerDriver::ReadDeviceType(const std::string& key, uint32_t* deviceType)
{
    FakeController* c = Find(key);
    if (c == nullptr || c->capsReadFails)
        return false;
    *deviceType = c->deviceType;
    return true;
}

std::vector<AxisType> FakeControllerDriver::Axes(const std::string& key)
{
    std::vector<AxisType> types;
    if (FakeController* c = Find(key))
        for (const FakeAxis& a : c->axes)
            types.push_back(a.type);
    return types;
}

bool FakeControllerDriver::ReadLogicalRange(const std::string& key, size_t axis, int32_t* min, int32_t* max)
{
    FakeController* c = Find(key);
    if (c == nullptr || axis >= c->axes.size() || c->axes[axis].rangeReadFails)
        return false;
    *min = c->axes[axis].min;
    *max = c->axes[axis].max;
    return true;
}

bool FakeControllerDriver::ReadCalibration(const std::string& key, size_t axis, AxisCalibration* calibration)
{
    FakeController* c = Find(key);
    if (c == nullptr || axis >= c->axes.size() || c->axes[axis].calibrationReadFails)
        return false;
    *calibration = c->axes[axis].calibration;
    return true;
}

bool FakeControllerDriver::WriteCalibration(const std::string& key, size_t axis, const AxisCalibration& calibration)
{
    FakeController* c = Find(key);
    if (c == nullptr || axis >= c->axes.size())
        return false;
    c->axes[axis].calibration = calibration;
    writes.push_back({key, axis, calibration});
    return true;
}

bool FakeControllerDriver::ReadRaw(const std::string& key, uint32_t, std::vector<int32_t>* values)
{
    ++stateReads;
    FakeController* c = Find(key);
    if (c == nullptr || !c->attached || c->stateFails)
        return false;
    values->clear();
    for (const FakeAxis& a : c->axes)
        values->push_back(a.value);
    return true;
}

}  // namespace testsupport
