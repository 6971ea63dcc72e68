#pragma once

#include "acceleration/accelerationunits.h"
#include "acceleration/trainconsist.h"
#include "document/accelerationtable.h"

#include <QString>
#include <array>
#include <optional>

namespace Orlenda {

class TrainData;

// What the figures read from a document: the curves, the consist as the
// acceleration window takes it, and three leading numbers of fields.
struct PerformanceTrain {
    AccelerationTable table{};
    TrainConsist consist;
    double adhesion = 0;     // txtPer(1), the adhesion coefficient
    double deceleration = 0; // txtPer(0), service braking in km/h/s
    double brakeDelay = 0;   // txtDelay(2), service brake response in s
};

PerformanceTrain performanceTrain(const TrainData& data);

// Grades the figures accept, in per mille, uphill positive.
inline constexpr double MinGrade = -40;
inline constexpr double MaxGrade = 40;

// The run and braking figures are given for 10, 20, ..., 160 km/h.
inline constexpr int SpeedStepCount = 16;
inline constexpr int SpeedStep = 10;
static_assert(SpeedStepCount * SpeedStep == TopSpeedKmh);

struct SpeedFigure {
    int speed = 0;                  // km/h
    std::optional<double> time;     // s; none when not reached
    std::optional<double> distance; // m
    // Why time and distance are none, in Japanese; empty when the speed is
    // simply not reached.
    QString reason;
};
using SpeedFigures = std::array<SpeedFigure, SpeedStepCount>;

struct NotchFigures {
    std::optional<double> startAcceleration; // km/h/s on the grade
    std::optional<bool> canStart;
    std::optional<double> balancingSpeed; // km/h
    // TopSpeedKmh when the notch still accelerates there, so that its
    // balancing speed lies above what the figures cover.
    std::optional<double> balancingAbove;
    std::optional<double> maxPower;            // kW
    std::optional<int> maxPowerSpeed;          // km/h, the least speed of the maximum
    std::optional<double> startTractiveEffort; // kN at standstill, on level track
    std::optional<double> maxPowerPerTonne;    // kW/t
    std::optional<bool> adhesionExceeded;
    std::optional<SpeedFigures> runs; // none when the model fails for the notch
    // Why start, balancing and runs (and the figures from the mass) are none
    // although the notch was computed: empty when the model could be evaluated.
    QString failure;
    QString adhesionFailure; // why adhesionExceeded is none
};

struct PerformanceFigures {
    double grade = 0;
    std::optional<double> mass;          // kg
    std::optional<double> motorShare;    // percent of the weight on motor cars
    std::optional<double> adhesionLimit; // km/h/s
    QString adhesionFailure;             // why adhesionLimit is none
    std::array<NotchFigures, NotchCount> notches;
    SpeedFigures braking; // service braking on the grade
};

// The deceleration a grade of g per mille adds, in km/h/s (1 per mille is 1 kgf/t).
double gradeDeceleration(double grade);

// Times and distances beyond these are no figure but a sign of absurd input.
inline constexpr double MaxFigureTime = 1e6;     // s
inline constexpr double MaxFigureDistance = 1e7; // m

// The service brake's deceleration on a grade in km/h/s: the brake's own plus
// the grade's, so uphill shortens the stop and downhill lengthens it. None,
// with the reason in Japanese in *reason, when the brake's deceleration or
// delay cannot be used or the grade leaves no deceleration.
std::optional<double> gradedBrakingDeceleration(const PerformanceTrain& train, double grade,
                                                QString* reason = nullptr);

// Service braking from `speed` km/h to standstill on a grade: the brake
// delay at that speed, then the graded deceleration. Time and distance none,
// with SpeedFigure::reason, where gradedBrakingDeceleration is none or a
// result exceeds MaxFigureTime or MaxFigureDistance.
SpeedFigure brakingFrom(const PerformanceTrain& train, double grade, int speed);

// Every figure of the eight notches from the acceleration model with the
// running resistance subtracted, as the acceleration window draws it, less
// the grade. Nothing is asked: where the model fails, the figures that need
// it are none and NotchFigures::failure says why, in Japanese.
PerformanceFigures computePerformance(const PerformanceTrain& train, double grade);

// The acceleration on the grade at 0, 1, ..., 160 km/h, in km/h/s.
using SpeedCurve = std::array<double, TopSpeedKmh + 1>;

// The curve the figures use for a notch; none where the model fails.
std::optional<SpeedCurve> gradedAccelerations(const PerformanceTrain& train, int notch,
                                              double grade);

// Start, can-start, balancing speed and runs from such a curve.
void fillRunFigures(NotchFigures& figures, const SpeedCurve& a);

} // namespace Orlenda
