#include "acceleration/plotreadout.h"

#include "document/numbertext.h"
#include "shared/failure.h"

namespace Orlenda {

namespace {

double roundedTo(double value, double scale) {
    return roundHalfEven(value * scale) / scale;
}

} // namespace

QString plotReadoutText(int x, int y, AccelerationUnit unit) {
    const float speed = float(x / 2.0);
    const double up = (AccelerationPlot::Height - 1 - y) / 100.0;
    const float value = unit == AccelerationUnit::KmPerHourPerSecond
                            ? float(up)
                            : float(roundedTo(kmPerHourPerSecondToKgfPerTonne(up), 10));
    return QLatin1Char(' ') + floatText(speed) + QStringLiteral(", ") + floatText(value);
}

std::optional<double> curveValueAt(int x, const AccelerationTable& table,
                                   const TrainConsist& consist, const PlotChoices& choices) {
    if (choices.selectedNotch < 0 || choices.selectedNotch >= NotchCount)
        return std::nullopt;
    const AccelerationRow& row = table[std::size_t(choices.selectedNotch)];
    const int v = int(roundHalfEven(x / 2.0));
    try {
        const NotchCurve curve = makeNotchCurve(row);
        const float a = choices.subtractResistance
                            ? netAcceleration(row, curve, consist, trainMass(consist), v)
                            : notchAcceleration(row, curve, v);
        return choices.unit == AccelerationUnit::KmPerHourPerSecond
                   ? double(a)
                   : kmPerHourPerSecondToKgfPerTonne(a);
    } catch (const StepFailure&) {
        return std::nullopt;
    }
}

QString plotReadoutText(int x, int y, const AccelerationTable& table, const TrainConsist& consist,
                        const PlotChoices& choices) {
    const QString position = plotReadoutText(x, y, choices.unit);
    const std::optional<double> value = curveValueAt(x, table, consist, choices);
    if (!value)
        return position;
    const double scale = choices.unit == AccelerationUnit::KmPerHourPerSecond ? 1000 : 100;
    return position + QStringLiteral("  曲線 ") + doubleText(roundedTo(*value, scale));
}

} // namespace Orlenda
