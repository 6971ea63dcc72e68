#pragma once

#include "document/accelerationtable.h"

namespace Orlenda {

// Coefficients of one notch's curve, derived from its row for each redraw.
// Up to speed1 the acceleration runs linearly from accel1 to accel2; up to
// speed2 the power is constant (a falls as 1/v); above speed2 it falls as
// 1/v^curve.
struct NotchCurve {
    float slope = 0;         // km/h/s per km/h below speed1
    float powerConstant = 0; // speed1 x accel2
    float accel3 = 0;        // acceleration at speed2
    float curveConstant = 0; // speed2^curve x accel3
};

// StepFailure when a coefficient cannot be computed (only rows read from a
// file can cause it: a negative speed2 with a fractional or negative curve).
NotchCurve makeNotchCurve(const AccelerationRow& row);

// The notch's acceleration in km/h/s at a whole speed v in km/h. StepFailure
// where the curve divides by zero (v = 0 with a negative speed from a file).
float notchAcceleration(const AccelerationRow& row, const NotchCurve& curve, int v);

} // namespace Orlenda
