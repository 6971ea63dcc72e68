#include "acceleration/notchcurve.h"

#include "acceleration/checkedmath.h"

namespace Orlenda {

NotchCurve makeNotchCurve(const AccelerationRow& row) {
    NotchCurve c;
    if (row.speed1 > 0)
        c.slope = checkedDivide(row.accel2 - row.accel1, float(row.speed1));
    c.powerConstant = finiteFloat(float(row.speed1) * row.accel2);
    c.accel3 = row.speed2 > 0 ? checkedDivide(c.powerConstant, float(row.speed2)) : row.accel2;
    c.curveConstant =
        finiteFloat(checkedPower(double(row.speed2), double(row.curve)) * double(c.accel3));
    return c;
}

float notchAcceleration(const AccelerationRow& row, const NotchCurve& curve, int v) {
    // The first test that holds decides: with speed2 below speed1 the
    // constant-power region is empty.
    if (v > row.speed2)
        return finiteFloat(
            checkedDivide(double(curve.curveConstant), checkedPower(double(v), double(row.curve))));
    if (v > row.speed1)
        return checkedDivide(curve.powerConstant, float(v));
    return finiteFloat(row.accel1 + curve.slope * float(v));
}

} // namespace Orlenda
