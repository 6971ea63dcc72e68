#pragma once

#include "acceleration/notchcurve.h"

#include <QStringView>
#include <cstdint>

namespace Orlenda {

class TrainData;

// The train accelerates as if 1.1 times as heavy: the rotating masses.
inline constexpr double RotatingMassFactor = 1.1;

// The formation values the running resistance needs, as whole numbers.
struct TrainConsist {
    std::int16_t motorWeight = 0;   // t per motor car
    std::int16_t motorCount = 0;    // motor cars
    std::int16_t trailerWeight = 0; // t per trailer car
    std::int16_t trailerCount = 0;  // trailer cars
};

// A consist field's text as a whole number: the whole text read as one
// number, halves to even. A text that is not a number reads as 0 and a value
// beyond the 16-bit range is limited to it, so opening the window never fails.
std::int16_t consistValue(QStringView text);

// From the main window's fields txtCar(0) to txtCar(3).
TrainConsist trainConsist(const TrainData& data);

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
