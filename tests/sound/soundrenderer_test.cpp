#include "document/traindata.h"
#include "performance/performancefigures.h"
#include "sound/runprofile.h"
#include "sound/soundrender.h"
#include "support/soundtests.h"

using namespace Orlenda;

namespace {

constexpr int Rate = 48000;
constexpr std::size_t Settled = 4800; // 0.1 s: past every fade

} // namespace

TEST_F(SoundTest, PitchSetsTheRateAndVolumeTheAmplitude) {
    writeWave(path("0.wav"), 441, 1);
    useFolder({0});
    struct Case {
        MotorSoundEntry entry;
        double hz;
        double tolerance;
    };
    std::vector<double> rms;
    for (const Case& c : {Case{{100, 127, 0}, 441, 1}, Case{{150, 127, 0}, 661.5, 1.5},
                          Case{{100, 64, 0}, 441, 1}}) {
        SoundRenderer r(bank);
        r.publishTable(tableWith(Track::P1, c.entry));
        const std::vector<float> out = render(r, 0.6);
        const std::vector<float> left = leftFrom(out, Settled);
        EXPECT_NEAR(frequencyOf(left, Rate), c.hz, c.tolerance) << c.entry.pitch;
        EXPECT_EQ(leftFrom(out, Settled), [&] { // mono plays on both channels
            std::vector<float> right;
            for (std::size_t i = 2 * Settled + 1; i < out.size(); i += 2)
                right.push_back(out[i]);
            return right;
        }());
        rms.push_back(rmsOf(left));
    }
    EXPECT_NEAR(rms[2] / rms[0], 0.504, 0.01);
}

TEST_F(SoundTest, NegativeIndexNoPitchAndNoVolumeAreSilent) {
    writeWave(path("0.wav"), 441, 1);
    useFolder({0});
    for (const MotorSoundEntry e : {MotorSoundEntry{100, 127, -1}, MotorSoundEntry{100, 127, -5},
                                    MotorSoundEntry{0, 127, 0}, MotorSoundEntry{-20, 127, 0},
                                    MotorSoundEntry{100, -3, 0}}) {
        SoundRenderer r(bank);
        r.publishTable(tableWith(Track::P1, e));
        EXPECT_EQ(peakOf(render(r, 0.1)), 0) << e.pitch << " " << e.volume << " " << e.index;
    }
}

// Power plays P1 and P2, brake B1 and B2, coasting nothing; a change fades.
TEST_F(SoundTest, StateChoosesTheTracksAndFades) {
    writeWave(path("0.wav"), 441, 1);
    writeWave(path("1.wav"), 300, 1);
    useFolder({0, 1});
    MotorSoundTable table = tableWith(Track::P2, {100, 127, 0});
    table = tableWith(Track::B2, {100, 127, 1}, table);
    SoundRenderer r(bank);
    r.publishTable(table);
    r.setState(DriveState::Power);
    EXPECT_NEAR(frequencyOf(leftFrom(render(r, 0.4), Settled), Rate), 441, 1);
    r.setState(DriveState::Brake);
    const std::vector<float> change = leftFrom(render(r, 0.4));
    EXPECT_NEAR(frequencyOf({change.begin() + Settled, change.end()}, Rate), 300, 1);
    r.setState(DriveState::Coast);
    const std::vector<float> coast = leftFrom(render(r, 0.1));
    EXPECT_EQ(peakOf({coast.begin() + 2400, coast.end()}), 0); // 30 ms fade, 5 ms late
    EXPECT_GT(peakOf({coast.begin(), coast.begin() + 480}), 0.3);
    EXPECT_LT(largestStep(change), 0.05); // no click where the tracks swap
}

// A change of sound number cross-fades; no step is larger than the waves' own.
TEST_F(SoundTest, ChangeOfSoundCrossFades) {
    writeWave(path("0.wav"), 441, 1);
    writeWave(path("1.wav"), 300, 1, 44100, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, Wave::Sine);
    useFolder({0, 1});
    double own = 0;
    for (std::int16_t n : {0, 1}) {
        SoundRenderer r(bank);
        r.publishTable(tableWith(Track::P1, {120, 127, n}));
        own = std::max(own, largestStep(leftFrom(render(r, 0.2), Settled)));
    }
    SoundRenderer r(bank);
    r.publishTable(tableWith(Track::P1, {120, 127, 0}));
    std::vector<float> out = leftFrom(render(r, 0.1));
    for (int i = 0; i < 6; ++i) { // back and forth, also while a fade is under way
        r.publishTable(tableWith(Track::P1, {120, 127, std::int16_t((i + 1) % 2)}));
        const std::vector<float> more = leftFrom(render(r, i % 2 ? 0.02 : 0.1));
        out.insert(out.end(), more.begin(), more.end());
    }
    EXPECT_LE(largestStep({out.begin() + Settled, out.end()}), own * 1.05);
    // Pitch and volume changes glide too.
    r.publishTable(tableWith(Track::P1, {40, 30, 1}));
    const std::vector<float> glide = leftFrom(render(r, 0.05));
    EXPECT_LE(largestStep(glide), own * 1.05);
}

