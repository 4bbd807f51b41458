// Makes the simulated controllers the embedded default driver of the program: linked into
// the executable only, so that tests choose their own controllers.
#include "SimulatedDriver.h"
#include "VirtualControllerPanel.h"

namespace quorvel::drivers {
void SetDefaultDriverFactory(std::shared_ptr<ControllerDriver> (*factory)());
}

namespace {
std::shared_ptr<quorvel::drivers::ControllerDriver> CreateDefault()
{
    auto driver = quorvel::drivers::CreateSimulatedDriverFromEnvironment();
    // The driver is made when the program opens DirectInput, with the window system up.
    quorvel::drivers::ShowPanelIfWanted(driver);
    return driver;
}

struct InstallDefault {
    InstallDefault() { quorvel::drivers::SetDefaultDriverFactory(&CreateDefault); }
} const kInstallDefault;
}  // namespace
