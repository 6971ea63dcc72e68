#include "acceleration/notchcurve.h"

#include "acceleration/checkedmath.h"

namespace Orlenda {

NotchCurve makeNotchCurve(const AccelerationRow& row, const CoefficientFailureHandler& onFailure) {
    NotchCurve c;
    // Each coefficient is one step: a failed one is marked and the next is
    // still computed, so the regions that do not need it can be drawn.
    const auto compute = [&](std::optional<Failure>& failure, const auto& step) {
        try {
            step();
        } catch (const StepFailure& f) {
            failure = f.kind();
            onFailure(f);
        }
    };
    if (row.speed1 > 0)
        compute(c.slopeFailure,
                [&] { c.slope = checkedDivide(row.accel2 - row.accel1, float(row.speed1)); });
    compute(c.powerFailure, [&] { c.powerConstant = finiteFloat(float(row.speed1) * row.accel2); });
    if (row.speed2 > 0) {
        // accel3 comes from powerConstant: without it there is no accel3 either.
        if (c.powerFailure)
            c.curveFailure = c.powerFailure;
        else
            compute(c.curveFailure,
                    [&] { c.accel3 = checkedDivide(c.powerConstant, float(row.speed2)); });
    } else {
        c.accel3 = row.accel2;
    }
    if (!c.curveFailure)
        compute(c.curveFailure, [&] {
            c.curveConstant =
                finiteFloat(checkedPower(double(row.speed2), double(row.curve)) * double(c.accel3));
        });
    return c;
}

NotchCurve makeNotchCurve(const AccelerationRow& row) {
    return makeNotchCurve(row, [](const StepFailure& f) { throw f; });
}

float notchAcceleration(const AccelerationRow& row, const NotchCurve& curve, int v) {
    const auto need = [](const std::optional<Failure>& failure) {
        if (failure)
            throw StepFailure(*failure);
    };
    // The first test that holds decides: with speed2 below speed1 the
    // constant-power region is empty.
    if (v > row.speed2) {
        need(curve.curveFailure);
        return finiteFloat(
            checkedDivide(double(curve.curveConstant), checkedPower(double(v), double(row.curve))));
    }
    if (v > row.speed1) {
        need(curve.powerFailure);
        return checkedDivide(curve.powerConstant, float(v));
    }
    need(curve.slopeFailure);
    return finiteFloat(row.accel1 + curve.slope * float(v));
}

} // namespace Orlenda