// An edit published while playing is heard within 50 ms.
TEST_F(SoundTest, EditIsHeardWithin50Ms) {
    writeWave(path("0.wav"), 441, 1);
    useFolder({0});
    SoundRenderer r(bank);
    r.setSpeed(30);
    MotorSoundTable table = tableWith(Track::P1, {100, 0, 0});
    r.publishTable(table);
    EXPECT_EQ(peakOf(render(r, 0.2)), 0);
    table[Track::P1][SoundRenderer::rowOfSpeed(30)].volume = 127;
    r.publishTable(table);
    const std::vector<float> next = leftFrom(render(r, 0.05));
    EXPECT_GT(peakOf({next.end() - 480, next.end()}), 0.45);
    EXPECT_EQ(r.currentRow(), 150);
}

TEST(SoundRenderer, RowOfSpeedAvoidsTheFloorOfADivision) {
    EXPECT_EQ(SoundRenderer::rowOfSpeed(0.6), 3);
    EXPECT_EQ(SoundRenderer::rowOfSpeed(0.2), 1);
    EXPECT_EQ(SoundRenderer::rowOfSpeed(0.19), 0);
    EXPECT_EQ(SoundRenderer::rowOfSpeed(159.8), 799);
    EXPECT_EQ(SoundRenderer::rowOfSpeed(170), 799);
    EXPECT_EQ(SoundRenderer::rowOfSpeed(-1), 0);
}

// Within full scale the sum passes unchanged (only delayed); beyond it the
// limiter holds it within, smoothly.
TEST_F(SoundTest, SumPassesWithinFullScaleAndIsLimitedBeyond) {
    writeWave(path("0.wav"), 441, 1);
    writeWave(path("1.wav"), 441, 1, 44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, Wave::Sine, 0.9);
    useFolder({0, 1});
    const auto rendered = [&](const MotorSoundTable& t) {
        SoundRenderer r(bank);
        r.publishTable(t);
        return render(r, 0.3);
    };
    const std::vector<float> one = rendered(tableWith(Track::P1, {100, 120, 0}));
    const std::vector<float> two =
        rendered(tableWith(Track::P2, {100, 120, 0}, tableWith(Track::P1, {100, 120, 0})));
    ASSERT_LT(peakOf(two), 1.0);
    for (std::size_t i = 0; i < one.size(); ++i)
        ASSERT_EQ(two[i], 2 * one[i]) << i;
    for (std::size_t i = 0; i < SoundRenderer::LimiterDelayFrames * 2; ++i)
        ASSERT_EQ(one[i], 0.0f);

    const std::vector<float> loud =
        rendered(tableWith(Track::P2, {100, 127, 1}, tableWith(Track::P1, {100, 127, 1})));
    EXPECT_LE(peakOf(loud), 1.0);
    EXPECT_GT(peakOf(loud), 0.9);
    EXPECT_LT(largestStep(leftFrom(loud)), 0.2); // a gain ramp, not a clip
}

// How a render is called does not change what it renders.
TEST_F(SoundTest, SamplesDoNotDependOnTheSizeOfTheCalls) {
    writeWave(path("0.wav"), 441, 0.3, 22050);
    useFolder({0});
    MotorSoundTable table = defaultMotorSoundTable();
    std::vector<float> a(2 * 9600), b(2 * 9600);
    SoundRenderer ra(bank), rb(bank);
    ra.publishTable(table);
    rb.publishTable(table);
    ra.setSpeed(40);
    rb.setSpeed(40);
    ra.render(a.data(), 9600);
    for (int done = 0, n = 1; done < 9600; done += n, n = std::min(2 * n + 1, 9600 - done))
        rb.render(b.data() + 2 * done, n);
    EXPECT_EQ(a, b);
}

