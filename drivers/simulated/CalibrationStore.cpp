#include "CalibrationStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>

#include "JsonErrors.h"

namespace quorvel::drivers {
namespace {

using nlohmann::json;

bool MakeFolders(const std::string& folder)
{
    if (folder.empty())
        return true;
    struct stat info;
    if (stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const size_t slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash)))
        return false;
    return mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool IsCalibration(const json& value)
{
    if (!value.is_array() || value.size() != 3)
        return false;
    for (const json& n : value) {
        if (!n.is_number_integer())
            return false;
        const int64_t v = n.get<int64_t>();
        if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
            return false;
    }
    return true;
}

}  // namespace

CalibrationStore::CalibrationStore(std::string path) : m_path(std::move(path)), m_document(json::object())
{
    m_document["controllers"] = json::object();
}

std::string CalibrationStore::DefaultPath()
{
    if (const char* path = std::getenv("QUORVEL_CALIBRATION_STORE"); path && *path)
        return path;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::string(state) + "/quorvel-calibration/calibration.json";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/state/quorvel-calibration/calibration.json";
}

bool CalibrationStore::ParseDocument(const std::string& text, json* document, std::string* error) const
{
    if (!ParseJson(m_path, text, document, error))
        return false;
    const json& d = *document;
    if (!d.is_object() || !d.contains("controllers") || !d["controllers"].is_object()) {
        *error = m_path + ": expected an object with a \"controllers\" object";
        return false;
    }
    for (const auto& [id, entry] : d["controllers"].items()) {
        if (!entry.is_object() || !entry.contains("axes") || !entry["axes"].is_array()) {
            *error = m_path + ": controllers." + id + ": expected {\"axes\": [...]}";
            return false;
        }
        const json& axes = entry["axes"];
        for (size_t i = 0; i < axes.size(); ++i) {
            if (!axes[i].is_null() && !IsCalibration(axes[i])) {
                *error = m_path + ": controllers." + id + ".axes[" + std::to_string(i) +
                         "]: expected null or [min, centre, max] of 32-bit whole numbers";
                return false;
            }
        }
    }
    return true;
}

void CalibrationStore::Load()
{
    m_error.clear();
    struct stat info;
    if (stat(m_path.c_str(), &info) != 0 && errno == ENOENT) {
        m_document = json::object({{"controllers", json::object()}});
        return;
    }
    std::string text, error;
    json document;
    if (!ReadWholeFile(m_path, &text, &error) || !ParseDocument(text, &document, &error)) {
        m_error = error + " (the calibration store is left as it is; calibrations are not saved)";
        std::cerr << "Calibration store: " << m_error << std::endl;
        return;
    }
    m_document = std::move(document);
}

std::optional<AxisCalibration> CalibrationStore::Read(const std::string& controller, size_t axis) const
{
    const json& controllers = m_document["controllers"];
    auto it = controllers.find(controller);
    if (it == controllers.end())
        return std::nullopt;
    const json& axes = (*it)["axes"];
    if (axis >= axes.size() || axes[axis].is_null())
        return std::nullopt;
    const json& v = axes[axis];
    return AxisCalibration{v[0].get<int32_t>(), v[1].get<int32_t>(), v[2].get<int32_t>()};
}

bool CalibrationStore::Write(const std::string& controller, size_t axis, const AxisCalibration& calibration)
{
    if (!Writable())
        return false;
    // Another run may have written since this one loaded: start from what the file holds now.
    json document = m_document;
    {
        struct stat info;
        if (stat(m_path.c_str(), &info) == 0) {
            std::string text, error;
            json current;
            if (!ReadWholeFile(m_path, &text, &error) || !ParseDocument(text, &current, &error)) {
                m_error = error + " (the calibration store is left as it is; calibrations are not saved)";
                std::cerr << "Calibration store: " << m_error << std::endl;
                return false;
            }
            document = std::move(current);
        }
    }
    json& entry = document["controllers"][controller];
    if (!entry.is_object())
        entry = json::object({{"axes", json::array()}});
    json& axes = entry["axes"];
    while (axes.size() <= axis)
        axes.push_back(nullptr);
    axes[axis] = json::array({calibration.min, calibration.center, calibration.max});
    if (!Persist(document))
        return false;
    m_document = std::move(document);
    return true;
}

bool CalibrationStore::Persist(const json& document)
{
    const std::string folder = FolderOf(m_path);
    if (!MakeFolders(folder)) {
        std::cerr << "Calibration store: cannot create " << folder << ": " << std::strerror(errno) << std::endl;
        return false;
    }
    // Written beside the store, flushed, then renamed over it: a crash leaves the old file
    // or the new one, never half of either.
    std::string temp = m_path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        std::cerr << "Calibration store: cannot write in " << folder << ": " << std::strerror(errno) << std::endl;
        return false;
    }
    const std::string text = document.dump(2) + "\n";
    size_t written = 0;
    bool ok = true;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        written += static_cast<size_t>(n);
    }
    ok = ok && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && std::rename(temp.c_str(), m_path.c_str()) == 0) {
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            fsync(dir);
            ::close(dir);
        }
        return true;
    }
    std::cerr << "Calibration store: cannot write " << m_path << ": " << std::strerror(errno) << std::endl;
    std::remove(temp.c_str());
    return false;
}

}  // namespace quorvel::drivers
