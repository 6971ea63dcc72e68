#include "document/traindata.h"
#include "performance/performancefigures.h"
#include "sound/runprofile.h"
#include "sound/soundbank.h"
#include "sound/soundfolder.h"
#include "sound/soundrenderer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <vector>

using namespace Orlenda;

namespace {

// A second of a 441 Hz sine at 44.1 kHz, peak 0.5, as sound 0.
void writeSine(const QString& path) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    std::vector<float> samples(44100);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(0.5 * std::sin(2 * std::numbers::pi * 441 * double(i) / 44100));
    sf_writef_float(f, samples.data(), sf_count_t(samples.size()));
    sf_close(f);
}

// The new document's notch 1 from standstill to 50 km/h (227 s of the run),
// every track playing sound 0 at full volume, so two sound at once.
void BM_RenderRunNotch1To50(benchmark::State& state) {
    QTemporaryDir dir;
    writeSine(dir.filePath(QStringLiteral("0.wav")));
    auto bank = std::make_shared<SoundBank>();
    bank->setFolder(SoundFolder(dir.path()));
    bank->prepareAndWait({0});
    const TrainData data;
    MotorSoundTable table = data.motorSoundTable();
    for (auto& track : table.tracks)
        for (int r = 0; r < MotorSoundRows; ++r)
            track[std::size_t(r)] = {table[Track::P1][std::size_t(r)].pitch, 127, 0};
    const RunProfile profile =
        std::get<RunProfile>(RunProfile::make(performanceTrain(data), 1, 50));
    const double seconds = profile.timeToReach(50);
    const int frames = int(seconds * bank->outputRate());
    std::vector<float> block(2 * 480);
    for (auto _ : state) {
        SoundRenderer renderer(bank);
        renderer.publishTable(table);
        renderer.startRun(profile, 1);
        for (int done = 0; done < frames; done += 480)
            renderer.render(block.data(), 480);
        benchmark::DoNotOptimize(block.data());
    }
    // Seconds of sound per second of this thread's CPU time (the machine may
    // be shared): how many times faster than real time on one core.
    state.counters["realtime"] =
        benchmark::Counter(seconds * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderRunNotch1To50)->Unit(benchmark::kMillisecond)->MinTime(3);

// A folder of 10,000 files listed, and the default rule worked out for it.
void BM_ListFolderOf10000Files(benchmark::State& state) {
    QTemporaryDir dir;
    for (int i = 0; i < 10000; ++i) {
        const char* kinds[] = {"motor%1.wav", "Run_%1.OGG", "take%1.flac", "note%1.txt"};
        QFile f(dir.filePath(QString::fromLatin1(kinds[i % 4]).arg(i % 3000)));
        f.open(QIODevice::WriteOnly);
    }
    for (auto _ : state) {
        const SoundFolder folder(dir.path());
        benchmark::DoNotOptimize(folder.defaultFile(7));
    }
}
BENCHMARK(BM_ListFolderOf10000Files)->Unit(benchmark::kMillisecond);

} // namespace
