#pragma once

#include "acceleration/accelerationunits.h"

#include <QString>

namespace Orlenda {

// The read-out under the plot for the pixel (x, y) of the plot image: a
// blank, the speed, ", " and the value, such as " 80, 1.23". In kgf/t the
// value is rounded (halves to even) to one decimal.
QString plotReadoutText(int x, int y, AccelerationUnit unit);

} // namespace Orlenda
