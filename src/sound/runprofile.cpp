#include "sound/runprofile.h"

#include <algorithm>
#include <cmath>

namespace Orlenda {

namespace {

QString cannotStartReason(int notch) {
    return QStringLiteral("ノッチ %1 では起動できません").arg(notch);
}

// The highest whole speed the curve reaches from standstill: the run
// figures' rule, the train moving while a(k + 1) > 0.
int reachable(const SpeedCurve& a) {
    if (!(a[0] > 0))
        return 0;
    int k = 0;
    while (k < RunProfile::MaxTopSpeed && a[std::size_t(k + 1)] > 0)
        ++k;
    return k;
}

} // namespace

int RunProfile::reachableTopSpeed(const PerformanceTrain& train, int notch) {
    if (notch < 1 || notch > NotchCount)
        return 0;
    const std::optional<SpeedCurve> a = gradedAccelerations(train, notch - 1, 0);
    return a ? reachable(*a) : 0;
}

int RunProfile::defaultTopSpeed(const PerformanceTrain& train, int notch) {
    return std::min(reachableTopSpeed(train, notch), DefaultTopSpeedCap);
}

std::variant<RunProfile, QString> RunProfile::make(const PerformanceTrain& train, int notch,
                                                   int topSpeed) {
    if (notch < 1 || notch > NotchCount)
        return cannotStartReason(notch);
    const PerformanceFigures figures = computePerformance(train, 0);
    const NotchFigures& figure = figures.notches[std::size_t(notch - 1)];
    if (!figure.failure.isEmpty())
        return figure.failure;
    const std::optional<SpeedCurve> a = gradedAccelerations(train, notch - 1, 0);
    if (!a)
        return cannotStartReason(notch);
    const int highest = reachable(*a);
    if (highest < 1)
        return cannotStartReason(notch);
    if (!(train.deceleration > 0))
        return QStringLiteral("減速度が 0 以下のため停止できません");

    RunProfile p;
    p.mNotch = notch;
    p.mTopSpeed = std::clamp(topSpeed, 1, highest);
    double time = 0;
    for (int k = 0; k < p.mTopSpeed; ++k) {
        // Δt(k) of the run figures: the mean acceleration over the step.
        time += 2 / ((*a)[std::size_t(k)] + (*a)[std::size_t(k + 1)]);
        p.mReach[std::size_t(k + 1)] = time;
    }
    p.mCoastSeconds = std::max(0.0, train.brakeDelay);
    p.mDeceleration = train.deceleration;
    // A notch that barely pulls would take days; a file of it could not be written.
    if (!(p.duration() <= RunProfile::MaxSeconds))
        return QStringLiteral("走行に %1 秒以上かかるため再生できません").arg(RunProfile::MaxSeconds);
    return p;
}

double RunProfile::duration() const {
    return brakeStart() + mTopSpeed / mDeceleration;
}

RunPoint RunProfile::at(double t) const {
    RunPoint point;
    const double top = mReach[std::size_t(mTopSpeed)];
    if (t < top) {
        point.state = DriveState::Power;
        if (t <= 0)
            return point;
        // The step k with reach(k) <= t < reach(k + 1).
        const auto first = mReach.begin();
        const auto it = std::upper_bound(first + 1, first + mTopSpeed + 1, t);
        const int k = int(it - first) - 1;
        const double t0 = mReach[std::size_t(k)];
        const double t1 = mReach[std::size_t(k + 1)];
        point.speed = k + (t - t0) / (t1 - t0);
        return point;
    }
    const double brake = brakeStart();
    if (t < brake) {
        point.speed = mTopSpeed;
        point.state = DriveState::Coast;
        return point;
    }
    const double v = mTopSpeed - mDeceleration * (t - brake);
    if (v > 0) {
        point.speed = v;
        point.state = DriveState::Brake;
        return point;
    }
    point.finished = true;
    return point;
}

} // namespace Orlenda
