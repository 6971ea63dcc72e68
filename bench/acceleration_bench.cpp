#include "acceleration/accelerationplot.h"
#include "acceleration/plotreadout.h"
#include "document/traindata.h"
#include "shared/prompter.h"

#include <benchmark/benchmark.h>

using namespace Orlenda;

namespace {

class SilentPrompter : public Prompter {
public:
    bool ask(const QString&, const QString&, Icon) override { return true; }
};

// The default document with the resistance shown: grid, numbers, the grey
// curve and eight notches.
void BM_AccelerationPlotRedraw(benchmark::State& state) {
    const AccelerationTable table = defaultAccelerationTable();
    const TrainConsist consist{35, 1, 30, 1};
    const PlotChoices choices{0, AccelerationUnit::KmPerHourPerSecond, false};
    SilentPrompter prompter;
    AccelerationPlot plot;
    for (auto _ : state) {
        plot.redraw(table, consist, choices, prompter);
        benchmark::DoNotOptimize(plot.image().constBits());
    }
}
BENCHMARK(BM_AccelerationPlotRedraw)->Unit(benchmark::kMicrosecond);

void BM_AccelerationReadout(benchmark::State& state) {
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plotReadoutText(x, 276, AccelerationUnit::KgfPerTonne));
        x = (x + 7) % AccelerationPlot::Width;
    }
}
BENCHMARK(BM_AccelerationReadout)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
