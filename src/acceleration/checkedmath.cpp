#include "acceleration/checkedmath.h"

#include "shared/failure.h"

#include <cfloat>
#include <cmath>

namespace Orlenda {

namespace {

template <typename Real> Real divided(Real dividend, Real divisor) {
    if (divisor == Real(0))
        throw StepFailure(Failure::DivisionByZero);
    const Real q = dividend / divisor;
    if (!std::isfinite(q))
        throw StepFailure(Failure::Overflow);
    return q;
}

} // namespace

float checkedDivide(float dividend, float divisor) {
    return divided(dividend, divisor);
}

double checkedDivide(double dividend, double divisor) {
    return divided(dividend, divisor);
}

float finiteFloat(double value) {
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        throw StepFailure(Failure::Overflow);
    return float(value);
}

double checkedPower(double base, double exponent) {
    if (base < 0.0 && exponent != std::trunc(exponent))
        throw StepFailure(Failure::InvalidArgument);
    if (base == 0.0 && exponent < 0.0)
        throw StepFailure(Failure::DivisionByZero);
    const double p = std::pow(base, exponent);
    if (!std::isfinite(p))
        throw StepFailure(Failure::Overflow);
    return p;
}

std::int16_t checkedInt16(std::int32_t value) {
    if (value < -32768 || value > 32767)
        throw StepFailure(Failure::Overflow);
    return std::int16_t(value);
}

} // namespace Orlenda
