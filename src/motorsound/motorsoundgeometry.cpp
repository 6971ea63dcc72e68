#include "motorsound/motorsoundgeometry.h"

#include "document/numbertext.h"

#include <algorithm>
#include <cmath>

namespace Orlenda {

int graphColumn(double x) {
    // Far-off pointer positions only move the rubber band; keep them representable.
    return int(roundHalfEven(std::clamp(x, -1.0e6, 1.0e6)));
}

int snappedGraphY(double y) {
    return 2 * int(std::floor(std::clamp(y, -1.0e6, 1.0e6) / 2)) + 1;
}

int valueOfSnappedY(int snappedY) {
    return (GraphHeight - 1 - snappedY) / 2;
}

bool insideGraph(double x, double y) {
    return x >= 0 && x < GraphWidth && y >= 0 && y < GraphHeight;
}

QPoint graphPressPoint(double x, double y) {
    return QPoint(std::clamp(graphColumn(x), 0, GraphWidth - 1),
                  std::clamp(snappedGraphY(y), 1, GraphHeight - 1));
}

} // namespace Orlenda
