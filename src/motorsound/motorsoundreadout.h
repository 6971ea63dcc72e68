#pragma once

#include <QString>

namespace Orlenda {

// The status read-out for the pointer at graph pixel (x, y): a space, the
// speed in km/h, ", " and the value under the pointer (upper-case hexadecimal
// digits with the hexadecimal scale).
QString motorSoundReadout(double x, double y, bool hexScale);

} // namespace Orlenda
