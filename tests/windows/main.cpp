// The Windows suite's entry point: the common controls, and the message strings from the
// folder given in QUORVEL_MESSAGES_DIR (a Windows path), registered for the current user.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "LxStrLib.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    InitCommonControls();
    const char* messages = std::getenv("QUORVEL_MESSAGES_DIR");
    if (messages == nullptr || *messages == '\0') {
        std::fprintf(stderr, "QUORVEL_MESSAGES_DIR must name the message folder\n");
        return 2;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Quorvel\\Quorvel Calibration Tool", 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 2;
    RegSetValueExA(key, "msgPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(messages), static_cast<DWORD>(strlen(messages) + 1));
    RegCloseKey(key);
    if (LxInitStrTools("SOFTWARE\\Quorvel\\Quorvel Calibration Tool", "msgPath") != 0)
        return 2;
    return RUN_ALL_TESTS();
}
