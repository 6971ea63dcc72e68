#include "performance/performancefigures.h"

#include "acceleration/accelerationunits.h"
#include "document/traindata.h"

#include <cmath>
#include <limits>

namespace Orlenda {

namespace {

using Curve = SpeedCurve;

// Below this a service deceleration in km/h/s is taken for a slip of the pen.
constexpr double MinUsableDeceleration = 0.1;
// Below this an adhesion coefficient is taken for a slip of the pen.
constexpr double MinUsableAdhesion = 0.1;

bool withinFigureRange(double value, double limit) {
    return std::isfinite(value) && std::abs(value) <= limit;
}

// Why a figure is none, in the words the window and the CLI show.
enum class Reason {
    TooLarge,
    NotFinite,
    ZeroMass,
    NegativeConsist,
    Adhesion,
    CurveNotFinite,
    Deceleration,
    BrakeDelay,
    GradeOutbrakes,
    ConsistOverflow
};

QString reasonText(Reason reason) {
    static const char* const texts[] = {
        "結果が有限でないか大きすぎる（10⁶ s・10⁷ m 超）ため表示しません",
        "結果が有限の値にならないため表示しません",
        "質量が 0 のため計算できません",
        "編成の値が負のため計算できません",
        "粘着係数が 0.1 未満か数でないため粘着限界を計算できません",
        "加速力曲線を計算できません（有限の値になりません）",
        "減速度が 0.1 km/h/s 未満か数でないため計算できません",
        "常用の遅れ時間が負か数でないため計算できません",
        "この勾配では減速しません（勾配の分を足した減速度が 0 以下）",
        "編成の値が大きすぎるため計算できません",
    };
    static_assert(std::size(texts) == std::size_t(Reason::ConsistOverflow) + 1);
    return QString::fromUtf8(texts[int(reason)]);
}

bool hasNegative(const TrainConsist& c) {
    return c.motorWeight < 0 || c.motorCount < 0 || c.trailerWeight < 0 || c.trailerCount < 0;
}

QString curveReason(const StepFailure& failure) {
    return QStringLiteral("加速力曲線を計算できません（%1）").arg(failure.description());
}

// The model's mass, or why no net acceleration can be computed for any notch.
struct TrainModel {
    float mass = 0;
    QString failure;
};

TrainModel trainModel(const TrainConsist& consist) {
    TrainModel model;
    if (hasNegative(consist)) {
        model.failure = reasonText(Reason::NegativeConsist);
        return model;
    }
    try {
        model.mass = trainMass(consist);
    } catch (const StepFailure&) {
        model.failure = reasonText(Reason::ConsistOverflow);
        return model;
    }
    const int cars = int(consist.motorCount) + int(consist.trailerCount) - 1;
    if (model.mass == 0)
        model.failure = reasonText(Reason::ZeroMass);
    else if (cars < std::numeric_limits<std::int16_t>::min() ||
             cars > std::numeric_limits<std::int16_t>::max())
        model.failure = reasonText(Reason::ConsistOverflow);
    return model;
}

// a(v) on the grade at every whole speed, or why it cannot be computed.
std::optional<Curve> graded(const PerformanceTrain& train, const TrainModel& model, int notch,
                            double grade, QString* failure) {
    if (!model.failure.isEmpty()) {
        *failure = model.failure;
        return std::nullopt;
    }
    const AccelerationRow& row = train.table[std::size_t(notch)];
    // A coefficient that fails matters only where a speed needs it.
    const NotchCurve curve = makeNotchCurve(row, [](const StepFailure&) {});
    const double g = gradeDeceleration(grade);
    Curve a{};
    try {
        for (int v = 0; v <= TopSpeedKmh; ++v)
            a[std::size_t(v)] =
                double(netAcceleration(row, curve, train.consist, model.mass, v)) - g;
    } catch (const StepFailure& f) {
        *failure = curveReason(f);
        return std::nullopt;
    }
    for (double value : a) {
        if (!std::isfinite(value)) {
            *failure = reasonText(Reason::CurveNotFinite);
            return std::nullopt;
        }
    }
    return a;
}

void fillRuns(NotchFigures& n, const Curve& a) {
    SpeedFigures runs{};
    double time = 0;
    double distance = 0;
    bool moving = a[0] > 0;
    bool tooLarge = false;
    int k = 0;
    for (int i = 0; i < SpeedStepCount; ++i) {
        const int target = (i + 1) * SpeedStep;
        runs[std::size_t(i)].speed = target;
        for (; moving && k < target; ++k) {
            const double next = a[std::size_t(k + 1)];
            if (!(next > 0)) {
                moving = false;
                break;
            }
            const double dt = 2 / (a[std::size_t(k)] + next);
            time += dt;
            distance += dt * (k + 0.5) / KmPerHourPerMetrePerSecond;
        }
        // A creeping train: this speed and every later one are beyond any figure.
        if (moving && !(withinFigureRange(time, MaxFigureTime) &&
                        withinFigureRange(distance, MaxFigureDistance))) {
            moving = false;
            tooLarge = true;
        }
        if (moving) {
            runs[std::size_t(i)].time = time;
            runs[std::size_t(i)].distance = distance;
        } else if (tooLarge) {
            runs[std::size_t(i)].reason = reasonText(Reason::TooLarge);
        }
    }
    n.runs = runs;
}

} // namespace

void fillRunFigures(NotchFigures& n, const Curve& a) {
    n.startAcceleration = a[0];
    n.canStart = a[0] > 0;
    if (a[0] > 0) {
        for (int v = 0; v < TopSpeedKmh; ++v) {
            const double here = a[std::size_t(v)];
            const double next = a[std::size_t(v + 1)];
            if (here > 0 && next <= 0) {
                n.balancingSpeed = v + here / (here - next);
                break;
            }
        }
        if (!n.balancingSpeed)
            n.balancingAbove = TopSpeedKmh;
    }
    fillRuns(n, a);
}

namespace {

// The largest power over the whole speeds and the least speed where it occurs.
void fillPower(NotchFigures& n, const AccelerationRow& row, const NotchCurve& curve, double mass) {
    for (int v = 0; v <= TopSpeedKmh; ++v) {
        try {
            const double a = notchAcceleration(row, curve, v);
            const double force = a * mass * RotatingMassFactor / KmPerHourPerMetrePerSecond;
            const double power = force * v / KmPerHourPerMetrePerSecond / 1000;
            if (!std::isfinite(power))
                continue;
            if (!n.maxPower || power > *n.maxPower) {
                n.maxPower = power;
                n.maxPowerSpeed = v;
            }
        } catch (const StepFailure&) {
        }
    }
    if (mass > 0 && n.maxPower)
        n.maxPowerPerTonne = *n.maxPower / (mass / 1000);
}

// The force at standstill that the notch's own curve asks of the train, in kN.
std::optional<double> startTractiveEffort(const AccelerationRow& row, const NotchCurve& curve,
                                          double mass) {
    try {
        const double a = notchAcceleration(row, curve, 0);
        const double force = a * mass * RotatingMassFactor / KmPerHourPerMetrePerSecond / 1000;
        if (std::isfinite(force))
            return force;
    } catch (const StepFailure&) {
    }
    return std::nullopt;
}

// The motor cars' share of the weight times the adhesion, in kgf per tonne,
// as km/h/s; none without weight, and with a reason for an unusable input.
std::optional<double> adhesionLimit(double adhesion, double motors, double total,
                                    QString* failure) {
    if (!std::isfinite(adhesion) || adhesion < MinUsableAdhesion) {
        *failure = reasonText(Reason::Adhesion);
        return std::nullopt;
    }
    if (total == 0)
        return std::nullopt;
    const double limit = kgfPerTonneToKmPerHourPerSecond(adhesion * 1000 * motors / total);
    if (std::isfinite(limit))
        return limit;
    *failure = reasonText(Reason::NotFinite);
    return std::nullopt;
}

SpeedFigures brakingFigures(const PerformanceTrain& train, double grade) {
    SpeedFigures braking{};
    for (int i = 0; i < SpeedStepCount; ++i)
        braking[std::size_t(i)] = brakingFrom(train, grade, (i + 1) * SpeedStep);
    return braking;
}

} // namespace

PerformanceTrain performanceTrain(const TrainData& data) {
    PerformanceTrain train;
    train.table = data.accelerationTable();
    train.consist = data.consist();
    train.adhesion = data.adhesionCoefficient();
    train.deceleration = data.serviceDeceleration();
    train.brakeDelay = data.serviceBrakeDelay();
    return train;
}

double gradeDeceleration(double grade) {
    return kgfPerTonneToKmPerHourPerSecond(grade);
}

std::optional<double> gradedBrakingDeceleration(const PerformanceTrain& train, double grade,
                                                QString* reason) {
    Reason why = Reason::GradeOutbrakes;
    const double b = train.deceleration;
    const double delay = train.brakeDelay;
    if (!std::isfinite(b) || b < MinUsableDeceleration)
        why = Reason::Deceleration;
    else if (!std::isfinite(delay) || delay < 0)
        why = Reason::BrakeDelay;
    else if (const double graded = b + gradeDeceleration(grade); graded > 0)
        return graded;
    if (reason)
        *reason = reasonText(why);
    return std::nullopt;
}

SpeedFigure brakingFrom(const PerformanceTrain& train, double grade, int speed) {
    SpeedFigure f;
    f.speed = speed;
    const std::optional<double> b = gradedBrakingDeceleration(train, grade, &f.reason);
    if (!b)
        return f;
    const double v = speed;
    const double d = train.brakeDelay;
    const double time = d + v / *b;
    const double distance =
        v * d / KmPerHourPerMetrePerSecond + v * v / (2 * KmPerHourPerMetrePerSecond * *b);
    if (withinFigureRange(time, MaxFigureTime) && withinFigureRange(distance, MaxFigureDistance)) {
        f.time = time;
        f.distance = distance;
    } else {
        f.reason = reasonText(Reason::TooLarge);
    }
    return f;
}

std::optional<SpeedCurve> gradedAccelerations(const PerformanceTrain& train, int notch,
                                              double grade) {
    QString failure;
    return graded(train, trainModel(train.consist), notch, grade, &failure);
}

PerformanceFigures computePerformance(const PerformanceTrain& train, double grade) {
    PerformanceFigures figures;
    figures.grade = grade;
    const TrainConsist& c = train.consist;
    const TrainModel model = trainModel(c);
    const double motors = double(c.motorWeight) * c.motorCount;
    const double total = motors + double(c.trailerWeight) * c.trailerCount;
    if (hasNegative(c)) {
        // Nothing from the mass or the adhesion: model.failure says why.
        figures.adhesionFailure = model.failure;
    } else {
        // The power needs only the mass: the 16-bit limit of the model's sums
        // does not bound it.
        figures.mass = total * 1000;
        if (total != 0)
            figures.motorShare = 100 * motors / total;
        figures.adhesionLimit =
            adhesionLimit(train.adhesion, motors, total, &figures.adhesionFailure);
    }

    for (int notch = 0; notch < NotchCount; ++notch) {
        NotchFigures& n = figures.notches[std::size_t(notch)];
        const AccelerationRow& row = train.table[std::size_t(notch)];
        const NotchCurve curve = makeNotchCurve(row, [](const StepFailure&) {});
        n.adhesionFailure = figures.adhesionFailure;
        if (figures.mass) {
            fillPower(n, row, curve, *figures.mass);
            n.startTractiveEffort = startTractiveEffort(row, curve, *figures.mass);
        }
        if (figures.adhesionLimit) {
            try {
                const float a0 = notchAcceleration(row, curve, 0);
                if (std::isfinite(a0))
                    n.adhesionExceeded = a0 > *figures.adhesionLimit;
            } catch (const StepFailure&) {
            }
        }
        if (const auto a = graded(train, model, notch, grade, &n.failure))
            fillRunFigures(n, *a);
        if (figures.mass && !n.maxPower && n.failure.isEmpty())
            n.failure = reasonText(Reason::CurveNotFinite);
    }
    figures.braking = brakingFigures(train, grade);
    return figures;
}

} // namespace Orlenda
