#pragma once

#include <QImage>

namespace Orlenda {

// A small square in the colour notch n (0..7) is drawn in when selected,
// framed in its dark twin, the colour of the other notches' curves.
QImage notchSwatch(int notch, int size);

} // namespace Orlenda
