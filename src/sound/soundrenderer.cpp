#include "sound/soundrenderer.h"

#include "sound/soundbank.h"

#include <algorithm>
#include <cmath>
#include <samplerate.h>
#include <vector>

namespace Orlenda {

namespace {

constexpr int VoicesPerTrack = 2;
static_assert(TrackCount * VoicesPerTrack == SoundVoiceHolds::Count);
// Most src_process calls a voice makes for one block; a guard against a
// converter that stops taking input.
constexpr int MaxConverterCalls = 4096;
// The longest piece of a sound handed to the converter at once.
constexpr long MaxInputFrames = 8192;
constexpr double MinRatio = 1.0 / 256;
constexpr double MaxRatio = 256;
constexpr double LimiterReleaseSeconds = 0.05;

bool isPowerTrack(int t) {
    return t == int(Track::P1) || t == int(Track::P2);
}

} // namespace

int SoundRenderer::rowOfSpeed(double kmh) {
    if (!(kmh > 0))
        return 0;
    const double r = std::floor(kmh * MotorSoundRowsPerKmh + 1e-9);
    return r >= MotorSoundRows - 1 ? MotorSoundRows - 1 : int(r);
}

// Everything the audio thread changes, made once in the constructor.
struct SoundRenderer::Engine {
    // One sound playing (or fading out) on a track.
    struct Voice {
        int number = SilentSoundIndex;
        const DecodedSound* sound = nullptr;
        std::atomic<const DecodedSound*>* hold = nullptr;
        SRC_STATE* mono = nullptr;
        SRC_STATE* stereo = nullptr;
        long position = 0; // next input frame
        double fade = 0;   // cross-fade weight
        double fadeTarget = 0;
        bool active = false;

        SRC_STATE* converter() const { return sound && sound->channels == 2 ? stereo : mono; }
        void letGo() {
            sound = nullptr;
            hold->store(nullptr, std::memory_order_seq_cst);
        }
    };

    struct TrackState {
        Voice voices[VoicesPerTrack]; // [0] current, [1] fading out
        double stateGain = 0;         // the fade of a change of state
        double gain = 0;              // volume / 127, or 0 where silent
        double ratio = 1;             // output over input frames
        bool started = false;
    };

    SoundBank& bank;
    const int rate;
    const int blockFrames;
    const int delayFrames;
    const double fadeStep;
    SoundVoiceHolds holds;
    TrackState tracks[TrackCount];

    std::vector<float> voiceOut;  // one voice's block, up to stereo
    std::vector<float> mix;       // the block's sum
    std::vector<float> block;     // the block after the limiter
    int blockUsed = 0;            // frames of block already handed out

    // The limiter: the mix delayed by delayFrames, and the gain each frame
    // needs to stay within full scale (1 where it needs none).
    std::vector<float> delayLine;
    std::vector<float> needed;
    std::vector<std::int64_t> neededAt;
    int delayPos = 0;
    int loudFrames = 0; // frames in the delay line needing a gain below 1
    double limiterGain = 1;
    double releaseStep;
    std::int64_t mixFrames = 0;

    // The run, as the audio thread keeps it.
    const RunRequest* run = nullptr;
    std::uint32_t runSerial = 0;
    bool runActive = false;
    bool runFinished = false;
    double runTime = 0;

    Engine(SoundBank& b, int outputRate)
        : bank(b), rate(outputRate), blockFrames(std::max(1, outputRate / 200)),
          delayFrames(std::max(1, outputRate / 200)),
          fadeStep(1.0 / (CrossFadeSeconds * outputRate)),
          voiceOut(std::size_t(2 * blockFrames)), mix(std::size_t(2 * blockFrames)),
          block(std::size_t(2 * blockFrames)), delayLine(std::size_t(2 * (delayFrames + 1))),
          needed(std::size_t(delayFrames + 1), 1.0f), neededAt(std::size_t(delayFrames + 1), 0),
          releaseStep(1.0 / (LimiterReleaseSeconds * outputRate)) {
        blockUsed = blockFrames;
        int slot = 0;
        for (TrackState& t : tracks)
            for (Voice& v : t.voices) {
                int error = 0;
                v.mono = src_new(SRC_SINC_FASTEST, 1, &error);
                v.stereo = src_new(SRC_SINC_FASTEST, 2, &error);
                v.hold = &holds.held[slot++];
            }
        bank.addHolds(&holds);
    }

