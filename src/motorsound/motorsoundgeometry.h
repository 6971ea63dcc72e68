#pragma once

#include "document/motorsoundtable.h"

#include <QPoint>
#include <cstdint>

namespace Orlenda {

// The motor-sound graph: column x shows row x, and each value unit is two pixel
// rows high with value 0 at the bottom.
inline constexpr int GraphWidth = MotorSoundRows;
inline constexpr int GraphHeight = 800;

// The speed grid: a line every 10 km/h.
inline constexpr int RowsPerSpeedLine = 10 * MotorSoundRowsPerKmh;

// The row under a horizontal position: halves round to even.
int graphColumn(double x);

// The lower pixel of the two-pixel cell under a vertical position.
int snappedGraphY(double y);

// The value of a snapped pixel row; exact, 0 at the bottom of the graph.
int valueOfSnappedY(int snappedY);

// Pixel rows of a value: the lower one carries the volume mark, both the pitch mark.
inline constexpr int lowerPixelOfValue(int value) {
    return GraphHeight - 1 - 2 * value;
}

// Whether a position lies on the graph's pixels.
bool insideGraph(double x, double y);

// A press point: column and snapped row, kept inside the graph so that every
// edit addresses existing rows, whatever a scaled screen reports at the edges.
QPoint graphPressPoint(double x, double y);

} // namespace Orlenda
