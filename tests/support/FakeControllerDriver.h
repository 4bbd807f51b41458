// A programmable controller driver for tests: controllers are plain records the test edits,
// and every call is counted.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ControllerDriver.h"

namespace testsupport {

using quorvel::drivers::AxisCalibration;
using quorvel::drivers::AxisType;

struct FakeAxis {
    AxisType type = AxisType::X;
    int32_t min = 0;
    int32_t max = 65535;
    AxisCalibration calibration{0, 32768, 65535};
    int32_t value = 32768;
    bool rangeReadFails = false;
    bool calibrationReadFails = false;
};

struct FakeController {
    std::string key;
    uint16_t vendorId = 0x1209;
    uint16_t productId = 0xB0B1;
    uint32_t deviceType = 0x15;
    std::u16string name = u"Fake";
    std::vector<FakeAxis> axes;
    bool attached = true;
    bool createFails = false;
    bool vidPidReadFails = false;
    bool nameReadFails = false;
    bool capsReadFails = false;
    bool stateFails = false;
};

// A wheel or pad axis over a range, resting at its centre, calibrated automatically.
FakeAxis AutoAxis(AxisType type, int32_t min = 0, int32_t max = 65535);

class FakeControllerDriver : public quorvel::drivers::ControllerDriver {
public:
    FakeController& Add(FakeController controller);
    FakeController& Get(const std::string& key);
    void Remove(const std::string& key);

    std::vector<std::string> Attached(uint32_t nowMs) override;
    bool Identify(const std::string& key, quorvel::drivers::ControllerIdentity* identity) override;
    bool Open(const std::string& key, uint32_t nowMs) override;
    bool ReadVidPid(const std::string& key, uint32_t* vidPid) override;
    bool ReadProductName(const std::string& key, std::u16string* name) override;
    bool ReadDeviceType(const std::string& key, uint32_t* deviceType) override;
    std::vector<AxisType> Axes(const std::string& key) override;
    bool ReadLogicalRange(const std::string& key, size_t axis, int32_t* min, int32_t* max) override;
    bool ReadCalibration(const std::string& key, size_t axis, AxisCalibration* calibration) override;
    bool WriteCalibration(const std::string& key, size_t axis, const AxisCalibration& calibration) override;
    bool ReadRaw(const std::string& key, uint32_t nowMs, std::vector<int32_t>* values) override;

    std::vector<FakeController> controllers;
    int enumerations = 0;
    int opens = 0;
    int stateReads = 0;
    struct Write {
        std::string key;
        size_t axis;
        AxisCalibration calibration;
    };
    std::vector<Write> writes;

private:
    FakeController* Find(const std::string& key);
};

}  // namespace testsupport
