// One 10 ms poll with five tracked axes: the state read, the filter, five bars drawn
// off-screen and copied to the window, and the labels.
#include <benchmark/benchmark.h>

#include "BenchDialog.h"
#include "clock.h"

static void BM_TrackAxesFiveBars(benchmark::State& state)
{
    quorvel::ManualClock clock(0);
    auto dlg = OpenBenchDialog(1);
    dlg->RefreshDeviceList();
    // Track the pedals too, so that all five axes are drawn.
    dlg->GetDlgItem(IDC_INCLUDE_PEDALS)->SendMessage(BM_SETCHECK, BST_CHECKED);
    for (auto _ : state) {
        clock.Advance(10);  // the axes sweep, so every tick records and redraws
        dlg->TrackAxes();
    }
    state.counters["axes"] = dlg->m_nAxisCount;
    dlg->DestroyWindow();
    quorvel::drivers::InstallControllerDriver(nullptr);
}
BENCHMARK(BM_TrackAxesFiveBars)->Unit(benchmark::kMicrosecond);

static void BM_DrawAxisBar(benchmark::State& state)
{
    auto dlg = OpenBenchDialog(0);
    int fill = 0;
    for (auto _ : state) {
        dlg->DrawAxisBar(30, 325, "Axis X", fill, 0x2080E0, 0x3090F0);
        fill = (fill + 1) % 257;
    }
    dlg->DestroyWindow();
    quorvel::drivers::InstallControllerDriver(nullptr);
}
BENCHMARK(BM_DrawAxisBar)->Unit(benchmark::kMicrosecond);
