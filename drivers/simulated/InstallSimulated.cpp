// Makes the simulated controllers the embedded default driver of the program: linked into
// the executable only, so that tests choose their own controllers.
#include "SimulatedDriver.h"

namespace quorvel::drivers {
void SetDefaultDriverFactory(std::shared_ptr<ControllerDriver> (*factory)());
}

namespace {
std::shared_ptr<quorvel::drivers::ControllerDriver> CreateDefault()
{
    return quorvel::drivers::CreateSimulatedDriverFromEnvironment();
}

struct InstallDefault {
    InstallDefault() { quorvel::drivers::SetDefaultDriverFactory(&CreateDefault); }
} const kInstallDefault;
}  // namespace
