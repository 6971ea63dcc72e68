#include "sound/soundrender.h"

#include "sound/soundbank.h"
#include "sound/soundrenderer.h"
#include "sound/wavfile.h"

#include <algorithm>
#include <cmath>

namespace Orlenda {

namespace {

constexpr int ChunkFrames = 4800;

template <typename Sink>
void renderChunks(std::shared_ptr<SoundBank> bank, const MotorSoundTable& table,
                  const RenderRequest& request, Sink&& sink) {
    bank->prepareAndWait(soundNumbersUsed(table, request));
    SoundRenderer renderer(bank);
    renderer.publishTable(table);
    if (request.run) {
        renderer.startRun(*request.run, request.speedUp);
    } else {
        renderer.setSpeed(request.speed);
        renderer.setState(request.state);
    }
    std::vector<float> chunk(2 * ChunkFrames);
    for (qint64 left = renderFrames(request, renderer.outputRate()); left > 0;) {
        const int n = int(std::min<qint64>(left, ChunkFrames));
        renderer.render(chunk.data(), n);
        sink(chunk.data(), n);
        left -= n;
    }
}

} // namespace

QList<int> soundNumbersUsed(const MotorSoundTable& table, const RenderRequest& request) {
    // The rows the request passes: a held speed's own, a run's up to its top.
    const int first = request.run ? 0 : SoundRenderer::rowOfSpeed(request.speed);
    const int last = SoundRenderer::rowOfSpeed(request.run ? request.run->topSpeed() : request.speed);
    QList<int> numbers;
    for (int t = 0; t < TrackCount; ++t) {
        const bool power = t == int(Track::P1) || t == int(Track::P2);
        const bool used = request.run || (power ? request.state == DriveState::Power
                                                : request.state == DriveState::Brake);
        if (!used)
            continue;
        for (int r = first; r <= last; ++r) {
            const int index = table.tracks[std::size_t(t)][std::size_t(r)].index;
            if (index >= 0 && !numbers.contains(index))
                numbers.append(index);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

qint64 renderFrames(const RenderRequest& request, int rate) {
    if (!request.run)
        return std::llround(request.seconds * rate);
    const double seconds = request.run->duration() / std::clamp(request.speedUp, 1, 4) +
                           SoundRenderer::StateFadeSeconds;
    return qint64(std::ceil(seconds * rate)) + rate / 200;
}

std::vector<float> renderToBuffer(std::shared_ptr<SoundBank> bank, const MotorSoundTable& table,
                                  const RenderRequest& request) {
    std::vector<float> samples;
    renderChunks(std::move(bank), table, request, [&](const float* chunk, int frames) {
        samples.insert(samples.end(), chunk, chunk + 2 * frames);
    });
    return samples;
}

QByteArray renderToWav(std::shared_ptr<SoundBank> bank, const MotorSoundTable& table,
                       const RenderRequest& request) {
    const int rate = bank->outputRate();
    const qint64 frames = renderFrames(request, rate);
    QByteArray bytes = wavHeader(frames, rate);
    bytes.reserve(bytes.size() + qsizetype(frames * 4));
    renderChunks(std::move(bank), table, request,
                 [&](const float* chunk, int n) { appendPcm16(bytes, chunk, qint64(n) * 2); });
    return bytes;
}

} // namespace Orlenda
