#pragma once

#include "document/accelerationtable.h"
#include "shared/failure.h"

#include <functional>
#include <optional>

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

    // Why a coefficient could not be computed; the region that needs it fails
    // the same way, while the other regions can still be evaluated.
    std::optional<Failure> slopeFailure;
    std::optional<Failure> powerFailure;
    std::optional<Failure> curveFailure; // accel3 or curveConstant
};

// Called for each coefficient that cannot be computed; the computation goes
// on with the next coefficient unless the handler throws.
using CoefficientFailureHandler = std::function<void(const StepFailure&)>;

// Only rows read from a file can fail: a negative speed2 with a fractional or
// negative curve, or values so large that a coefficient overflows.
NotchCurve makeNotchCurve(const AccelerationRow& row, const CoefficientFailureHandler& onFailure);

// The same, throwing the first failure.
NotchCurve makeNotchCurve(const AccelerationRow& row);

// The notch's acceleration in km/h/s at a whole speed v in km/h. StepFailure
// where the curve divides by zero (v = 0 with a negative speed from a file)
// or where v's region needs a coefficient that could not be computed.
float notchAcceleration(const AccelerationRow& row, const NotchCurve& curve, int v);

} // namespace Orlenda
