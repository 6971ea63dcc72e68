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

// The same with a reference train's eight curves dashed under the document's.
void BM_AccelerationPlotWithReference(benchmark::State& state) {
    const AccelerationTable table = defaultAccelerationTable();
    AccelerationTable other{};
    for (int n = 0; n < NotchCount; ++n)
        other[std::size_t(n)] = {0.5f + 0.3f * n, 0.4f + 0.3f * n, std::int16_t(20 + 5 * n),
                                 std::int16_t(40 + 10 * n), 2.0f};
    const TrainConsist consist{35, 1, 30, 1};
    const PlotChoices choices{0, AccelerationUnit::KmPerHourPerSecond, false};
    SilentPrompter prompter;
    AccelerationPlot plot;
    plot.setReference(ReferenceCurves{other, {40, 4, 30, 6}});
    for (auto _ : state) {
        plot.redraw(table, consist, choices, prompter);
        benchmark::DoNotOptimize(plot.image().constBits());
    }
}
BENCHMARK(BM_AccelerationPlotWithReference)->Unit(benchmark::kMicrosecond);

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
