// Test entry point: the window system offscreen, the message strings from the project's own
// files, and a calibration store that is never the user's.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "LxStrLib.h"
#include "testing/FrameworkTesting.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::filesystem::path temp = std::filesystem::temp_directory_path() / ("quorvel-tests-" + std::to_string(getpid()));
    std::filesystem::create_directories(temp / "runtime");
    std::filesystem::permissions(temp / "runtime", std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (temp / "runtime").c_str(), 0);
    setenv("QUORVEL_CALIBRATION_STORE", (temp / "store.json").c_str(), 1);
    const std::filesystem::path registry = temp / "registry.ini";
    std::ofstream(registry) << "[HKEY_CURRENT_USER\\SOFTWARE\\Quorvel\\Quorvel Calibration Tool]\nmsgPath="
                            << QUORVEL_MESSAGES_DIR << "\n";
    setenv("QUORVEL_REGISTRY", registry.c_str(), 1);
    setenv("LANG", "C", 1);
    setenv("LC_ALL", "C", 1);
    afx::testing::InitializePlatform(argc, argv);
    if (LxInitStrTools("SOFTWARE\\Quorvel\\Quorvel Calibration Tool", "msgPath") != 0)
        return 2;
    const int result = RUN_ALL_TESTS();
    afx::testing::ShutdownPlatform();
    std::filesystem::remove_all(temp);
    return result;
}
