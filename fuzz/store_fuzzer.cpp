// libFuzzer target: any bytes as a store file are read or refused, and a refused store is
// never rewritten.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "CalibrationStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/quorvel-store-fuzz-" + std::to_string(getpid()) + ".json";
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    quorvel::drivers::CalibrationStore store(path);
    store.Load();
    if (!store.Writable()) {
        if (store.Write("wheel-1", 0, {1, 2, 3}))
            std::abort();
        std::ifstream in(path, std::ios::binary);
        std::ostringstream now;
        now << in.rdbuf();
        if (now.str() != text)
            std::abort();
    } else {
        for (size_t axis = 0; axis < 8; ++axis)
            store.Read("wheel-1", axis);
    }
    return 0;
}
