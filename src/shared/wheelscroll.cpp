#include "shared/wheelscroll.h"

namespace Orlenda {

namespace {

constexpr int EighthsPerNotch = 120;
constexpr int EighthsPerPixel = EighthsPerNotch / WheelScroll::PixelsPerNotch;

// Shift turns a vertical-only turn sideways; a sideways part is kept as it is.
QPoint sideways(QPoint delta, bool shift) {
    if (shift && delta.x() == 0)
        return QPoint(delta.y(), 0);
    return delta;
}

} // namespace

QPoint WheelScroll::distance(QPoint angleDelta, QPoint pixelDelta, bool shift) {
    if (!pixelDelta.isNull())
        return -sideways(pixelDelta, shift);
    const QPoint total = mLeftOver + sideways(angleDelta, shift);
    // Division truncates towards zero, so what is left keeps the turn's sign.
    const QPoint pixels(total.x() / EighthsPerPixel, total.y() / EighthsPerPixel);
    mLeftOver = total - pixels * EighthsPerPixel;
    return -pixels;
}

} // namespace Orlenda
