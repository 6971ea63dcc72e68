#pragma once

#include "acceleration/accelerationplot.h"

#include <QString>
#include <optional>

namespace Orlenda {

// The read-out under the plot for the pixel (x, y) of the plot image: a
// blank, the speed, ", " and the value, such as " 80, 1.23". In kgf/t the
// value is rounded (halves to even) to one decimal.
QString plotReadoutText(int x, int y, AccelerationUnit unit);

// The selected notch's value at the whole speed nearest to pixel column x, in
// the chosen unit and net of the running resistance when it is subtracted;
// none where it cannot be computed (a train without mass, a curve from a file
// that fails there). Computing it never asks anything.
std::optional<double> curveValueAt(int x, const AccelerationTable& table,
                                   const TrainConsist& consist, const PlotChoices& choices);

// The read-out with the curve's value after it, " 80, 1.23  曲線 0.561"
// (three decimals in km/h/s, two in kgf/t), or without it where there is none.
QString plotReadoutText(int x, int y, const AccelerationTable& table, const TrainConsist& consist,
                        const PlotChoices& choices);

} // namespace Orlenda
