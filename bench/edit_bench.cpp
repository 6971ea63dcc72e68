#include "document/documenthistory.h"
#include "document/traindata.h"
#include "form/fieldchecks.h"
#include "form/stepname.h"

#include <benchmark/benchmark.h>

using namespace Orlenda;

namespace {

MotorSoundTable busyTable() {
    MotorSoundTable table{};
    for (int t = 0; t < TrackCount; ++t) {
        for (int r = 0; r < MotorSoundRows; ++r)
            table.tracks[t][r] = {std::int16_t(100 + r), std::int16_t(r % 128), std::int16_t(r % 8)};
    }
    return table;
}

// A committed field edit as the form makes it: three keystrokes into the
// deceleration, then the field left, its check run and the step recorded. The
// value alternates between the saved one and another, so every edit is a step
// and the mark turns on and off through the comparison with the saved state.
void BM_CommittedFieldEdit(benchmark::State& state) {
    TrainData data;
    TrainData read;
    read.setMotorSoundTable(busyTable());
    data.keepHistory().setFieldNamer(&fieldStepName);
    data.adopt(read);
    int marks = 0;
    int steps = 0;
    QObject::connect(&data, &TrainData::modifiedChanged, [&] { ++marks; });
    QObject::connect(&data, &TrainData::stepCommitted, [&] { ++steps; });
    const QString values[] = {QStringLiteral("3.5"), data.text(txtPer(0))};
    int i = 0;
    for (auto _ : state) {
        const QString& value = values[i++ % 2];
        for (qsizetype n = 1; n <= value.size(); ++n)
            data.type([&] { data.setText(txtPer(0), value.left(n)); });
        data.edit(fieldStepName(txtPer(0)), [&] { applyFieldCheck(data, txtPer(0)); });
    }
    if (steps < i || marks < i)
        state.SkipWithError("an edit made no step or left the mark alone");
}
BENCHMARK(BM_CommittedFieldEdit)->Unit(benchmark::kMicrosecond);

} // namespace
