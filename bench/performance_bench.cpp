#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"
#include "performance/performancefigures.h"
#include "performance/referencetrain.h"
#include "performance/ui/performancewindow.h"
#include "shared/prompter.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Orlenda;

namespace {

class SilentPrompter : public Prompter {
public:
    bool ask(const QString&, const QString&, Icon) override { return true; }
};

// Eight notches that all start and run through each region.
AccelerationTable busyTable() {
    AccelerationTable table{};
    for (int n = 0; n < NotchCount; ++n)
        table[std::size_t(n)] = {0.4f + 0.3f * n, 0.35f + 0.3f * n, std::int16_t(20 + 5 * n),
                                 std::int16_t(40 + 10 * n), 2.0f + 0.2f * n};
    return table;
}

void BM_PerformanceFiguresEightNotches(benchmark::State& state) {
    TrainData data;
    data.setAccelerationTable(busyTable());
    const PerformanceTrain train = performanceTrain(data);
    for (auto _ : state) {
        PerformanceFigures figures = computePerformance(train, 5);
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_PerformanceFiguresEightNotches)->Unit(benchmark::kMicrosecond);

// The window's full update with a reference: figures of both trains, both
// tables and the run-curve plot with the runs of the notches given (1 to 8
// from the first; the target is 3 ms with all eight and their reference runs).
void BM_PerformanceWindowRefresh(benchmark::State& state) {
    TrainData data;
    data.setAccelerationTable(busyTable());
    SilentPrompter prompter;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("reference.dat"));
    // A reference whose eight notches all run too, each a little weaker.
    TrainData other;
    AccelerationTable weaker = busyTable();
    for (AccelerationRow& row : weaker)
        row.accel1 *= 0.9f;
    other.setAccelerationTable(weaker);
    writeWholeFile(path, encodeShiftJis(trainFileText(other)));
    ReferenceTrain reference;
    if (!reference.load(path, prompter))
        state.SkipWithError("the reference could not be read");
    PerformanceWindow window(
        data, reference, prompter, [](QWidget*) { return QString(); }, nullptr);
    window.show();
    QList<int> notches;
    for (int n = 0; n < state.range(0); ++n)
        notches << n;
    window.setRunNotches(notches);
    for (auto _ : state) {
        window.refresh();
        benchmark::DoNotOptimize(window.plotImage().constBits());
    }
}
BENCHMARK(BM_PerformanceWindowRefresh)->Arg(1)->Arg(NotchCount)->Unit(benchmark::kMicrosecond);

} // namespace
