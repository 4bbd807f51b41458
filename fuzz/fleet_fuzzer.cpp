// libFuzzer target: any bytes as a fleet file must parse or be refused with a located error.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Fleet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    quorvel::drivers::Fleet fleet;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (quorvel::drivers::ParseFleet("fuzz.json", text, &fleet, &error)) {
        for (const auto& c : fleet.controllers)
            for (const auto& a : c.axes) {
                if (a.min >= a.max)
                    std::abort();
                a.ValueAt(1000);
            }
    } else if (error.rfind("fuzz.json:", 0) != 0) {
        std::abort();
    }
    return 0;
}
