#include "document/traindata.h"
#include "motorsound/motorsoundeditor.h"
#include "motorsound/motorsoundcsv.h"
#include "motorsound/motorsoundgraph.h"
#include "motorsound/motorsoundscales.h"
#include "motorsound/rubberband.h"
#include "shared/prompter.h"
#include "shared/workingcopyhistory.h"

#include <benchmark/benchmark.h>

using namespace Orlenda;

namespace {

class SilentPrompter : public Prompter {
public:
    bool ask(const QString&, const QString&, Icon) override { return true; }
};

// Two sounding tracks, so both passes draw every mark.
MotorSoundTable busyTable() {
    MotorSoundTable table = defaultMotorSoundTable();
    table[Track::P2] = table[Track::B1];
    return table;
}

void BM_MotorSoundFullRedraw(benchmark::State& state) {
    const MotorSoundTable table = busyTable();
    QImage image;
    for (auto _ : state) {
        MotorSoundGraph::paint(image, table, {1, 0, false});
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_MotorSoundFullRedraw)->Unit(benchmark::kMicrosecond);

// Erase the widest line and draw it to the next pointer position.
void BM_MotorSoundRubberBandStep(benchmark::State& state) {
    QImage image = MotorSoundGraph::render(busyTable(), {});
    const QPoint start(0, 799);
    QPoint end(799, 1);
    RubberBand::draw(image, RubberBand::Shape::Line, start, end);
    for (auto _ : state) {
        const QPoint next(799, end.y() == 1 ? 3 : 1);
        RubberBand::draw(image, RubberBand::Shape::Line, start, end);
        RubberBand::draw(image, RubberBand::Shape::Line, start, next);
        end = next;
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_MotorSoundRubberBandStep)->Unit(benchmark::kMicrosecond);

// An editor on the busy table with the pitch tool chosen.
struct PitchEditor {
    PitchEditor() {
        editor.load(busyTable());
        editor.selectTool(MotorSoundTool::Pitch);
    }
    MotorSoundCopyBuffer buffer;
    SilentPrompter prompter;
    MotorSoundEditor editor{buffer, prompter};
};

// The whole pointer move of a pending edit: read-out text and the band step.
void BM_MotorSoundPointerMoveWhilePending(benchmark::State& state) {
    PitchEditor pitch;
    MotorSoundEditor& editor = pitch.editor;
    editor.press(Qt::LeftButton, 0, 799);
    double y = 1;
    for (auto _ : state) {
        y = y == 1 ? 3 : 1;
        editor.move(799, y);
    }
}
BENCHMARK(BM_MotorSoundPointerMoveWhilePending)->Unit(benchmark::kMicrosecond);

// A pitch line over all 800 rows, its redraw included (the first press too).
void BM_MotorSoundWidestEditAndRedraw(benchmark::State& state) {
    PitchEditor pitch;
    MotorSoundEditor& editor = pitch.editor;
    for (auto _ : state) {
        editor.press(Qt::LeftButton, 0, 700);
        editor.press(Qt::LeftButton, 799, 1);
    }
}
BENCHMARK(BM_MotorSoundWidestEditAndRedraw)->Unit(benchmark::kMicrosecond);

// The largest step of the window's history: the whole table changed (a start
// over). The history is full, so each record also drops the oldest step.
void BM_MotorSoundWholeTableStep(benchmark::State& state) {
    const MotorSoundTable tables[] = {busyTable(), defaultMotorSoundTable()};
    WorkingCopyHistory<MotorSoundTable> history([](const MotorSoundTable&, int) {});
    int k = 0;
    for (auto _ : state) {
        history.record(QString(), tables[k], tables[1 - k], 0);
        k = 1 - k;
    }
    state.counters["StepBytes"] = double(2 * sizeof(MotorSoundTable));
}
BENCHMARK(BM_MotorSoundWholeTableStep)->Unit(benchmark::kMicrosecond);

// The view enlarged to the whole graph: the graph and its scales, all painted again.
void BM_MotorSoundFullSizeViewRedraw(benchmark::State& state) {
    const MotorSoundTable table = busyTable();
    QImage graph;
    QImage scales;
    for (auto _ : state) {
        MotorSoundGraph::paint(graph, table, {1, 0, false});
        MotorSoundScales::paint(scales, QSize(800, 800), QPoint(0, 0), false);
        benchmark::DoNotOptimize(graph.constBits());
        benchmark::DoNotOptimize(scales.constBits());
    }
}
BENCHMARK(BM_MotorSoundFullSizeViewRedraw)->Unit(benchmark::kMicrosecond);

// A pointer move with nothing pending: the stored row's read-out.
void BM_MotorSoundPointerReadout(benchmark::State& state) {
    PitchEditor pitch;
    double x = 0;
    for (auto _ : state) {
        x = x >= 799 ? 0 : x + 1;
        pitch.editor.move(x, 400);
    }
}
BENCHMARK(BM_MotorSoundPointerReadout)->Unit(benchmark::kMicrosecond);

// Reading a track's CSV and putting it into the working copy, redraw included.
void BM_MotorSoundImportTrack(benchmark::State& state) {
    PitchEditor pitch;
    const QByteArray csv = motorSoundCsv(busyTable()[Track::B1]);
    for (auto _ : state) {
        const MotorSoundCsvResult read = readMotorSoundCsv(csv);
        pitch.editor.importTrack(read.track);
    }
}
BENCHMARK(BM_MotorSoundImportTrack)->Unit(benchmark::kMicrosecond);

} // namespace