    ~Engine() {
        for (TrackState& t : tracks)
            for (Voice& v : t.voices) {
                v.letGo();
                if (v.mono)
                    src_delete(v.mono);
                if (v.stereo)
                    src_delete(v.stereo);
            }
        // Last, so that the bank frees what only this renderer held.
        bank.removeHolds(&holds);
    }

    // The voice starts number from its beginning, if the bank has it.
    void start(Voice& v, int number, double ratio) {
        v.letGo();
        v.number = number;
        v.position = 0;
        v.active = true;
        if (number >= 0)
            v.sound = bank.soundForAudio(number, *v.hold);
        if (SRC_STATE* c = v.converter()) {
            src_reset(c);
            src_set_ratio(c, ratio);
        }
    }

    void setTrack(TrackState& t, const MotorSoundEntry& e, bool sounding) {
        const int number = e.index < 0 ? SilentSoundIndex : e.index;
        const double targetStateGain = sounding ? 1 : 0;
        const bool silent = t.stateGain == 0 && targetStateGain == 0;
        Voice& current = t.voices[0];
        Voice& fading = t.voices[1];
        // A sound the bank replaced or dropped, or one decoded since, counts
        // as a change of sound.
        const DecodedSound* published = number >= 0 ? bank.publishedForAudio(number) : nullptr;
        const bool changed = !t.started || number != current.number || published != current.sound;
        if (e.pitch > 0)
            t.ratio = std::clamp(100.0 / e.pitch, MinRatio, MaxRatio);
        if (changed) {
            if (silent || !t.started) {
                fading.letGo();
                fading.active = false;
                start(current, number, t.ratio);
                current.fade = current.fadeTarget = 1;
                t.started = true;
            } else if (!fading.active) {
                std::swap(current, fading);
                fading.fadeTarget = 0;
                start(current, number, t.ratio);
                current.fade = 0;
                current.fadeTarget = 1;
            }
            // else: the change waits until the cross-fade under way ends.
        }
    }

    // Adds one voice's block to the mix at the track's gains.
    void renderVoice(TrackState& t, Voice& v, double stateFrom, double stateTo, double gainFrom,
                     double gainTo) {
        const DecodedSound* s = v.sound;
        SRC_STATE* c = v.converter();
        const int frames = blockFrames;
        const int channels = s->channels;
        int produced = 0;
        for (int calls = 0; produced < frames && calls < MaxConverterCalls; ++calls) {
            SRC_DATA data{};
            data.data_in = s->samples.data() + std::size_t(v.position) * std::size_t(channels);
            data.input_frames = std::min<long>(MaxInputFrames, long(s->frames) - v.position);
            data.data_out = voiceOut.data() + std::size_t(produced) * std::size_t(channels);
            data.output_frames = frames - produced;
            data.src_ratio = t.ratio;
            if (src_process(c, &data) != 0)
                break;
            v.position += data.input_frames_used;
            if (v.position >= s->frames)
                v.position = 0; // looped
            produced += int(data.output_frames_gen);
            if (data.input_frames_used == 0 && data.output_frames_gen == 0)
                break;
        }
        std::fill(voiceOut.begin() + std::ptrdiff_t(produced) * channels,
                  voiceOut.begin() + std::ptrdiff_t(frames) * channels, 0.0f);

        double fade = v.fade;
        const double fadeDelta = v.fadeTarget > fade ? fadeStep : -fadeStep;
        for (int i = 0; i < frames; ++i) {
            if (fade != v.fadeTarget) {
                fade += fadeDelta;
                if ((fadeDelta > 0 && fade > v.fadeTarget) || (fadeDelta < 0 && fade < v.fadeTarget))
                    fade = v.fadeTarget;
            }
            const double x = double(i + 1) / frames;
            const double g = (gainFrom + (gainTo - gainFrom) * x) *
                             (stateFrom + (stateTo - stateFrom) * x) * fade;
            const float l = voiceOut[std::size_t(i * channels)];
            const float r = channels == 2 ? voiceOut[std::size_t(i * 2 + 1)] : l;
            mix[std::size_t(2 * i)] += float(g * l);
            mix[std::size_t(2 * i + 1)] += float(g * r);
        }
        v.fade = fade;
    }