TEST(RunProfile, FollowsTheRunFigures) {
    const PerformanceTrain train = performanceTrain(TrainData());
    EXPECT_EQ(RunProfile::reachableTopSpeed(train, 1), 55);
    EXPECT_EQ(RunProfile::defaultTopSpeed(train, 1), 55);
    const auto made = RunProfile::make(train, 1, 160); // beyond reach: to 55
    ASSERT_TRUE(std::holds_alternative<RunProfile>(made));
    const RunProfile& p = std::get<RunProfile>(made);
    EXPECT_EQ(p.topSpeed(), 55);
    EXPECT_NEAR(p.timeToReach(55), 517.8, 0.05);
    EXPECT_NEAR(p.timeToReach(50), 227.15, 5e-3);
    const double top = p.timeToReach(55);
    EXPECT_EQ(p.at(top - 0.01).state, DriveState::Power);
    EXPECT_EQ(p.at(top + 0.01).state, DriveState::Coast);
    EXPECT_EQ(p.at(p.brakeStart() + 0.01).state, DriveState::Brake);
    EXPECT_NEAR(p.at(p.brakeStart() + 1).speed, 55 - train.deceleration, 1e-9);
    EXPECT_TRUE(p.at(p.duration() + 0.01).finished);
    EXPECT_NEAR(p.brakeStart() - top, train.brakeDelay, 1e-9);

    PerformanceTrain stuck = train;
    stuck.table[2] = {}; // no force: cannot start
    EXPECT_EQ(RunProfile::reachableTopSpeed(stuck, 3), 0);
    EXPECT_TRUE(std::holds_alternative<QString>(RunProfile::make(stuck, 3, 50)));
}

// The run's readback reaches 50 km/h at the run figure's time.
TEST_F(SoundTest, RunReaches50KmhAtTheFiguresTime) {
    useFolder({});
    const auto made = RunProfile::make(performanceTrain(TrainData()), 1, 50);
    const RunProfile& p = std::get<RunProfile>(made);
    SoundRenderer r(bank);
    r.publishTable(silentTable());
    r.startRun(p, 2); // a block of 5 ms plays 10 ms of the run
    std::vector<float> block(2 * SoundRenderer::BlockFrames);
    while (r.currentSpeed() < 50 - 1e-9 && r.framesRendered() < 120 * Rate)
        r.render(block.data(), SoundRenderer::BlockFrames);
    EXPECT_NEAR(p.timeToReach(50), 227.15, 5e-3);
    EXPECT_GE(r.currentTime(), p.timeToReach(50));
    EXPECT_LT(r.currentTime(), p.timeToReach(50) + 0.01);
    EXPECT_EQ(r.currentState(), DriveState::Coast);
}

// Power tracks sound while the run accelerates, brake tracks while it brakes.
TEST_F(SoundTest, RunPlaysPowerThenBrake) {
    writeWave(path("0.wav"), 441, 1);
    writeWave(path("1.wav"), 300, 1);
    useFolder({0, 1});
    const PerformanceTrain train = performanceTrain(TrainData());
    const RunProfile p = std::get<RunProfile>(RunProfile::make(train, 1, 3));
    SoundRenderer r(bank);
    r.publishTable(tableWith(Track::B1, {100, 127, 1}, tableWith(Track::P1, {100, 127, 0})));
    r.startRun(p, 1);
    std::vector<float> power, brake, coast;
    std::vector<float> block(2 * SoundRenderer::BlockFrames);
    DriveState before = DriveState::Coast;
    for (int i = 0; i < 20000 && !r.runFinished(); ++i) {
        r.render(block.data(), SoundRenderer::BlockFrames);
        // What comes out now was mixed a block ago (the limiter's delay).
        const DriveState was = before;
        before = r.currentState();
        if (r.currentState() != was)
            continue;
        auto& into = was == DriveState::Power ? power : was == DriveState::Brake ? brake : coast;
        for (std::size_t k = 0; k < block.size(); k += 2)
            into.push_back(block[k]);
    }
    EXPECT_TRUE(r.runFinished());
    ASSERT_GT(power.size(), Settled * 2);
    ASSERT_GT(brake.size(), Settled);
    EXPECT_NEAR(frequencyOf({power.begin() + Settled, power.end()}, Rate), 441, 1);
    EXPECT_NEAR(frequencyOf({brake.begin() + 2400, brake.end()}, Rate), 300, 1);
    EXPECT_EQ(peakOf({coast.begin() + 2400, coast.end() - 4800}), 0);
}

// A render waits for, and asks about, only the sounds of the rows it passes.
TEST(SoundRender, NumbersUsedAreThoseOfTheRowsPassed) {
    MotorSoundTable table = silentTable();
    table[Track::P1][150].index = 4;
    table[Track::P1][151].index = 5;
    table[Track::B2][0].index = 6;
    table[Track::P2][300].index = 7;
    RenderRequest held;
    held.speed = 30;
    EXPECT_EQ(soundNumbersUsed(table, held), QList<int>({4}));
    held.state = DriveState::Brake;
    EXPECT_EQ(soundNumbersUsed(table, held), QList<int>());
    RenderRequest run;
    run.run = std::get<RunProfile>(RunProfile::make(performanceTrain(TrainData()), 1, 31));
    EXPECT_EQ(soundNumbersUsed(table, run), QList<int>({4, 5, 6}));
}
