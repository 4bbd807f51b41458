// The calibrations the simulated driver keeps across runs, in a JSON file:
//   {"controllers": {"wheel-1": {"axes": [[min, centre, max], null, ...]}}}
// one entry per axis in fleet order, null for an axis never written. Every write is
// persisted at once and atomically; a file that cannot be parsed is reported and never
// overwritten.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "ControllerDriver.h"

namespace quorvel::drivers {

class CalibrationStore {
public:
    explicit CalibrationStore(std::string path);

    // Reads the file. A missing file is an empty store; an unreadable or malformed one is
    // reported in Error() and makes the store refuse writes.
    void Load();
    const std::string& Path() const { return m_path; }
    const std::string& Error() const { return m_error; }
    bool Writable() const { return m_error.empty(); }

    std::optional<AxisCalibration> Read(const std::string& controller, size_t axis) const;
    // Persists the new value before returning; false (with Error()) when it could not be.
    bool Write(const std::string& controller, size_t axis, const AxisCalibration& calibration);

    // The store path from QUORVEL_CALIBRATION_STORE, else under $XDG_STATE_HOME, else under
    // ~/.local/state.
    static std::string DefaultPath();

private:
    bool ParseDocument(const std::string& text, nlohmann::json* document, std::string* error) const;
    bool Persist(const nlohmann::json& document);

    std::string m_path;
    nlohmann::json m_document;
    std::string m_error;
};

}  // namespace quorvel::drivers