    // The state fade after a block: it moves by a block's worth of steps.
    double nextStateGain(double from, double target) const {
        const double step = fadeStep * blockFrames;
        return target > from ? std::min(target, from + step) : std::max(target, from - step);
    }

    void mixTracks(const MotorSoundTable& table, int row, DriveState state) {
        std::fill(mix.begin(), mix.end(), 0.0f);
        for (int i = 0; i < TrackCount; ++i) {
            TrackState& t = tracks[i];
            const MotorSoundEntry& e = table.tracks[std::size_t(i)][std::size_t(row)];
            const bool sounding = isPowerTrack(i) ? state == DriveState::Power
                                                  : state == DriveState::Brake;
            setTrack(t, e, sounding);
            const double stateTo = nextStateGain(t.stateGain, sounding ? 1 : 0);
            const double gainTo =
                e.pitch > 0 ? std::clamp<int>(e.volume, 0, MaximumSoundVolume) / double(MaximumSoundVolume)
                            : 0;
            const bool heard = t.stateGain > 0 || stateTo > 0;
            for (Voice& v : t.voices) {
                if (!v.active)
                    continue;
                if (heard && v.sound && (t.gain > 0 || gainTo > 0))
                    renderVoice(t, v, t.stateGain, stateTo, t.gain, gainTo);
                else if (v.fade != v.fadeTarget)
                    v.fade = v.fadeTarget > v.fade
                                 ? std::min(v.fadeTarget, v.fade + fadeStep * blockFrames)
                                 : std::max(v.fadeTarget, v.fade - fadeStep * blockFrames);
            }
            Voice& fading = t.voices[1];
            if (fading.active && fading.fade == 0) {
                fading.letGo();
                fading.active = false;
                fading.number = SilentSoundIndex;
            }
            t.stateGain = stateTo;
            t.gain = gainTo;
        }
    }

