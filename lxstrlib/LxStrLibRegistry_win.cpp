// On Windows the value is read from the registry, current user first, then the machine.
#include <windows.h>

#include <vector>

#include "LxStrLibPlatform.h"

namespace lxstrlib {

eGetMsgError ReadMessageFolder(const std::string& keyPath, const std::string& valueName, std::string* folder)
{
    bool keySeen = false;
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(hive, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        keySeen = true;
        DWORD type = 0, size = 0;
        LONG result = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size);
        if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
            std::vector<char> data(size + 1, '\0');
            result = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
            RegCloseKey(key);
            if (result == ERROR_SUCCESS) {
                *folder = data.data();
                if (folder->empty())
                    return Fail(eMsgValueMissing, "registry: the value " + valueName + " is empty");
                return eMsgOk;
            }
            continue;
        }
        RegCloseKey(key);
    }
    if (!keySeen)
        return Fail(eMsgKeyMissing, "registry: no key " + keyPath);
    return Fail(eMsgValueMissing, "registry: key " + keyPath + " has no value " + valueName);
}

std::string ToNarrowEncoding(const std::string& utf8)
{
    // Message files are UTF-8; the program sets texts in the ANSI code page.
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wide <= 0)
        return utf8;
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), wide);
    const int narrow = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}

}  // namespace lxstrlib
