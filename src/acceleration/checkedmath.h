#pragma once

#include <cstdint>

namespace Orlenda {

// Arithmetic that fails the way the drawing routine reports it, instead of
// producing infinities and NaNs that would be drawn as nonsense.

// StepFailure(DivisionByZero) for a zero divisor, Overflow for a result
// outside the float range.
float checkedDivide(float dividend, float divisor);
double checkedDivide(double dividend, double divisor);

// A double rounded to a 32-bit float; StepFailure(Overflow) when it is not
// finite or does not fit.
float finiteFloat(double value);

// base raised to exponent in double precision. A negative base with a
// fractional exponent fails with InvalidArgument, zero to a negative power
// with DivisionByZero, a result beyond the double range with Overflow.
double checkedPower(double base, double exponent);

// A 16-bit integer intermediate; StepFailure(Overflow) outside its range.
std::int16_t checkedInt16(std::int32_t value);

} // namespace Orlenda
