#include "acceleration/plotreadout.h"

#include "acceleration/accelerationplot.h"
#include "document/numbertext.h"

namespace Orlenda {

QString plotReadoutText(int x, int y, AccelerationUnit unit) {
    const float speed = float(x / 2.0);
    const int up = AccelerationPlot::Height - 1 - y;
    const float value =
        unit == AccelerationUnit::KmPerHourPerSecond
            ? float(up / 100.0)
            : float(roundHalfEven(up * RotatingMassFactor * 10 / KgfPerTonneFactor) / 10);
    return QLatin1Char(' ') + floatText(speed) + QStringLiteral(", ") + floatText(value);
}

} // namespace Orlenda
