#include "document/fieldreader.h"
#include "document/openfile.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilereader.h"
#include "document/trainfilewriter.h"
#include "shared/prompter.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Orlenda;

namespace {

class SilentPrompter : public Prompter {
public:
    bool ask(const QString&, const QString&, Icon) override { return true; }
};

// A document whose tables are not the defaults, so every row is written out in full.
void fillDocument(TrainData& data) {
    MotorSoundTable motor{};
    for (int r = 0; r < MotorSoundRows; ++r) {
        for (int t = 0; t < TrackCount; ++t)
            motor.tracks[t][r] = {std::int16_t(100 + r), std::int16_t(r % 128), std::int16_t(r % 8)};
    }
    data.setMotorSoundTable(motor);
    AccelerationTable acceleration{};
    for (int i = 0; i < NotchCount; ++i)
        acceleration[i] = {2.5f + i, 2.25f, std::int16_t(30 + i), 48, 0.95f};
    data.setAccelerationTable(acceleration);
}

void BM_SaveToText(benchmark::State& state) {
    TrainData data;
    fillDocument(data);
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeShiftJis(trainFileText(data)));
}
BENCHMARK(BM_SaveToText)->Unit(benchmark::kMicrosecond);

void BM_BuildText(benchmark::State& state) {
    TrainData data;
    fillDocument(data);
    for (auto _ : state)
        benchmark::DoNotOptimize(trainFileText(data));
}
BENCHMARK(BM_BuildText)->Unit(benchmark::kMicrosecond);

void BM_ReadFromText(benchmark::State& state) {
    TrainData source;
    fillDocument(source);
    const QByteArray bytes = encodeShiftJis(trainFileText(source));
    TrainData data;
    SilentPrompter prompter;
    for (auto _ : state) {
        data.newDocument();
        FieldReader reader(decodeTrainFileBytes(bytes));
        reader.readField();
        data.setFormatVersion(2000000);
        openDat(data, reader, prompter);
    }
}
BENCHMARK(BM_ReadFromText)->Unit(benchmark::kMicrosecond);

void BM_OpenAndSaveFile(benchmark::State& state) {
    QTemporaryDir dir;
    TrainData data;
    fillDocument(data);
    data.setDocumentPath(dir.filePath(QStringLiteral("train.dat")));
    SilentPrompter prompter;
    save(data, prompter);
    const QString path = data.documentPath();
    for (auto _ : state) {
        openFile(data, path, prompter);
        save(data, prompter);
    }
}
BENCHMARK(BM_OpenAndSaveFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
