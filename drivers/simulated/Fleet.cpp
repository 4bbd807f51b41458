#include "Fleet.h"

#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "JsonErrors.h"

namespace quorvel::drivers {
namespace {

using nlohmann::json;

class FleetError : public std::runtime_error {
public:
    FleetError(const std::string& where, const std::string& what) : std::runtime_error(where + ": " + what) {}
};

int64_t Integer(const json& value, const std::string& where, int64_t lo, int64_t hi)
{
    if (!value.is_number_integer() && !value.is_number_unsigned())
        throw FleetError(where, "expected a whole number");
    if (value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
        throw FleetError(where, "number out of range");
    const int64_t n = value.get<int64_t>();
    if (n < lo || n > hi)
        throw FleetError(where, "number " + std::to_string(n) + " is outside " + std::to_string(lo) + " to " + std::to_string(hi));
    return n;
}

// Numbers or strings such as "0x1209" (hexadecimal) or "4617" (decimal).
uint16_t UsbId(const json& value, const std::string& where)
{
    if (value.is_string()) {
        const std::string s = value.get<std::string>();
        const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
        const std::string digits = hex ? s.substr(2) : s;
        if (digits.empty() || digits.size() > 8 ||
            digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
            throw FleetError(where, "'" + s + "' is not a USB id");
        const unsigned long n = std::stoul(digits, nullptr, hex ? 16 : 10);
        if (n > 0xFFFF)
            throw FleetError(where, "'" + s + "' is above 0xFFFF");
        return static_cast<uint16_t>(n);
    }
    return static_cast<uint16_t>(Integer(value, where, 0, 0xFFFF));
}

std::vector<TimeInterval> Intervals(const json& value, const std::string& where)
{
    if (!value.is_array())
        throw FleetError(where, "expected a list of [from, to] intervals");
    std::vector<TimeInterval> intervals;
    for (size_t i = 0; i < value.size(); ++i) {
        const std::string at = where + "[" + std::to_string(i) + "]";
        const json& pair = value[i];
        if (!pair.is_array() || pair.size() != 2)
            throw FleetError(at, "expected [from, to]");
        TimeInterval interval;
        interval.from = static_cast<uint32_t>(Integer(pair[0], at + "[0]", 0, std::numeric_limits<uint32_t>::max()));
        if (!pair[1].is_null()) {
            interval.to = static_cast<uint32_t>(Integer(pair[1], at + "[1]", 0, std::numeric_limits<uint32_t>::max()));
            if (*interval.to < interval.from)
                throw FleetError(at, "the interval ends before it starts");
        }
        intervals.push_back(interval);
    }
    return intervals;
}

bool Flag(const json& faults, const char* name, const std::string& where)
{
    if (!faults.contains(name))
        return false;
    if (!faults[name].is_boolean())
        throw FleetError(where + "." + name, "expected true or false");
    return faults[name].get<bool>();
}

AxisType AxisTypeFor(const json& value, const std::string& where)
{
    if (!value.is_string())
        throw FleetError(where, "expected an axis kind");
    static const std::pair<const char*, AxisType> kinds[] = {
        {"X", AxisType::X}, {"Y", AxisType::Y}, {"Z", AxisType::Z}, {"Rx", AxisType::Rx}, {"Ry", AxisType::Ry},
        {"Rz", AxisType::Rz}, {"Slider", AxisType::Slider}, {"Other", AxisType::Other}};
    for (const auto& [name, type] : kinds)
        if (value.get<std::string>() == name)
            return type;
    throw FleetError(where, "unknown axis kind '" + value.get<std::string>() + "' (X, Y, Z, Rx, Ry, Rz, Slider or Other)");
}

void CheckName(const std::string& name, const std::string& where)
{
    size_t units = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F)
            throw FleetError(where, "the name holds a control character");
        if ((c & 0xC0) != 0x80)
            units += (c >= 0xF0) ? 2 : 1;  // UTF-16 units: characters beyond the BMP take two
    }
    if (units > 259)
        throw FleetError(where, "the name has " + std::to_string(units) + " UTF-16 units; at most 259 fit");
}

SimulatedController ParseController(const json& c, const std::string& where)
{
    if (!c.is_object())
        throw FleetError(where, "expected an object");
    SimulatedController controller;
    if (!c.contains("id") || !c["id"].is_string() || c["id"].get<std::string>().empty())
        throw FleetError(where + ".id", "expected a non-empty string");
    controller.id = c["id"].get<std::string>();
    if (controller.id.size() > 128)
        throw FleetError(where + ".id", "longer than 128 bytes");
    if (c.contains("name")) {
        if (!c["name"].is_string())
            throw FleetError(where + ".name", "expected a string");
        controller.name = c["name"].get<std::string>();
        CheckName(controller.name, where + ".name");
    }
    if (!c.contains("vendor") || !c.contains("product"))
        throw FleetError(where, "vendor and product are required");
    controller.vendorId = UsbId(c["vendor"], where + ".vendor");
    controller.productId = UsbId(c["product"], where + ".product");
    controller.deviceType = DeviceTypeForName("gamepad", nullptr);
    if (c.contains("type")) {
        const json& type = c["type"];
        if (type.is_string()) {
            bool known = false;
            controller.deviceType = DeviceTypeForName(type.get<std::string>(), &known);
            if (!known)
                throw FleetError(where + ".type", "unknown type '" + type.get<std::string>() + "' (wheel, gamepad, joystick or a number)");
        } else {
            controller.deviceType = static_cast<uint32_t>(Integer(type, where + ".type", 0, std::numeric_limits<uint32_t>::max()));
        }
    }
    controller.attached = c.contains("attached") ? Intervals(c["attached"], where + ".attached")
                                                 : std::vector<TimeInterval>{TimeInterval{0, std::nullopt}};
    if (c.contains("axes")) {
        const json& axes = c["axes"];
        if (!axes.is_array())
            throw FleetError(where + ".axes", "expected a list");
        for (size_t i = 0; i < axes.size(); ++i) {
            const std::string at = where + ".axes[" + std::to_string(i) + "]";
            const json& a = axes[i];
            if (!a.is_object())
                throw FleetError(at, "expected an object");
            SimulatedAxis axis;
            axis.type = AxisTypeFor(a.value("kind", json("X")), at + ".kind");
            const int64_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
            if (a.contains("min"))
                axis.min = static_cast<int32_t>(Integer(a["min"], at + ".min", lo, hi));
            if (a.contains("max"))
                axis.max = static_cast<int32_t>(Integer(a["max"], at + ".max", lo, hi));
            if (axis.min >= axis.max)
                throw FleetError(at, "min must be below max");
            axis.defaultCalibration = {axis.min, axis.Center(), axis.max};
            if (a.contains("calibration")) {
                const json& cal = a["calibration"];
                if (!cal.is_array() || cal.size() != 3)
                    throw FleetError(at + ".calibration", "expected [min, centre, max]");
                axis.defaultCalibration = {static_cast<int32_t>(Integer(cal[0], at + ".calibration[0]", lo, hi)),
                                           static_cast<int32_t>(Integer(cal[1], at + ".calibration[1]", lo, hi)),
                                           static_cast<int32_t>(Integer(cal[2], at + ".calibration[2]", lo, hi))};
            }
            if (a.contains("track")) {
                const json& track = a["track"];
                if (!track.is_array())
                    throw FleetError(at + ".track", "expected a list of [time, value]");
                for (size_t p = 0; p < track.size(); ++p) {
                    const std::string pt = at + ".track[" + std::to_string(p) + "]";
                    if (!track[p].is_array() || track[p].size() != 2)
                        throw FleetError(pt, "expected [time, value]");
                    TrackPoint point{static_cast<uint32_t>(Integer(track[p][0], pt + "[0]", 0, std::numeric_limits<uint32_t>::max())),
                                     static_cast<int32_t>(Integer(track[p][1], pt + "[1]", lo, hi))};
                    if (!axis.track.empty() && point.time < axis.track.back().time)
                        throw FleetError(pt, "times must not go backwards");
                    axis.track.push_back(point);
                }
            }
            controller.axes.push_back(axis);
        }
    }
    if (c.contains("faults")) {
        const json& f = c["faults"];
        const std::string at = where + ".faults";
        if (!f.is_object())
            throw FleetError(at, "expected an object");
        controller.faults.createFails = Flag(f, "create_fails", at);
        controller.faults.calibrationReadFails = Flag(f, "calibration_read_fails", at);
        controller.faults.rangeReadFails = Flag(f, "range_read_fails", at);
        controller.faults.vidPidReadFails = Flag(f, "vidpid_read_fails", at);
        controller.faults.nameReadFails = Flag(f, "name_read_fails", at);
        controller.faults.capsReadFails = Flag(f, "caps_read_fails", at);
        if (f.contains("state_fails"))
            controller.faults.stateFails = Intervals(f["state_fails"], at + ".state_fails");
    }
    return controller;
}

}  // namespace

int32_t SimulatedAxis::ValueAt(uint32_t t) const
{
    if (track.empty())
        return Center();
    if (t <= track.front().time)
        return track.front().value;
    for (size_t i = 1; i < track.size(); ++i) {
        const TrackPoint& a = track[i - 1];
        const TrackPoint& b = track[i];
        if (t < b.time) {
            const int64_t span = int64_t{b.time} - a.time;
            return static_cast<int32_t>(a.value + (int64_t{b.value} - a.value) * (int64_t{t} - a.time) / span);
        }
    }
    return track.back().value;
}

bool SimulatedController::AttachedAt(uint32_t t) const
{
    for (const TimeInterval& interval : attached)
        if (interval.Contains(t))
            return true;
    return false;
}

uint32_t DeviceTypeForName(const std::string& name, bool* known)
{
    if (known)
        *known = true;
    if (name == "wheel")
        return 0x16 | (3u << 8);  // driving, dual pedals
    if (name == "gamepad")
        return 0x15 | (2u << 8);
    if (name == "joystick")
        return 0x14 | (2u << 8);
    if (known)
        *known = false;
    return 0;
}

bool ParseFleet(const std::string& source, const std::string& text, Fleet* fleet, std::string* error)
{
    json document;
    if (!ParseJson(source, text, &document, error))
        return false;
    try {
        if (!document.is_object() || !document.contains("controllers") || !document["controllers"].is_array())
            throw FleetError("controllers", "expected an object with a \"controllers\" list");
        Fleet parsed;
        const json& list = document["controllers"];
        for (size_t i = 0; i < list.size(); ++i) {
            SimulatedController controller = ParseController(list[i], "controllers[" + std::to_string(i) + "]");
            for (const SimulatedController& other : parsed.controllers)
                if (other.id == controller.id)
                    throw FleetError("controllers[" + std::to_string(i) + "].id", "'" + controller.id + "' is used twice");
            parsed.controllers.push_back(std::move(controller));
        }
        if (document.contains("panel")) {
            if (!document["panel"].is_boolean())
                throw FleetError("panel", "expected true or false");
            parsed.panel = document["panel"].get<bool>();
        }
        *fleet = std::move(parsed);
        return true;
    } catch (const std::exception& e) {
        *error = source + ": " + e.what();
        return false;
    }
}

bool LoadFleetFile(const std::string& path, Fleet* fleet, std::string* error)
{
    std::string text;
    if (!ReadWholeFile(path, &text, error))
        return false;
    return ParseFleet(path, text, fleet, error);
}

}  // namespace quorvel::drivers
