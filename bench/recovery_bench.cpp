#include "document/documenthistory.h"
#include "document/recoverycopy.h"
#include "document/recoverykeeper.h"
#include "document/traindata.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Orlenda;

namespace {

MotorSoundTable busyTable(int seed) {
    MotorSoundTable table;
    for (int t = 0; t < TrackCount; ++t) {
        for (int r = 0; r < MotorSoundRows; ++r)
            table.tracks[t][r] = {std::int16_t(100 + r + seed), std::int16_t(r % 128),
                                  std::int16_t(r % 8)};
    }
    return table;
}

// A sub-editor's OK writing a whole motor-sound table: the largest step.
void BM_RecordMotorTableStep(benchmark::State& state) {
    TrainData data;
    data.keepHistory();
    const MotorSoundTable tables[] = {busyTable(0), busyTable(1)};
    const DocumentState before = data.state();
    data.edit(motorSoundStepName(), [&] { data.setMotorSoundTable(tables[1]); });
    const qsizetype bytes = stateBytes(before, data.state(&before));
    int i = 0;
    for (auto _ : state)
        data.edit(motorSoundStepName(), [&] { data.setMotorSoundTable(tables[++i % 2]); });
    state.counters["step_KB"] = double(bytes) / 1024;
}
BENCHMARK(BM_RecordMotorTableStep)->Unit(benchmark::kMicrosecond);

// The part of a write that runs on the GUI thread, where typing could wait for it.
void BM_BuildRecoveryCopy(benchmark::State& state) {
    TrainData data;
    data.setMotorSoundTable(busyTable(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(recoveryCopyBytes(data, QDateTime::currentDateTimeUtc()));
}
BENCHMARK(BM_BuildRecoveryCopy)->Unit(benchmark::kMicrosecond);

// Building the copy and writing it to disk, fsync included: the writer
// thread's time, which the disk decides.
void BM_WriteRecoveryCopy(benchmark::State& state) {
    QTemporaryDir dir;
    qputenv("XDG_STATE_HOME", dir.path().toUtf8());
    TrainData data;
    data.setMotorSoundTable(busyTable(0));
    RecoveryKeeper keeper(data);
    for (auto _ : state)
        keeper.writeNow();
}
BENCHMARK(BM_WriteRecoveryCopy)->Unit(benchmark::kMillisecond);

} // namespace
