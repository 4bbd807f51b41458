// The contract between the DirectInput stand-in and a game-controller backend: a table of
// operations, each with one duty. The stand-in owns the per-application state that
// DirectInput keeps (data format, acquisition, calibration mode, the cooked range); a
// driver reports what the hardware and its stored calibration say.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvel::drivers {

enum class AxisType { X, Y, Z, Rx, Ry, Rz, Slider, Other };

struct AxisCalibration {
    int32_t min = 0;
    int32_t center = 0;
    int32_t max = 0;
    bool operator==(const AxisCalibration& o) const { return min == o.min && center == o.center && max == o.max; }
};

// The identity of an attached controller as enumeration reports it.
struct ControllerIdentity {
    std::string key;               // stable across runs: selects the instance GUID and the store entry
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint32_t deviceType = 0;       // the whole DirectInput device type word
    std::u16string productName;    // as the device reports it, UTF-16
};

class ControllerDriver {
public:
    virtual ~ControllerDriver() = default;

    // Keys of the controllers attached at `nowMs`, in a stable enumeration order.
    virtual std::vector<std::string> Attached(uint32_t nowMs) = 0;
    // Identity of a known controller; false when the key is unknown.
    virtual bool Identify(const std::string& key, ControllerIdentity* identity) = 0;
    // Whether a device object can be created for the controller now.
    virtual bool Open(const std::string& key, uint32_t nowMs) = 0;
    // Reads that may fail on a faulty device; false leaves the output untouched.
    virtual bool ReadVidPid(const std::string& key, uint32_t* vidPid) = 0;
    virtual bool ReadProductName(const std::string& key, std::u16string* name) = 0;
    virtual bool ReadDeviceType(const std::string& key, uint32_t* deviceType) = 0;
    // The axes in enumeration order.
    virtual std::vector<AxisType> Axes(const std::string& key) = 0;
    virtual bool ReadLogicalRange(const std::string& key, size_t axis, int32_t* min, int32_t* max) = 0;
    // The calibration the driver stores for an axis (persisting across runs).
    virtual bool ReadCalibration(const std::string& key, size_t axis, AxisCalibration* calibration) = 0;
    virtual bool WriteCalibration(const std::string& key, size_t axis, const AxisCalibration& calibration) = 0;
    // Raw readings of every axis in logical units at `nowMs`; false when the read fails
    // (unplugged, or a fault).
    virtual bool ReadRaw(const std::string& key, uint32_t nowMs, std::vector<int32_t>* values) = 0;
};

// The driver that DirectInput8Create binds new root objects to. Without one installed,
// there are no controllers.
void InstallControllerDriver(std::shared_ptr<ControllerDriver> driver);
std::shared_ptr<ControllerDriver> InstalledControllerDriver();
// The factory of the driver used when none was installed (the program's embedded default).
void SetDefaultDriverFactory(std::shared_ptr<ControllerDriver> (*factory)());

}  // namespace quorvel::drivers
