// Benchmarks run the dialog offscreen on simulated controllers.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "LxStrLib.h"
#include "testing/FrameworkTesting.h"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    afx::testing::InitializePlatform(argc, argv);
    LxInitStrTools("SOFTWARE\\Quorvel\\Quorvel Calibration Tool", "msgPath");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    afx::testing::ShutdownPlatform();
    return 0;
}
