// Where there is no registry, the key lives in a small registry stand-in file (INI-like):
//   [HKEY_CURRENT_USER\SOFTWARE\Quorvel\Quorvel Calibration Tool]
//   msgPath=messages            (a relative path starts at the registry file's folder)
// found through QUORVEL_REGISTRY, else beside the program, else in the installed data folder.
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <map>

#include "LxStrLibPlatform.h"

namespace lxstrlib {
namespace {

bool IsFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string ExecutableFolder()
{
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    buffer[n] = '\0';
    return FolderOf(buffer);
}

std::string RegistryFile()
{
    if (const char* explicitPath = std::getenv("QUORVEL_REGISTRY"); explicitPath && *explicitPath)
        return explicitPath;
    const std::string exeDir = ExecutableFolder();
    for (const std::string& candidate : {exeDir + "/registry.ini", exeDir + "/../share/quorvel-calibration/registry.ini"})
        if (IsFile(candidate))
            return candidate;
    return exeDir + "/registry.ini";
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

}  // namespace

// Finds `valueName` under `keyPath` in the registry stand-in; current user before machine.
eGetMsgError ReadRegistryValue(const std::string& file, const std::string& keyPath, const std::string& valueName,
                               std::string* value)
{
    std::ifstream in(file);
    if (!in)
        return Fail(eMsgKeyMissing, file + ": cannot open the registry file, so the key " + keyPath + " is missing");
    std::map<std::string, std::map<std::string, std::string>> sections;
    std::string line, section;
    int number = 0;
    bool keySeen = false;
    while (std::getline(in, line)) {
        ++number;
        const std::string text = Trim(line);
        if (text.empty() || text[0] == ';' || text[0] == '#')
            continue;
        if (text.front() == '[') {
            if (text.back() != ']')
                return Fail(eMsgKeyMissing, file + ":" + std::to_string(number) + ": unterminated key name");
            section = text.substr(1, text.size() - 2);
            continue;
        }
        const size_t eq = text.find('=');
        if (eq == std::string::npos || section.empty())
            return Fail(eMsgKeyMissing, file + ":" + std::to_string(number) + ": expected name=value under a [key]");
        sections[section][Trim(text.substr(0, eq))] = Trim(text.substr(eq + 1));
    }
    for (const char* hive : {"HKEY_CURRENT_USER\\", "HKEY_LOCAL_MACHINE\\"}) {
        for (const auto& [name, values] : sections) {
            if (!EqualsNoCase(name, hive + keyPath))
                continue;
            keySeen = true;
            for (const auto& [valueKey, data] : values) {
                if (EqualsNoCase(valueKey, valueName)) {
                    *value = data;
                    return eMsgOk;
                }
            }
        }
    }
    if (!keySeen)
        return Fail(eMsgKeyMissing, file + ": no key " + keyPath);
    return Fail(eMsgValueMissing, file + ": key " + keyPath + " has no value " + valueName);
}

eGetMsgError ReadMessageFolder(const std::string& keyPath, const std::string& valueName, std::string* folder)
{
    const std::string registry = RegistryFile();
    if (eGetMsgError e = ReadRegistryValue(registry, keyPath, valueName, folder))
        return e;
    if (folder->empty())
        return Fail(eMsgValueMissing, registry + ": the value " + valueName + " is empty");
    if ((*folder)[0] != '/')
        *folder = FolderOf(registry) + "/" + *folder;
    return eMsgOk;
}

std::string ToNarrowEncoding(const std::string& utf8)
{
    return utf8;  // the narrow encoding here is UTF-8
}

}  // namespace lxstrlib
