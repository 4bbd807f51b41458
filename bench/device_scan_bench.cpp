// One device scan with 16 supported controllers attached: it runs every 250 ms, so it must
// stay far below that.
#include <benchmark/benchmark.h>

#include "BenchDialog.h"

static void BM_RefreshDeviceList16(benchmark::State& state)
{
    auto dlg = OpenBenchDialog(16);
    dlg->RefreshDeviceList();  // the first scan fills the list; later ones find no change
    for (auto _ : state)
        dlg->RefreshDeviceList();
    state.counters["controllers"] = dlg->m_nDeviceCount;
    dlg->DestroyWindow();
    quorvel::drivers::InstallControllerDriver(nullptr);
}
BENCHMARK(BM_RefreshDeviceList16)->Unit(benchmark::kMicrosecond);

// A scan that finds a changed list refills the box and opens entry 0.
static void BM_RefreshDeviceList16Changed(benchmark::State& state)
{
    auto dlg = OpenBenchDialog(16);
    for (auto _ : state) {
        dlg->m_nShownCount = 0;
        dlg->RefreshDeviceList();
    }
    dlg->DestroyWindow();
    quorvel::drivers::InstallControllerDriver(nullptr);
}
BENCHMARK(BM_RefreshDeviceList16Changed)->Unit(benchmark::kMicrosecond);
