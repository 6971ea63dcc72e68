#include "acceleration/trainconsist.h"

#include "acceleration/accelerationunits.h"
#include "acceleration/checkedmath.h"

namespace Orlenda {

namespace {

// Running resistance in newtons.
double resistanceForce(const TrainConsist& c, int v) {
    const std::int16_t cars = checkedInt16(checkedInt16(c.motorCount + c.trailerCount) - 1);
    const double speed = v;
    return (16.2 + 0.242 * speed) * c.motorWeight * c.motorCount +
           (7.65 + 0.0275 * speed) * c.trailerWeight * c.trailerCount +
           (0.275 + 0.076 * cars) * speed * speed;
}

double resistanceDeceleration(const TrainConsist& consist, float mass, int v) {
    return checkedDivide(resistanceForce(consist, v) * KmPerHourPerMetrePerSecond, double(mass) * RotatingMassFactor);
}

} // namespace

float trainMass(const TrainConsist& c) {
    const std::int16_t motors = checkedInt16(c.motorWeight * c.motorCount);
    const std::int16_t trailers = checkedInt16(c.trailerWeight * c.trailerCount);
    return float(checkedInt16(motors + trailers)) * 1000.0f;
}

float runningResistance(const TrainConsist& consist, float mass, int v) {
    return finiteFloat(resistanceDeceleration(consist, mass, v));
}

float netAcceleration(const AccelerationRow& row, const NotchCurve& curve,
                      const TrainConsist& consist, float mass, int v) {
    const float a = notchAcceleration(row, curve, v);
    return finiteFloat(double(a) - resistanceDeceleration(consist, mass, v));
}

} // namespace Orlenda
