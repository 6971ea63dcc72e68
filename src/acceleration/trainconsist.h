#pragma once

#include "acceleration/notchcurve.h"
#include "document/trainquantities.h"

#include <QStringView>
#include <cstdint>

namespace Orlenda {

// The train accelerates as if 1.1 times as heavy: the rotating masses.
inline constexpr double RotatingMassFactor = 1.1;

// The train's mass in kg. The weight sums are 16-bit like the fields they
// come from: StepFailure(Overflow) beyond that range.
float trainMass(const TrainConsist& consist);

// Deceleration by running resistance at v km/h, in km/h/s.
// StepFailure(DivisionByZero) for a train of no mass.
float runningResistance(const TrainConsist& consist, float mass, int v);

// The notch's acceleration less the running resistance, rounded once.
float netAcceleration(const AccelerationRow& row, const NotchCurve& curve,
                      const TrainConsist& consist, float mass, int v);

} // namespace Orlenda