    // Lowers the gain ahead of any frame beyond full scale: every frame that
    // needs gain n at j frames ahead allows at most n + (1 - n) j / D now,
    // so the gain reaches n in time, in a straight line; it comes back up
    // over LimiterReleaseSeconds. Below full scale it is exactly 1, and the
    // mix comes out unchanged, delayFrames later.
    void limit() {
        const int ring = delayFrames + 1;
        for (int i = 0; i < blockFrames; ++i) {
            const float l = mix[std::size_t(2 * i)];
            const float r = mix[std::size_t(2 * i + 1)];
            const float peak = std::max(std::fabs(l), std::fabs(r));
            // The slot written now held the frame that went out last; the
            // next one holds the frame delayFrames back, which goes out now.
            const int w = delayPos;
            const std::int64_t now = mixFrames;
            if (needed[std::size_t(w)] < 1.0f)
                --loudFrames;
            delayLine[std::size_t(2 * w)] = l;
            delayLine[std::size_t(2 * w + 1)] = r;
            needed[std::size_t(w)] = peak > 1.0f ? 1.0f / peak : 1.0f;
            neededAt[std::size_t(w)] = now;
            if (needed[std::size_t(w)] < 1.0f)
                ++loudFrames;
            delayPos = (delayPos + 1) % ring;
            mixFrames = now + 1;
            const float outL = delayLine[std::size_t(2 * delayPos)];
            const float outR = delayLine[std::size_t(2 * delayPos + 1)];

            double bound = 1;
            if (loudFrames > 0) {
                // The frame going out is delayFrames behind now.
                const std::int64_t outAt = now - delayFrames;
                for (int k = 0; k < ring; ++k) {
                    const double n = needed[std::size_t(k)];
                    if (n >= 1)
                        continue;
                    const std::int64_t j = neededAt[std::size_t(k)] - outAt;
                    bound = std::min(bound, n + (1 - n) * double(j) / delayFrames);
                }
            }
            limiterGain = std::min(bound, limiterGain + releaseStep);
            if (limiterGain >= 1) {
                limiterGain = 1;
                block[std::size_t(2 * i)] = outL;
                block[std::size_t(2 * i + 1)] = outR;
            } else {
                block[std::size_t(2 * i)] = std::clamp(float(outL * limiterGain), -1.0f, 1.0f);
                block[std::size_t(2 * i + 1)] = std::clamp(float(outR * limiterGain), -1.0f, 1.0f);
            }
        }
    }
};

SoundRenderer::SoundRenderer(std::shared_ptr<SoundBank> bank)
    : mBank(std::move(bank)), mRate(mBank->outputRate()),
      mEngine(std::make_unique<Engine>(*mBank, mRate)) {}

SoundRenderer::~SoundRenderer() = default;

void SoundRenderer::publishTable(const MotorSoundTable& table) {
    mTable.publish(table);
}

void SoundRenderer::setSpeed(double kmh) {
    mSpeedIn.store(std::clamp(kmh, 0.0, (MotorSoundRows - 1) * MotorSoundKmhPerRow),
                   std::memory_order_relaxed);
}

void SoundRenderer::setState(DriveState state) {
    mStateIn.store(int(state), std::memory_order_relaxed);
}

void SoundRenderer::startRun(const RunProfile& profile, int speedUp) {
    RunRequest request;
    request.start = true;
    request.profile = profile;
    request.speedUp = std::clamp(speedUp, 1, 4);
    request.serial = ++mRunSerial;
    mRun.publish(request);
}

void SoundRenderer::stopRun() {
    RunRequest request;
    request.serial = ++mRunSerial;
    mRun.publish(request);
}

void SoundRenderer::releaseSounds() {
    for (Engine::TrackState& t : mEngine->tracks)
        for (Engine::Voice& v : t.voices)
            v.letGo();
}

void SoundRenderer::render(float* out, int frames) {
    Engine& e = *mEngine;
    while (frames > 0) {
        if (e.blockUsed == e.blockFrames) {
            renderBlock();
            e.blockUsed = 0;
        }
        const int n = std::min(frames, e.blockFrames - e.blockUsed);
        std::copy_n(e.block.data() + std::size_t(2 * e.blockUsed), 2 * n, out);
        out += 2 * n;
        frames -= n;
        e.blockUsed += n;
    }
}

void SoundRenderer::renderBlock() {
    Engine& e = *mEngine;
    const MotorSoundTable& table = mTable.read();

    if (mRun.hasNew()) {
        // The last command wins: a start, or a stop back to the held controls.
        const RunRequest& request = mRun.read();
        if (request.serial != e.runSerial) {
            e.runSerial = request.serial;
            e.run = &request;
            e.runActive = request.start;
            e.runFinished = false;
            e.runTime = 0;
        }
    }

    double speed = 0;
    DriveState state = DriveState::Coast;
    double time = double(e.mixFrames) / e.rate;
    if (e.runActive) {
        const RunPoint p = e.run->profile.at(e.runTime);
        time = e.runTime;
        if (p.finished) {
            e.runActive = false;
            e.runFinished = true;
        } else {
            speed = p.speed;
            state = p.state;
        }
    } else if (!e.runFinished) {
        speed = mSpeedIn.load(std::memory_order_relaxed);
        state = DriveState(mStateIn.load(std::memory_order_relaxed));
    }
    const int row = rowOfSpeed(speed);

    e.mixTracks(table, row, state);
    e.limit();

    mTimeOut.store(time, std::memory_order_relaxed);
    mSpeedOut.store(speed, std::memory_order_relaxed);
    mStateOut.store(int(state), std::memory_order_relaxed);
    mRowOut.store(row, std::memory_order_relaxed);
    mRunActiveOut.store(e.runActive, std::memory_order_relaxed);
    mRunFinishedOut.store(e.runFinished, std::memory_order_relaxed);
    mFramesOut.store(e.mixFrames, std::memory_order_relaxed);
    if (e.runActive)
        e.runTime += double(e.blockFrames) / e.rate * e.run->speedUp;
}

} // namespace Orlenda
