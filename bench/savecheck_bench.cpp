#include "document/diskfingerprint.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilewriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Orlenda;

namespace {

// A document with sounds on every motor-sound row, as a finished train has.
QByteArray busyFileBytes() {
    TrainData data;
    MotorSoundTable table;
    for (int t = 0; t < TrackCount; ++t) {
        for (int r = 0; r < MotorSoundRows; ++r)
            table.tracks[t][r] = {std::int16_t(1000 + r), std::int16_t(r % 128),
                                  std::int16_t(r % 8)};
    }
    data.setMotorSoundTable(table);
    return encodeShiftJis(trainFileText(data));
}

// A train file as Orlenda writes it (about 40 KB), and its fingerprint as the
// last open or save recorded it.
struct WrittenFile {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("train.dat"));
    DiskFingerprint known;

    WrittenFile() {
        const QByteArray bytes = busyFileBytes();
        writeWholeFile(path, bytes);
        known = fingerprintOfBytes(path, bytes);
    }
};

// The usual case: size and time as recorded, no hash.
void BM_SaveCheckUnchanged(benchmark::State& state) {
    WrittenFile file;
    for (auto _ : state) {
        if (diskStateOf(file.path, file.known) != DiskState::Unchanged)
            state.SkipWithError("not unchanged");
    }
    state.counters["file_KB"] = double(file.known.size) / 1024;
}
BENCHMARK(BM_SaveCheckUnchanged)->Unit(benchmark::kMillisecond);

// The dearest case: the same size at another time (a touch), so the whole
// file is read and hashed.
void BM_SaveCheckTouched(benchmark::State& state) {
    WrittenFile file;
    file.known.modifiedMs -= 5000;
    for (auto _ : state) {
        if (diskStateOf(file.path, file.known) != DiskState::Unchanged)
            state.SkipWithError("not unchanged");
    }
    state.counters["file_KB"] = double(file.known.size) / 1024;
}
BENCHMARK(BM_SaveCheckTouched)->Unit(benchmark::kMillisecond);

// After the write: the fingerprint of the bytes written (hash and a stat).
void BM_FingerprintAfterSave(benchmark::State& state) {
    WrittenFile file;
    const QByteArray bytes = busyFileBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(fingerprintOfBytes(file.path, bytes));
}
BENCHMARK(BM_FingerprintAfterSave)->Unit(benchmark::kMillisecond);

} // namespace
