#pragma once

#include <QPoint>

namespace Orlenda {

// Wheel input as a scroll distance in pixels. A vertical wheel scrolls up and
// down; a horizontal wheel, a sideways swipe or the vertical wheel with Shift
// scroll sideways. A notch (120 eighths of a degree) moves PixelsPerNotch
// pixels; finer wheels add up their parts, so no turn is lost. Touchpads that
// report pixels scroll by those pixels.
class WheelScroll {
public:
    static constexpr int PixelsPerNotch = 40;

    // How far to move the scroll values (positive: right and down).
    QPoint distance(QPoint angleDelta, QPoint pixelDelta, bool shift);

private:
    QPoint mLeftOver; // eighths of a degree not yet worth a pixel
};

} // namespace Orlenda
