#pragma once

#include "performance/performancefigures.h"
#include "sound/drivestate.h"

#include <QString>
#include <array>
#include <optional>
#include <variant>

namespace Orlenda {

// Where a run is at a moment.
struct RunPoint {
    double speed = 0; // km/h
    DriveState state = DriveState::Coast;
    bool finished = false;
};

// A run of the train from standstill on level track: power with one notch,
// the speed rising linearly in time over each whole km/h step by the run
// figures' Δt(k); at the top speed coasting for the service brake's delay;
// then braking at the service deceleration to a stop. Fixed size, so it can
// be handed to the audio thread without allocating.
class RunProfile {
public:
    static constexpr int MaxTopSpeed = 160;
    static constexpr int DefaultTopSpeedCap = 100;
    // The longest run played, to standstill.
    static constexpr int MaxSeconds = 3600;

    // notch 1..8. A top speed above the highest whole speed the notch
    // reaches is lowered to it (see reachableTopSpeed). A notch that cannot
    // start, or a curve the model cannot compute, gives the reason instead.
    static std::variant<RunProfile, QString> make(const PerformanceTrain& train, int notch,
                                                  int topSpeed);
    // The highest whole km/h the notch reaches, at most MaxTopSpeed; 0 when
    // it cannot start. The default top speed is this capped at 100.
    static int reachableTopSpeed(const PerformanceTrain& train, int notch);
    static int defaultTopSpeed(const PerformanceTrain& train, int notch);

    int notch() const { return mNotch; }
    int topSpeed() const { return mTopSpeed; }
    // When the power phase reaches v (a whole km/h up to the top speed).
    double timeToReach(int v) const { return mReach[std::size_t(v)]; }
    double brakeStart() const { return mReach[std::size_t(mTopSpeed)] + mCoastSeconds; }
    // The whole run, to standstill.
    double duration() const;

    RunPoint at(double seconds) const;

private:
    int mNotch = 1;
    int mTopSpeed = 0;
    std::array<double, MaxTopSpeed + 1> mReach{}; // s at each whole km/h
    double mCoastSeconds = 0;
    double mDeceleration = 0; // km/h/s
};

} // namespace Orlenda
