#pragma once

// Sounds the sound tests make themselves, and what they measure in a render.

#include "document/motorsoundtable.h"
#include "sound/soundbank.h"
#include "sound/soundrenderer.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <sndfile.h>
#include <vector>

namespace Orlenda {

enum class Wave { Sine, Saw };

// Writes a looped wave of peak 0.5 (or peak) as a sound file.
inline void writeWave(const QString& path, double hz, double seconds, int rate = 44100,
                      int channels = 1, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                      Wave wave = Wave::Sine, double peak = 0.5) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    const auto frames = sf_count_t(seconds * rate);
    std::vector<float> samples(std::size_t(frames * channels));
    for (sf_count_t i = 0; i < frames; ++i) {
        const double phase = hz * double(i) / rate;
        const double x = wave == Wave::Sine ? std::sin(2 * std::numbers::pi * phase)
                                            : 2 * (phase - std::floor(phase)) - 1;
        for (int c = 0; c < channels; ++c)
            samples[std::size_t(i * channels + c)] = float(peak * x);
    }
    sf_writef_float(f, samples.data(), frames);
    sf_close(f);
}

// Every track silent but those set.
inline MotorSoundTable silentTable() {
    MotorSoundTable table;
    for (auto& track : table.tracks)
        track.fill(MotorSoundEntry{100, 127, SilentSoundIndex});
    return table;
}

inline MotorSoundTable tableWith(Track t, MotorSoundEntry e, MotorSoundTable table = silentTable()) {
    table[t].fill(e);
    return table;
}

// A folder of sounds, a bank on it and a renderer playing it.
struct SoundTest : ::testing::Test {
    QTemporaryDir dir;
    std::shared_ptr<SoundBank> bank = std::make_shared<SoundBank>();

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Lists the folder into the bank and decodes numbers.
    void useFolder(const QList<int>& numbers) {
        bank->setFolder(SoundFolder(dir.path()));
        bank->prepareAndWait(numbers);
    }

    static std::vector<float> render(SoundRenderer& r, double seconds) {
        std::vector<float> out(std::size_t(2 * std::lround(seconds * r.outputRate())));
        r.render(out.data(), int(out.size() / 2));
        return out;
    }
};

// The left channel of interleaved stereo from frame first on.
inline std::vector<float> leftFrom(const std::vector<float>& stereo, std::size_t first = 0) {
    std::vector<float> left;
    for (std::size_t i = 2 * first; i < stereo.size(); i += 2)
        left.push_back(stereo[i]);
    return left;
}

// The frequency from the upward zero crossings, interpolated between samples.
inline double frequencyOf(const std::vector<float>& x, int rate) {
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < x.size(); ++i) {
        if (x[i - 1] < 0 && x[i] >= 0) {
            const double t = double(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
            if (first < 0)
                first = t;
            last = t;
            ++crossings;
        }
    }
    return crossings < 2 ? 0 : (crossings - 1) * rate / (last - first);
}

inline double peakOf(const std::vector<float>& x) {
    double peak = 0;
    for (float v : x)
        peak = std::max(peak, double(std::fabs(v)));
    return peak;
}

inline double rmsOf(const std::vector<float>& x) {
    double sum = 0;
    for (float v : x)
        sum += double(v) * v;
    return x.empty() ? 0 : std::sqrt(sum / double(x.size()));
}

inline double largestStep(const std::vector<float>& x) {
    double step = 0;
    for (std::size_t i = 1; i < x.size(); ++i)
        step = std::max(step, double(std::fabs(x[i] - x[i - 1])));
    return step;
}

} // namespace Orlenda
