#pragma once

#include "document/motorsoundtable.h"
#include "sound/drivestate.h"
#include "sound/motorsoundtablebuffer.h"
#include "sound/runprofile.h"
#include "sound/triplebuffer.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace Orlenda {

class SoundBank;

// Mixes the motor-sound tracks into interleaved stereo float at the bank's
// output rate. The one renderer of the program: the audition panel, the WAV
// export and the CLI all call render, so what is written is what is heard.
//
// Threads: render runs on the audio thread (or any one thread rendering to a
// file) and never locks, waits, allocates or frees; everything it needs is
// made in the constructor. The controls and publishTable are for one other
// thread (the GUI thread), which hands values over through atomics and
// triple buffers; the readbacks may be read from any thread.
//
// Output is made in blocks of BlockFrames whatever the size of the calls,
// and every control is taken at a block's start, so the same controls give
// the same samples however render is called. The output runs LimiterDelayFrames
// behind the mix: the look-ahead of the limiter that keeps the sum within
// full scale.
class SoundRenderer {
public:
    static constexpr int BlockFrames = 240;        // 5 ms at 48 kHz
    static constexpr int LimiterDelayFrames = 240; // 5 ms at 48 kHz
    static constexpr double StateFadeSeconds = 0.03;
    static constexpr double CrossFadeSeconds = 0.03;

    explicit SoundRenderer(std::shared_ptr<SoundBank> bank);
    ~SoundRenderer();
    SoundRenderer(const SoundRenderer&) = delete;
    SoundRenderer& operator=(const SoundRenderer&) = delete;

    int outputRate() const { return mRate; }

    // Control thread.
    void publishTable(const MotorSoundTable& table);
    void setSpeed(double kmh);         // held speed, 0..159.8
    void setState(DriveState state);   // held state
    void startRun(const RunProfile& profile, int speedUp); // speedUp 1, 2 or 4
    void stopRun();                    // back to the held speed and state

    // Audio thread.
    void render(float* interleavedStereo, int frames);
    // Lets go of every sound held (the slots the bank reads), so that the
    // bank may drop them; for the control thread once playback has stopped.
    void releaseSounds();

    // Readbacks of the last block rendered.
    double currentTime() const { return mTimeOut.load(std::memory_order_relaxed); }
    double currentSpeed() const { return mSpeedOut.load(std::memory_order_relaxed); }
    DriveState currentState() const { return DriveState(mStateOut.load(std::memory_order_relaxed)); }
    int currentRow() const { return mRowOut.load(std::memory_order_relaxed); }
    bool runActive() const { return mRunActiveOut.load(std::memory_order_relaxed); }
    bool runFinished() const { return mRunFinishedOut.load(std::memory_order_relaxed); }
    // Frames rendered since the renderer was made.
    std::int64_t framesRendered() const { return mFramesOut.load(std::memory_order_relaxed); }

    // The row a speed plays: min(799, floor(5v + 1e-9)); a plain floor of
    // v / 0.2 gives 2 for 0.6 km/h.
    static int rowOfSpeed(double kmh);

private:
    struct RunRequest {
        bool start = false; // false: stop
        RunProfile profile;
        int speedUp = 1;
        std::uint32_t serial = 0; // a new serial starts the run again
    };
    struct Engine;

    void renderBlock();

    const std::shared_ptr<SoundBank> mBank;
    const int mRate;
    MotorSoundTableBuffer mTable;
    TripleBuffer<RunRequest> mRun;
    std::uint32_t mRunSerial = 0; // control thread's
    std::atomic<double> mSpeedIn{0};
    std::atomic<int> mStateIn{int(DriveState::Power)};

    std::atomic<double> mTimeOut{0};
    std::atomic<double> mSpeedOut{0};
    std::atomic<int> mStateOut{int(DriveState::Coast)};
    std::atomic<int> mRowOut{0};
    std::atomic<bool> mRunActiveOut{false};
    std::atomic<bool> mRunFinishedOut{false};
    std::atomic<std::int64_t> mFramesOut{0};

    std::unique_ptr<Engine> mEngine;
};

} // namespace Orlenda
